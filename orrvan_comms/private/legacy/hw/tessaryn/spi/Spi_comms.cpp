#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spi_comms.h"
#include "orrvan_comms/private/include/Ecu_assert.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Platform.h"

#include <cstdio>

namespace Tessaryn_slave_spi {

namespace {

constexpr const char* device_path = "/dev/spidev2.0";

// False after reporting what failed, with the reason errno gives.
bool check(bool done, const char* failure)
{
    if (!done)
        std::perror(failure);
    return done;
}

}

Spi_comms::Spi_comms(std::unique_ptr<Spi_port> port) : m_port(std::move(port)) {}

bool Spi_comms::initialise()
{
    if (m_initialised)
        return true;
    if (!check(m_port->open(Platform::rooted(device_path).c_str()), "can't open device"))
        return false;
    if (!configure()) {
        // The device stays closed rather than open and unusable.
        m_port->close();
        return false;
    }
    Debug_print::dprint("spi mode: %d\n", m_mode);
    Debug_print::dprint("bits per word: %d\n", m_bits_per_word);
    Debug_print::dprint("max speed: %d Hz (%d KHz)\n", int(m_speed_hz), int(m_speed_hz / 1000));
    m_initialised = true;
    return true;
}

bool Spi_comms::configure()
{
    return check(m_port->write_mode(m_mode), "can't set spi mode") &&
           check(m_port->read_mode(m_mode), "can't get spi mode") &&
           check(m_port->write_bits_per_word(m_bits_per_word), "can't set bits per word") &&
           check(m_port->read_bits_per_word(m_bits_per_word), "can't get bits per word") &&
           check(m_port->write_max_speed_hz(m_speed_hz), "can't set max speed hz") &&
           check(m_port->read_max_speed_hz(m_speed_hz), "can't get max speed hz");
}

bool Spi_comms::transfer_msg(const void* tx, void* rx, int length)
{
    const bool initialised = m_initialised;
    ECU_ASSERT(initialised);
    if (!tx && !rx)
        return false;
    if (!check(m_port->transfer(tx, rx, unsigned(length), m_speed_hz, m_bits_per_word), "can't send spi message"))
        return false;
    if (m_debug && rx) {
        Debug_print::dprint("Response:           ");
        const auto* words = static_cast<const uint16_t*>(rx);
        for (int i = 0; i < length / 2; ++i)
            Debug_print::dprint("%04X ", words[i]);
        Debug_print::dprint("\n");
    }
    return true;
}

bool Spi_comms::finalise()
{
    if (!m_port->close())
        return false;
    m_initialised = false;
    return true;
}

void Spi_comms::set_debug(bool debug) { m_debug = debug; }

}
