#include "orrvan_comms/private/legacy/hw/tessaryn_can_client/can_2/CAN_packet_interface.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>

CAN_packet_interface::Packet::Packet()
{
    std::fill(data, data + size, 0xFF);
}

bool CAN_packet_interface::Packet::operator==(const Packet& other) const
{
    return length == other.length && PGN == other.PGN && priority == other.priority &&
           std::equal(data, data + size, other.data);
}

void CAN_packet_interface::Packet::append_MSB(unsigned value, int count)
{
    if (length < 0 || length + count > size)
        return;
    for (int shift = 8 * (count - 1); shift >= 0; shift -= 8)
        data[length++] = uint8_t(value >> shift);
}

void CAN_packet_interface::Packet::add_data(uint8_t value)
{
    append_MSB(value, 1);
}

void CAN_packet_interface::Packet::add_data_2byte_MSB(uint16_t value)
{
    append_MSB(value, 2);
}

void CAN_packet_interface::Packet::add_data_3byte_MSB(unsigned value)
{
    append_MSB(value & 0xFFFFFF, 3);
}

void CAN_packet_interface::Packet::add_data_4byte_MSB(unsigned value)
{
    append_MSB(value, 4);
}

unsigned CAN_packet_interface::Packet::read_MSB(unsigned i, unsigned count) const
{
    if (i > unsigned(size) - count)
        return 0;
    unsigned value = 0;
    for (unsigned k = 0; k < count; ++k)
        value = value << 8 | data[i + k];
    return value;
}

unsigned CAN_packet_interface::Packet::get_2byte_MSB(unsigned i) const
{
    return read_MSB(i, 2);
}

unsigned CAN_packet_interface::Packet::get_3byte_MSB(unsigned i) const
{
    return read_MSB(i, 3);
}

unsigned CAN_packet_interface::Packet::get_4byte_MSB(unsigned i) const
{
    return read_MSB(i, 4);
}

unsigned CAN_packet_interface::Packet::get_2byte_LSB(unsigned i) const
{
    const unsigned big_endian = read_MSB(i, 2);
    return (big_endian >> 8) | (big_endian & 0xFF) << 8;
}

uint8_t CAN_packet_interface::Packet::operator[](unsigned i) const
{
    return uint8_t(read_MSB(i, 1));
}

void CAN_packet_interface::print(Packet& packet)
{
    Debug_print::dprint("PGN: %d ", int(packet.PGN));
    Debug_print::dprint("LEN: %d ", packet.length);
    Debug_print::dprint("DATA: ");
    for (uint8_t byte : packet.data)
        Debug_print::dprint("%2.2X ", byte);
    Debug_print::dprint("\n");
}
