#pragma once
#include <cstdint>

namespace Tessaryn_slave_spi {

// The calls the SPI link makes on its device. The program's port makes the
// spidev calls; a test puts a scripted slave processor in its place. Every
// call that fails returns false and leaves errno saying why.
class Spi_port {
public:
    virtual ~Spi_port() = default;

    virtual bool open(const char* path) = 0;
    virtual bool write_mode(uint8_t mode) = 0;
    virtual bool read_mode(uint8_t& mode) = 0;
    virtual bool write_bits_per_word(uint8_t bits) = 0;
    virtual bool read_bits_per_word(uint8_t& bits) = 0;
    virtual bool write_max_speed_hz(uint32_t hz) = 0;
    virtual bool read_max_speed_hz(uint32_t& hz) = 0;
    // One full-duplex transfer of length bytes.
    virtual bool transfer(const void* tx, void* rx, unsigned length, uint32_t speed_hz, uint8_t bits_per_word) = 0;
    virtual bool close() = 0;
};

}
