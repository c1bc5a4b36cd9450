#pragma once
#include "platform/io/Gril_message.h"

#include <cstddef>
#include <cstdint>

namespace Diagnostics_messages {

// One source's error report: the codes it has now (each 16 bits,
// little-endian, from byte 7), its source address in byte 5 and their
// number in byte 6.
class Msg_RR : public Gril_message {
public:
    static constexpr size_t size = 1024;
    static constexpr int max_codes = 255;

    Msg_RR();
    uint8_t get_source() const { return data()[5]; }
    void set_source(uint8_t source) { data()[5] = source; }
    int get_count() const { return data()[6]; }
    // Empties the list of codes.
    void clear() { data()[6] = 0; }
    uint16_t get_code(int i) const;
    // False when max_codes are listed.
    bool add_code(uint16_t code);
};

// One fault-file record: an entry's source, occurrence count and error code,
// and when it last became active (seconds and milliseconds / 4; 0 for a
// snapshot).
class Msg_SP : public Gril_message {
public:
    static constexpr size_t size = 16;

    Msg_SP();
    // Fills the whole record, checksum included.
    void set(uint8_t source, uint16_t oc, uint16_t err, uint32_t seconds, uint8_t quarter_ms);
    // A whole record of this type.
    bool is_valid() const { return validate("SP") && get_length() == size; }

    uint8_t get_source() const { return data()[5]; }
    uint16_t get_oc() const;
    uint16_t get_err() const;
    uint32_t get_seconds() const;
    // The milliseconds, in steps of 4.
    unsigned get_milliseconds() const { return unsigned(data()[14]) * 4; }
};

}
