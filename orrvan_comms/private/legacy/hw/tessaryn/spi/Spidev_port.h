#pragma once
#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spi_port.h"

namespace Tessaryn_slave_spi {

// A Linux spidev device.
class Spidev_port : public Spi_port {
public:
    Spidev_port() = default;
    ~Spidev_port() override;
    Spidev_port(const Spidev_port&) = delete;
    Spidev_port& operator=(const Spidev_port&) = delete;

    bool open(const char* path) override;
    bool write_mode(uint8_t mode) override;
    bool read_mode(uint8_t& mode) override;
    bool write_bits_per_word(uint8_t bits) override;
    bool read_bits_per_word(uint8_t& bits) override;
    bool write_max_speed_hz(uint32_t hz) override;
    bool read_max_speed_hz(uint32_t& hz) override;
    bool transfer(const void* tx, void* rx, unsigned length, uint32_t speed_hz, uint8_t bits_per_word) override;
    bool close() override;

private:
    int m_fd = -1;
};

}
