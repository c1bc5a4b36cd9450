#pragma once
#include <cstddef>
#include <cstdint>

class Data_store;

// A data-store field the console writes, with the kind of value it holds.
struct Store_field {
    enum Kind { boolean, int32, uint32, float32, float64 };
    void* address;
    Kind kind;

    static Store_field of(bool& field) { return {&field, boolean}; }
    static Store_field of(int32_t& field) { return {&field, int32}; }
    static Store_field of(uint32_t& field) { return {&field, uint32}; }
    static Store_field of(float& field) { return {&field, float32}; }
    static Store_field of(double& field) { return {&field, float64}; }
};

// The items that "set ds.<group>.<item>" writes, in table order.
enum class Settable_group { monitor_ecus, channels, vehicle };
struct Settable_item {
    const char* name;
    Settable_group group;
    // The item's field; index selects the channel and is 0 for the others.
    Store_field (*field)(Data_store& store, int index);
};
extern const Settable_item settable_items[];
extern const size_t settable_item_count;

// The item of the group with that name; null when there is none.
const Settable_item* find_settable(Settable_group group, const char* name);

// Writes the number typed (text, null when none was) into the field as one
// locked write with its change event. Float and double fields keep the
// value as typed and refuse one that is not finite; the others take it
// truncated toward zero and saturated at their limits, a boolean being
// whether that is non-zero. Anything but a whole number, a missing one
// included, is refused with a message naming the item, and nothing is
// written. Returns whether the field was written.
bool write_value(Data_store& store, Store_field field, const char* name, const char* text);
