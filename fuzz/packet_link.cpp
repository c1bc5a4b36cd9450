// The serial link's reply readers, binary and ASCII, on bytes from the slave
// line arriving in chunks of any size.
//
// Input: byte 0 picks the reader (bit 0: ASCII) and whether an ASCII request
// went out first (bit 1), so that its echo is looked for; the request's text
// follows as a length byte and its bytes. Then chunks: a length byte and the
// bytes, each fed to the stream and followed by reads until none is whole.
//
// Holds: every packet read is one frame of at most 32 bytes (binary: from the
// line to this controller, a length below 32 and a good sum; ASCII: ending in
// its ETX); each read takes bytes out of the stream, so no loop spins; the
// stream never holds more than its capacity.
#include "control_logic/Packet_interface.h"
#include "fuzz/Fuzz_check.h"
#include "fuzz/Fuzz_input.h"
#include "platform/io/Memory_data_stream.h"
#include "platform/rtos/Debug_base.h"

#include <vector>

namespace {

constexpr size_t capacity = 256; // small, so that overruns are reached

void check_binary(const Packet& packet)
{
    fuzz_check(packet.bytes[0] == Packet::master_address, "binary reply not addressed to this controller");
    const size_t length = packet.bytes[1];
    fuzz_check(length < Packet::size, "binary reply longer than a packet");
    uint8_t sum = 0;
    for (size_t i = 0; i < length; ++i)
        sum = uint8_t(sum + packet.bytes[i]);
    fuzz_check(sum == packet.bytes[length], "binary reply with a bad sum");
}

void check_ascii(const Packet& packet)
{
    fuzz_check(packet.ascii == 1, "ASCII reply not marked ASCII");
    fuzz_check(packet.count >= 1 && packet.count <= Packet::size, "ASCII reply of no or too many bytes");
    fuzz_check(packet.bytes[packet.count - 1] == 0x03, "ASCII reply not ending in its ETX");
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (Debug_print::set_sink([](const char*) {}), true);
    (void)quiet;
    Fuzz_input input(data, size);
    const uint8_t mode = input.u8();
    const bool ascii = mode & 1;

    Memory_data_stream stream(capacity);
    Packet_interface link(stream);
    if (mode & 2) {
        Packet request;
        request.init_ascii();
        for (uint8_t n = input.u8(); n > 0; --n)
            request.add_byte(input.u8());
        link.send(request);
    }

    while (!input.empty()) {
        std::vector<uint8_t> chunk(input.u8());
        for (uint8_t& b : chunk)
            b = input.u8();
        stream.feed(chunk);
        fuzz_check(stream.bytes_avail() <= capacity, "stream beyond its capacity");
        for (;;) {
            const size_t before = stream.bytes_avail();
            Packet packet;
            if (!link.receive(packet, ascii))
                break;
            fuzz_check(stream.bytes_avail() < before, "a read that took nothing out");
            ascii ? check_ascii(packet) : check_binary(packet);
        }
    }
    return 0;
}
