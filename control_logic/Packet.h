#pragma once
#include <cstddef>
#include <cstdint>

// One frame of the slave link, built for a request or received as a reply.
// Binary frame: destination, length L = 4 + n, source, command, n data
// bytes, then at offset L the sum of bytes 0 .. L - 1. In ASCII mode the
// bytes are raw text (the weigh scale's request and reply).
struct Packet {
    static constexpr size_t size = 32;
    static constexpr uint8_t master_address = 0x31; // this controller
    static constexpr uint32_t max_data = size - 5;

    uint8_t bytes[size];
    uint32_t count;  // binary: data bytes added; ASCII: bytes held
    uint8_t ascii;   // 0 binary, 1 raw ASCII

    Packet() { clear(0); }

    // A request from this controller.
    void init(uint8_t destination, uint8_t command);
    void init_ascii() { clear(1); }
    // Bytes beyond the room of the frame (27 data bytes, 32 ASCII bytes) are ignored.
    void add_byte(uint8_t b);
    // Binary only: writes the length and the checksum behind the data.
    void finalise();

private:
    void clear(uint8_t ascii_mode);
};
