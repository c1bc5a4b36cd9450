#pragma once
#include <cstdint>

namespace ZEV_name {

// The fields of an ISO 11783-5 NAME, from bit 0 of its little-endian value.
enum class Field {
    identity_number,       // bits 0-20
    manufacturer_code,     // bits 21-31
    ecu_instance,          // bits 32-34
    function_instance,     // bits 35-39
    function,              // bits 40-47
    device_class,          // bits 49-55 (bit 48 is reserved)
    device_class_instance, // bits 56-59
    industry_group,        // bits 60-62
    self_configurable,     // bit 63: the node may move to another address
};

// The 64-bit ISO 11783 NAME of a control function, as its eight bytes. A
// lower value has the higher priority when two nodes contend for an address.
// Plain eight bytes, so that records may hold it.
class RAWNAME {
public:
    // All ones: the stand-in for "no particular NAME".
    static const RAWNAME GLOBAL_NAME;

    RAWNAME() = default; // all zero
    explicit RAWNAME(uint64_t value);
    explicit RAWNAME(const uint8_t* bytes);

    uint64_t get_value() const;
    // The form the parameters keep a NAME in: its eight bytes read as one
    // big-endian number.
    static RAWNAME from_stored(uint64_t stored);
    uint64_t to_stored() const;
    const uint8_t* get_bytes() const { return bytes_; }
    uint8_t* get_bytes() { return bytes_; }

    uint32_t get(Field field) const;
    static void field_bits(Field field, unsigned& first, unsigned& count);
    static uint64_t field_mask(Field field);

    // One line with the value and its fields, on the debug output.
    void dump() const;

    bool operator==(const RAWNAME& o) const { return get_value() == o.get_value(); }
    bool operator!=(const RAWNAME& o) const { return !(*this == o); }
    bool operator<(const RAWNAME& o) const { return get_value() < o.get_value(); }

private:
    uint8_t bytes_[8] = {};
};

}
