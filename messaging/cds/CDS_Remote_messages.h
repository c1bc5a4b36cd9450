#pragma once
#include "platform/io/Binary_message.h"

#include <cstdint>

namespace CDS {
namespace Remote {

// The messages of the remote data store, as the transport delivers them
// (after its prefix): a type byte, then little-endian fields.
enum Msg_type : uint8_t {
    msg_send_ids = 0x02,
    msg_send_value = 0x03,
    msg_send_crc = 0x05,
    msg_request_ids = 0x82,
    msg_request_value = 0x83,
    msg_set_value = 0x84,
    msg_request_crc = 0x85,
    msg_register = 0x86,
    msg_cancel = 0x87,
};

// 0x82: [1-2] id (0 = the whole tree, compressed), [3-5] offset, [6] depth.
struct Msg_request_ids : Binary_message {
    static constexpr int size = 7;
    const uint8_t* m;
    uint16_t id() const { return get_uint16_le(m + 1); }
    uint32_t offset() const { return get_uint24_le(m + 3); }
    uint8_t depth() const { return m[6]; }
};

// 0x02: [1-3] the requested offset, [4..] the description's bytes, one filler byte.
struct Msg_send_ids : Binary_message {
    static constexpr int header = 4;
    uint8_t* m;
    void set(uint32_t offset)
    {
        m[0] = msg_send_ids;
        set_uint24_le(m + 1, offset);
    }
    uint8_t* text() const { return m + header; }
};

// 0x83, 0x86: [1-2] id, [3-4] pos; 0x87 has the id only.
struct Msg_request_value : Binary_message {
    static constexpr int size = 5;
    static constexpr int cancel_size = 3;
    const uint8_t* m;
    uint16_t id() const { return get_uint16_le(m + 1); }
    uint16_t pos() const { return get_uint16_le(m + 3); }
};

// 0x03 and 0x84: [1-2] id, [3-4] pos, [5..] the encoded value.
struct Msg_send_value : Binary_message {
    static constexpr int header = 5;
    uint8_t* m;
    void set(uint16_t id, uint16_t pos)
    {
        m[0] = msg_send_value;
        set_uint16_le(m + 1, id);
        set_uint16_le(m + 3, pos);
    }
    uint8_t* value() const { return m + header; }
};

// 0x85: the type byte alone.
struct Msg_request_crc : Binary_message {
    static constexpr int size = 1;
};

// 0x05: [1-4] CRC, [5-8] the uncompressed length of the description.
struct Msg_send_crc : Binary_message {
    static constexpr int size = 9;
    uint8_t* m;
    void set(uint32_t crc, uint32_t length)
    {
        m[0] = msg_send_crc;
        set_uint32_le(m + 1, crc);
        set_uint32_le(m + 5, length);
    }
};

}
}
