#pragma once
// ISO 11783-6 object records written by hand for the pool checker's tests
// and fuzz seeds, and a small sound pool that uses each kind of reference.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace iop {

using Bytes = std::vector<uint8_t>;
constexpr uint16_t none = 0xFFFF;

struct Child {
    uint16_t id;
    int16_t x;
    int16_t y;
};

// Appends little-endian fields to a record.
class Record {
public:
    Record(uint16_t id, uint8_t type) { u16(id).u8(type); }

    Record& u8(unsigned value)
    {
        bytes_.push_back(uint8_t(value));
        return *this;
    }
    Record& u16(unsigned value) { return u8(value & 0xFF).u8(value >> 8 & 0xFF); }
    Record& u32(uint32_t value) { return u16(value & 0xFFFF).u16(value >> 16); }
    Record& raw(const Bytes& bytes)
    {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    Record& text(const std::string& text) { return raw(Bytes(text.begin(), text.end())); }
    Record& children(const std::vector<Child>& children)
    {
        for (const Child& child : children)
            u16(child.id).u16(uint16_t(child.x)).u16(uint16_t(child.y));
        return *this;
    }
    // Macro references: (event, macro ID) pairs.
    Record& macros(const std::vector<uint8_t>& macro_ids)
    {
        for (uint8_t id : macro_ids)
            u8(1).u8(id); // on activate
        return *this;
    }

    operator Bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

inline Bytes working_set(uint16_t id, uint16_t active_mask, const std::vector<Child>& children)
{
    return Record(id, 0).u8(1).u8(1).u16(active_mask).u8(children.size()).u8(0).u8(1).children(children).text("en");
}

inline Bytes data_mask(uint16_t id, uint16_t soft_key_mask, const std::vector<Child>& children,
                       const std::vector<uint8_t>& macro_ids = {})
{
    return Record(id, 1).u8(0).u16(soft_key_mask).u8(children.size()).u8(macro_ids.size()).children(children).macros(
        macro_ids);
}

inline Bytes container(uint16_t id, bool hidden, const std::vector<Child>& children)
{
    return Record(id, 3).u16(100).u16(40).u8(hidden).u8(children.size()).u8(0).children(children);
}

inline Bytes soft_key_mask(uint16_t id, const std::vector<uint16_t>& keys)
{
    Record record(id, 4);
    record.u8(0).u8(keys.size()).u8(0);
    for (uint16_t key : keys)
        record.u16(key);
    return record;
}

inline Bytes key(uint16_t id, uint8_t code, const std::vector<Child>& children)
{
    return Record(id, 5).u8(7).u8(code).u8(children.size()).u8(0).children(children);
}

inline Bytes input_list(uint16_t id, uint16_t variable, uint8_t value, const std::vector<uint16_t>& items)
{
    Record record(id, 10);
    record.u16(120).u16(20).u16(variable).u8(value).u8(items.size()).u8(1).u8(0);
    for (uint16_t item : items)
        record.u16(item);
    return record;
}

inline Bytes output_string(uint16_t id, uint16_t font, const std::string& text, uint16_t variable = none)
{
    return Record(id, 11).u16(80).u16(16).u8(1).u16(font).u8(0).u16(variable).u8(0).u16(text.size()).text(text).u8(0);
}

inline Bytes output_number(uint16_t id, uint16_t font, uint16_t variable, uint32_t value)
{
    return Record(id, 12)
        .u16(60)
        .u16(16)
        .u8(1)
        .u16(font)
        .u8(0)
        .u16(variable)
        .u32(value)
        .u32(0)
        .u32(0x3F800000) // scale 1.0
        .u8(1)           // decimals
        .u8(0)
        .u8(0)
        .u8(0);
}

inline Bytes output_line(uint16_t id, uint16_t line, uint8_t direction)
{
    return Record(id, 13).u16(line).u16(50).u16(1).u8(direction).u8(0);
}

inline Bytes rectangle(uint16_t id, uint16_t line, uint16_t fill)
{
    return Record(id, 14).u16(line).u16(50).u16(20).u8(0).u16(fill).u8(0);
}

// format: 0 monochrome, 1 four bits, 2 eight bits; options bit 2: run-length data.
inline Bytes picture(uint16_t id, uint16_t width, uint16_t height, uint8_t format, uint8_t options, const Bytes& data)
{
    return Record(id, 20).u16(width).u16(width).u16(height).u8(format).u8(options).u8(0).u32(data.size()).u8(0).raw(
        data);
}

inline Bytes number_variable(uint16_t id, uint32_t value) { return Record(id, 21).u32(value); }

inline Bytes string_variable(uint16_t id, const std::string& text)
{
    return Record(id, 22).u16(text.size()).text(text);
}

inline Bytes font(uint16_t id, uint8_t size) { return Record(id, 23).u8(0).u8(size).u8(0).u8(0).u8(0); }

inline Bytes line_attributes(uint16_t id) { return Record(id, 24).u8(0).u8(1).u16(0xFFFF).u8(0); }

inline Bytes fill_attributes(uint16_t id, uint8_t type, uint16_t pattern)
{
    return Record(id, 25).u8(type).u8(3).u16(pattern).u8(0);
}

inline Bytes object_pointer(uint16_t id, uint16_t target) { return Record(id, 27).u16(target); }

// Hide/Show Object (160) of the object, shown.
inline Bytes macro(uint16_t id, uint16_t object)
{
    return Record(id, 28).u16(8).u8(160).u16(object).u8(1).u32(0xFFFFFFFF);
}

// A sound pool by object ID: a Working Set whose designator is an RLE
// picture; a Data Mask with a soft-key mask, a hidden Container, an Output
// Number on a Number Variable, an Input List, a line and a rectangle with a
// pattern fill, an Object Pointer to a string on a String Variable, and a
// macro; a Soft Key Mask with a Key and a pointer to another Key.
inline std::map<uint16_t, Bytes> sample_pool()
{
    return {
        {0, working_set(0, 1000, {{20000, 2, 2}})},
        {1, macro(1, 3000)},
        {1000, data_mask(1000, 4000,
                         {{3000, 0, 0}, {12000, 10, 40}, {10000, 10, 80}, {13000, 0, 110}, {14000, 60, 110},
                          {27000, 10, 140}},
                         {1})},
        {3000, container(3000, true, {{11000, 5, 5}})},
        {4000, soft_key_mask(4000, {5000, 27001})},
        {5000, key(5000, 1, {{11002, 0, 0}})},
        {5001, key(5001, 2, {})},
        {10000, input_list(10000, 21001, 0, {11003, 11004, none})},
        {11000, output_string(11000, 23000, "Tank 1")},
        {11001, output_string(11001, 23000, "", 22000)},
        {11002, output_string(11002, 23001, "Back")},
        {11003, output_string(11003, 23000, "Wheat")},
        {11004, output_string(11004, 23000, "Canola")},
        {12000, output_number(12000, 23001, 21000, 0)},
        {13000, output_line(13000, 24000, 1)},
        {14000, rectangle(14000, 24000, 25000)},
        {20000, picture(20000, 8, 2, 2, 0x04, {8, 1, 8, 2})},  // two rows of eight, run-length encoded
        {20001, picture(20001, 10, 2, 0, 0x00, {0xFF, 0xC0, 0x00, 0x00})}, // monochrome, rows of two bytes
        {21000, number_variable(21000, 1234)},
        {21001, number_variable(21001, 1)},
        {22000, string_variable(22000, "abc")},
        {23000, font(23000, 2)},
        {23001, font(23001, 14)},
        {24000, line_attributes(24000)},
        {25000, fill_attributes(25000, 3, 20001)},
        {27000, object_pointer(27000, 11001)},
        {27001, object_pointer(27001, 5001)},
    };
}

// The records one after another, in ID order.
inline Bytes join(const std::map<uint16_t, Bytes>& records)
{
    Bytes pool;
    for (const auto& entry : records)
        pool.insert(pool.end(), entry.second.begin(), entry.second.end());
    return pool;
}

}
