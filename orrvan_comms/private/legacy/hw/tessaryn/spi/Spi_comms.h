#pragma once
#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spi_port.h"

#include <cstdint>
#include <memory>

namespace Tessaryn_slave_spi {

// The SPI device "/dev/spidev2.0" of the slave processor: mode 3, 16 bits
// per word, 1 MHz. Failures are reported with perror and their reason.
class Spi_comms {
public:
    explicit Spi_comms(std::unique_ptr<Spi_port> port);

    // Opens and configures the device; true at once when it already is.
    bool initialise();
    // One full-duplex transfer of length bytes on an initialised device.
    bool transfer_msg(const void* tx, void* rx, int length);
    // Closes the device; false when that fails.
    bool finalise();
    // With debug on, every received frame is printed.
    void set_debug(bool debug);

private:
    bool configure();

    const std::unique_ptr<Spi_port> m_port;
    bool m_initialised = false;
    bool m_debug = false;
    // As configured, then as the device reports them.
    uint8_t m_mode = 3;
    uint8_t m_bits_per_word = 16;
    uint32_t m_speed_hz = 1000000;
};

}
