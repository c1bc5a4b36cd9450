#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spi_message.h"
#include "platform/rtos/Debug_base.h"

namespace Tessaryn_slave_spi {

namespace {

constexpr uint16_t command_get_version = 0xFE00;
constexpr uint16_t command_get_identity = 0x0F00;
constexpr uint16_t identity_request_value = 0x1F01;
constexpr uint16_t reply_version = 0xFE00;
constexpr uint16_t reply_identity = 0x1F01;

uint8_t low_byte(uint16_t word) { return uint8_t(word & 0xFF); }

}

Spi_message::Spi_message() = default;

Spi_message::Spi_message(uint16_t command)
{
    m_words[0] = sync;
    m_words[1] = command >> 8;
    m_words[2] = command & 0xFF;
    m_words[9] = get_checksum();
}

Spi_message::Spi_message(uint16_t command, uint16_t value) : Spi_message(command)
{
    m_words[3] = value >> 8;
    m_words[4] = value & 0xFF;
    m_words[9] = get_checksum();
}

bool Spi_message::decode_data() { return false; }
void Spi_message::print_decoded_data() const {}

uint8_t Spi_message::get_checksum() const
{
    unsigned sum = 0;
    for (unsigned i = 1; i <= 8; ++i)
        sum += m_words[i];
    return uint8_t(sum);
}

uint16_t Spi_message::get_reply_command() const
{
    return uint16_t(low_byte(m_words[1]) << 8 | low_byte(m_words[2]));
}

void Spi_message::print() const
{
    for (uint16_t word : m_words)
        Debug_print::dprint("%04X ", word);
    Debug_print::dprint("\n");
}

Spi_get_version_message::Spi_get_version_message() : Spi_message(command_get_version) {}

Spi_get_identity_message::Spi_get_identity_message() : Spi_message(command_get_identity, identity_request_value) {}

bool Spi_version_response_message::decode_data()
{
    m_version.dirty = 1;
    if (get_reply_command() != reply_version)
        return false;
    const uint16_t* w = words();
    m_version.ecu_type = low_byte(w[3]);
    m_version.ecu_series = low_byte(w[4]);
    m_version.ecu_firmware_type = low_byte(w[5]);
    m_version.major = low_byte(w[6]);
    m_version.minor = low_byte(w[7]);
    m_version.patch = low_byte(w[8]);
    m_version.dirty = 0;
    return true;
}

void Spi_version_response_message::print_decoded_data() const { m_version.print(); }

bool Spi_identity_response_message::decode_data()
{
    m_identity.dirty = 1;
    if (get_reply_command() != reply_identity)
        return false;
    const uint16_t* w = words();
    m_identity.id = int32_t(low_byte(w[3]) | low_byte(w[4]) << 8 | (w[5] & 0x1F) << 16);
    m_identity.dirty = 0;
    return true;
}

void Spi_identity_response_message::print_decoded_data() const { m_identity.print(); }

}
