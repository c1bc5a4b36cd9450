#pragma once
#include <atomic>
#include <cstdint>
#include <functional>

namespace Debug {
class Dumper;
}
namespace CDS {
class Event_handler;
namespace Remote {
class Receive_buffer;
class Send_buffer;
}
}

// The item interface shared by the data store's lookup tree and the
// parameter tree: a named value or structure that can be printed, turned
// into text and found by name, and its remote face: an id in the served
// tree, the value's encoding and the tree's description.
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

    Data_item() = default;
    Data_item(const Data_item&) = delete;
    Data_item& operator=(const Data_item&) = delete;
    virtual ~Data_item() = default;

    virtual const char* get_name() const = 0;
    virtual item_type_t get_type() const = 0;
    virtual class_type_t get_class_type() const { return class_single; }
    uint8_t get_type_byte() const { return get_type_byte(get_class_type(), get_type()); }
    // Writes the item's value as text into buffer (length bytes with the
    // terminator); returns the characters written, 0 for items without a text.
    virtual int _to_string(char* buffer, int length) const;
    // True when the text parses to the item's current value; items without a
    // value never compare equal.
    virtual bool operator==(const char* text) const;
    // Hands the item's name and value (or its children) to the dumper.
    virtual void _print(Debug::Dumper& dumper) const = 0;

    // The remote face. Items are numbered once, in pre-order, when the served
    // tree is complete; a structure's value is its children's in order. A
    // transfer too long for one message resumes: pos 0 starts at the item,
    // else pos is the id of the first item still to do, and only items from
    // there on are encoded or decoded.
    struct Serial_ret {
        bool ok;
        uint16_t stop_id; // when not ok: the item that did not fit, where the next transfer resumes
    };
    static Serial_ret serial_ok() { return {true, 0}; }
    static Serial_ret serial_fail(uint16_t stop_id) { return {false, stop_id}; }
    // True when the item takes part: pos is 0, or names the item (then the
    // transfer has started, and pos becomes 0).
    static bool serial_action_started(uint16_t& pos, uint16_t id);

    uint16_t get_remote_id() const { return remote_id_; }
    // Numbers the item and everything below it from next on; returns the
    // next number left.
    uint32_t number_remote_ids(uint32_t next);
    // The lowest and highest id of the item's sub-tree folded into the range.
    void set_minmax(uint16_t& lowest, uint16_t& highest) const;
    // The item of this sub-tree with the id; null when none.
    virtual Data_item* find_data_item(uint16_t id);
    // Writes the item's value from pos on (none when pos names no item here).
    virtual Serial_ret serialise(CDS::Remote::Send_buffer& buffer, uint16_t& pos) const;
    // Reads the item's value from pos on; each value is taken whole or not at all.
    virtual Serial_ret deserialise(CDS::Remote::Receive_buffer& buffer, uint16_t& pos);
    // "<type byte>:<id>:<name>" in lower-case hexadecimal; a structure written
    // at a depth other than 0 adds "{", its children's entries joined by ","
    // and "}", each one level less deep (255: no limit). False when the buffer is full.
    virtual bool serialise_structure(CDS::Remote::Send_buffer& buffer, int depth) const;

    // The handler told of every change of the item or anything below it;
    // the data layer calls it after releasing its locks.
    CDS::Event_handler* get_event_handler() const { return event_handler_.load(); }
    virtual void set_event_handler(CDS::Event_handler* handler) { event_handler_.store(handler); }

protected:
    // A structure visits its children in order until visit returns false;
    // other items have no children.
    virtual bool is_structure() const { return false; }
    virtual void for_each_child(const std::function<bool(Data_item&)>& visit) const { (void)visit; }
    // A value's own encoding; false when it does not fit or is not all there.
    virtual bool encode_value(CDS::Remote::Send_buffer&) const { return false; }
    virtual bool decode_value(CDS::Remote::Receive_buffer&) { return false; }

private:
    uint16_t remote_id_ = 0;
    uint16_t last_remote_id_ = 0; // the highest id below the item
    std::atomic<CDS::Event_handler*> event_handler_{nullptr};
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
