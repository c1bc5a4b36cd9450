#include "orrvan_comms/private/legacy/hw/tessaryn/TTessarynMessage.h"
#include "orrvan_comms/private/include/Ecu_assert.h"

#include <cstdio>
#include <cstring>

namespace Tessaryn {

TTessarynMessage::TTessarynMessage()
{
    std::memset(m_data, 0xFF, size);
}

TTessarynMessage::TTessarynMessage(const std::vector<uint8_t>& data)
{
    ECU_ASSERT(data.size() >= size);
    std::memcpy(m_data, data.data(), size);
}

void TTessarynMessage::setDeviceName(uint64_t name) { m_device_name = name; }
uint64_t TTessarynMessage::getDeviceName() const { return m_device_name; }

uint8_t TTessarynMessage::getCommand() const { return m_data[0] & 0x0F; }

void TTessarynMessage::setCommand(eCommand command)
{
    m_data[0] = uint8_t(command | (m_data[0] & 0xF0));
}

bool TTessarynMessage::isCommand(eCommand command) const { return getCommand() == command; }

void TTessarynMessage::setElementID(uint16_t id)
{
    m_data[0] = uint8_t(getCommand() | uint8_t(id << 4));
    m_data[1] = uint8_t(id >> 4);
}

uint16_t TTessarynMessage::getElementID() const { return uint16_t((m_data[0] >> 4) | (m_data[1] << 4)); }

void TTessarynMessage::setDataID(uint16_t id)
{
    m_data[2] = uint8_t(id);
    m_data[3] = uint8_t(id >> 8);
}

uint16_t TTessarynMessage::getDataID() const { return uint16_t(m_data[2] | (m_data[3] << 8)); }

void TTessarynMessage::setValue(uint32_t value)
{
    for (unsigned i = 0; i < 4; ++i)
        m_data[4 + i] = uint8_t(value >> (8 * i));
}

uint32_t TTessarynMessage::getValue() const
{
    uint32_t value = 0;
    for (unsigned i = 0; i < 4; ++i)
        value |= uint32_t(m_data[4 + i]) << (8 * i);
    return value;
}

std::vector<uint8_t> TTessarynMessage::getData() const { return std::vector<uint8_t>(m_data, m_data + size); }

void TTessarynMessage::print() const
{
    std::printf("DATA: ");
    for (uint8_t byte : m_data)
        std::printf("%2.2X ", byte);
    std::printf("\n");
}

}
