#include "control_logic/Packet_interface.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>

namespace {
constexpr uint8_t ascii_colon = ':';
constexpr uint8_t ascii_etx = 0x03;
constexpr size_t colon_offset = 9; // where the weigh scale's reply holds its colon
constexpr size_t min_frame_length = 4; // length byte of a frame without data

void report_fail(int check)
{
    Debug_print::dprint("Pkt fail %s:%d\n", __FILE__, check);
}
}

Packet_interface::Packet_interface(Data_stream& stream) : stream_(stream), deadline_(Atime::now()) {}

void Packet_interface::send(Packet& packet)
{
    if (packet.ascii) {
        last_request_ = packet;
        stream_.__write(packet.bytes, std::min<size_t>(packet.count, Packet::size));
    } else {
        packet.finalise();
        stream_.__write(packet.bytes, size_t(packet.bytes[1]) + 1);
    }
    deadline_ = Atime::now() + Rtime(timeout_ms_);
}

bool Packet_interface::receive(Packet& packet, bool ascii)
{
    return ascii ? receive_ascii(packet) : receive_binary(packet);
}

uint8_t Packet_interface::buffered_sum(size_t n) const
{
    uint8_t sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum = uint8_t(sum + stream_[i]);
    return sum;
}

size_t Packet_interface::find(uint8_t b, size_t avail) const
{
    size_t i = 0;
    while (i < avail && stream_[i] != b)
        ++i;
    return i;
}

bool Packet_interface::receive_binary(Packet& packet)
{
    for (;;) {
        if (!stream_.bytes_avail(5))
            return false;
        if (stream_[2] == Packet::master_address) {
            // The echo of our own request goes, and only it: a reply that
            // came behind it in the same read is the answer we wait for.
            // Only what can be our frame counts (its start while it arrives,
            // or all of it with a good sum): when the hunt below walks through
            // noise, the destination byte of the reply it is heading for
            // passes offset 2 first and must not take that reply for an echo.
            size_t length = stream_[1];
            bool not_a_frame = length < min_frame_length || length >= Packet::size ||
                               (stream_.bytes_avail(length + 1) && buffered_sum(length) != stream_[length]);
            if (!not_a_frame) {
                if (!stream_.bytes_avail(length + 1))
                    return false; // the rest of the echo is on its way
                stream_.drop(length + 1);
                continue;
            }
        }
        if (stream_[0] != Packet::master_address) {
            report_fail(check_destination);
            stream_.drop(1);
            continue;
        }
        size_t length = stream_[1];
        if (length >= Packet::size) {
            report_fail(check_length);
            stream_.drop(1);
            continue;
        }
        if (!stream_.bytes_avail(length + 1))
            return false;
        if (buffered_sum(length) != stream_[length]) {
            report_fail(check_checksum);
            stream_.drop(1);
            continue;
        }
        if (!stream_.get_data(packet.bytes, length + 1)) {
            report_fail(check_copy);
            return false;
        }
        stream_.drop(length + 1);
        return true;
    }
}

bool Packet_interface::receive_ascii(Packet& packet)
{
    for (;;) {
        const size_t avail = stream_.bytes_avail();
        if (avail == 0)
            return false;
        const size_t colon = find(ascii_colon, avail);
        if (colon == avail)
            return false;
        if (colon > colon_offset) {
            Debug_print::dprint("Colon out of position\n");
            stream_.drop(colon - colon_offset);
            continue;
        }
        if (colon < colon_offset) {
            stream_.drop_all();
            return false;
        }
        // Our own request heard back: only the bytes buffered so far are
        // compared, and a beginning of the echo waits for the rest.
        const size_t echo = last_request_.ascii ? std::min<size_t>(last_request_.count, Packet::size) : 0;
        if (echo) {
            const size_t n = std::min(echo, avail);
            size_t same = 0;
            while (same < n && stream_[same] == last_request_.bytes[same])
                ++same;
            if (same == n) {
                if (n < echo)
                    return false;
                stream_.drop(echo);
                continue;
            }
        }
        const size_t etx = find(ascii_etx, avail);
        if (etx == avail || etx == 0)
            return false;
        if (etx >= Packet::size) {
            report_fail(check_ascii_length);
            stream_.drop(etx + 1);
            continue;
        }
        if (!stream_.get_data(packet.bytes, etx + 1))
            return false;
        stream_.drop(etx + 1);
        packet.count = uint32_t(etx + 1);
        packet.ascii = 1;
        return true;
    }
}
