#pragma once
#include <cstdint>

namespace Debug {
class Dumper;
}

// The item interface shared by the data store's lookup tree and the
// parameter tree: a named value or structure that can be printed, turned
// into text and found by name.
class Data_item {
public:
    // Item type codes, as the remote data store and the parameter file carry them.
    enum item_type_t : uint8_t {
        type_struct = 1,
        type_bool = 2,
        type_char = 3,
        type_uint8 = 4,
        type_uint16 = 5,
        type_uint32 = 6,
        type_int8 = 7,
        type_int16 = 8,
        type_int32 = 9,
        type_float = 10,
        type_double = 11,
        type_item_array = 13,
        type_uint64 = 15,
        type_int64 = 16,
    };

    // Class of an item in its type byte: a single value or an array of them.
    enum class_type_t : uint8_t { class_single = 0, class_array = 1 };

    // One byte naming both: the class in the top two bits, the item type in
    // the low six.
    static uint8_t get_type_byte(class_type_t class_type, item_type_t type);
    // False when the byte names no known class and type.
    static bool decode_type_byte(uint8_t byte, class_type_t& class_type, item_type_t& type);

    // Bytes of one value of the type; 0 for types that hold no single value.
    static unsigned get_value_size(item_type_t type);

    virtual ~Data_item() = default;

    virtual const char* get_name() const = 0;
    virtual item_type_t get_type() const = 0;
    // Writes the item's value as text into buffer (length bytes with the
    // terminator); returns the characters written, 0 for items without a text.
    virtual int _to_string(char* buffer, int length) const;
    // True when the text parses to the item's current value; items without a
    // value never compare equal.
    virtual bool operator==(const char* text) const;
    // Hands the item's name and value (or its children) to the dumper.
    virtual void _print(Debug::Dumper& dumper) const = 0;
};

// The item type code of a C++ value type.
template <class T>
constexpr Data_item::item_type_t data_item_type_of();
template <> constexpr Data_item::item_type_t data_item_type_of<bool>() { return Data_item::type_bool; }
template <> constexpr Data_item::item_type_t data_item_type_of<char>() { return Data_item::type_char; }
template <> constexpr Data_item::item_type_t data_item_type_of<uint8_t>() { return Data_item::type_uint8; }
template <> constexpr Data_item::item_type_t data_item_type_of<uint16_t>() { return Data_item::type_uint16; }
template <> constexpr Data_item::item_type_t data_item_type_of<uint32_t>() { return Data_item::type_uint32; }
template <> constexpr Data_item::item_type_t data_item_type_of<int8_t>() { return Data_item::type_int8; }
template <> constexpr Data_item::item_type_t data_item_type_of<int16_t>() { return Data_item::type_int16; }
template <> constexpr Data_item::item_type_t data_item_type_of<int32_t>() { return Data_item::type_int32; }
template <> constexpr Data_item::item_type_t data_item_type_of<float>() { return Data_item::type_float; }
template <> constexpr Data_item::item_type_t data_item_type_of<double>() { return Data_item::type_double; }
template <> constexpr Data_item::item_type_t data_item_type_of<uint64_t>() { return Data_item::type_uint64; }
template <> constexpr Data_item::item_type_t data_item_type_of<int64_t>() { return Data_item::type_int64; }
