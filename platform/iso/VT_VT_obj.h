#pragma once
#include "platform/iso/VT_Command.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

template <class T>
class Object_pool_base;

namespace VT {

class Record_writer;

// The ISO 11783-6 object types, and the library's own kinds that stay in the
// pool's table but never reach a Virtual Terminal.
enum Object_type : uint8_t {
    working_set = 0,
    data_mask = 1,
    alarm_mask = 2,
    container = 3,
    soft_key_mask = 4,
    key = 5,
    button = 6,
    input_boolean = 7,
    input_string = 8,
    input_number = 9,
    input_list = 10,
    output_string = 11,
    output_number = 12,
    line = 13,
    rectangle = 14,
    ellipse = 15,
    polygon = 16,
    meter = 17,
    linear_bar_graph = 18,
    arched_bar_graph = 19,
    picture_graphic = 20,
    number_variable = 21,
    string_variable = 22,
    font_attributes = 23,
    line_attributes = 24,
    fill_attributes = 25,
    input_attributes = 26,
    object_pointer = 27,
    macro = 28,
    auxiliary_function = 29,
    auxiliary_input = 30,
    named_colour = 240,
    named_colour_mask = 241,
};

// One object of a pool: its ID, type and name, and its ISO 11783-6 record.
// Lists and buffers an object is given stay its owner's; the object keeps
// their addresses and reads them when the pool is written, so that they may
// be filled after the object is built.
class VT_obj {
public:
    static constexpr uint16_t NULL_ID = 65535;
    static constexpr size_t max_name = 47;

    // A name longer than max_name is a bug.
    VT_obj(uint16_t id, Object_type type, const char* name);
    virtual ~VT_obj();
    VT_obj(const VT_obj&) = delete;
    VT_obj& operator=(const VT_obj&) = delete;

    uint16_t get_id() const { return id_; }
    Object_type get_type() const { return type_; }
    const char* get_name() const { return name_; }

    // False for the kinds that never leave the pool.
    virtual bool is_uploaded() const { return true; }
    // The record: ID, ISO type and body.
    void serialise(Record_writer& out) const;
    // The size the object is drawn at, when it has one of its own.
    virtual bool get_displayed_size(int& width, int& height) const;

    // The pool whose lock guards the object from now on; set once the pool
    // has entered it in its table or loaded it.
    void set_pool(const Object_pool_base<VT_obj>* pool) { pool_ = pool; }
    // Null while the object is in no pool.
    const Object_pool_base<VT_obj>* get_pool() const { return pool_; }

protected:
    // What run-time accessors call first: stops the process when the pool's
    // lock is not the caller's. An object in no pool has no lock to check.
    void check_pool_locked() const;
    // Hands a change to the pool's client, under the lock the caller holds.
    void send_command(std::vector<uint8_t> message) const;
    // A run-time attribute change: keeps the value and tells the VT by
    // Change Attribute, unless the attribute holds it already.
    template <class T>
    void change_attribute(T& attribute, T value, uint8_t attribute_id)
    {
        check_pool_locked();
        if (attribute == value)
            return;
        attribute = value;
        if constexpr (std::is_same_v<T, float>)
            send_command(Command::float_attribute(get_id(), attribute_id, value));
        else
            send_command(Command::attribute(get_id(), attribute_id, uint32_t(value)));
    }
    virtual void serialise_body(Record_writer& out) const = 0;

private:
    const uint16_t id_;
    const Object_type type_;
    const Object_pool_base<VT_obj>* pool_ = nullptr;
    char name_[max_name + 1] = {};
};

}
