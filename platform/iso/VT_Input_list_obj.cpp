#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Input_list_obj::Input_list_obj(uint16_t id, const char* name, uint16_t width, uint16_t height,
                               uint16_t variable_reference, uint8_t value, uint8_t n_items, uint8_t enabled,
                               uint8_t n_macros, Attribute_object_id* items, const Attribute_event_macro* macros)
    : VT_obj(id, input_list, name), width_(width), height_(height), variable_reference_(variable_reference),
      value_(value), n_items_(n_items), enabled_(enabled), n_macros_(n_macros), items_(items), macros_(macros)
{
}

bool Input_list_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = height_;
    return true;
}

void Input_list_obj::serialise_body(Record_writer& out) const
{
    out.u16(width_);
    out.u16(height_);
    out.u16(variable_reference_);
    out.u8(value_);
    out.u8(n_items_);
    out.u8(enabled_);
    out.u8(n_macros_);
    out.references(n_items_, items_);
    out.macros(n_macros_, macros_);
}

uint16_t Input_list_obj::get_item(uint8_t index) const
{
    check_pool_locked();
    return index < n_items_ && items_ ? items_[index].get_id() : NULL_ID;
}

bool Input_list_obj::set_child_objects_val(uint8_t index, uint16_t id, bool)
{
    check_pool_locked();
    if (index >= n_items_ || !items_)
        return false;
    if (items_[index].get_id() != id) {
        items_[index].set_id(id);
        send_command(Command::list_item(get_id(), index, id));
    }
    return true;
}

uint8_t Input_list_obj::get_value() const
{
    check_pool_locked();
    return value_;
}

void Input_list_obj::set_value(uint8_t value)
{
    check_pool_locked();
    if (value_ == value)
        return;
    value_ = value;
    send_command(Command::numeric_value(get_id(), value));
}


bool Input_list_obj::get_enabled() const
{
    check_pool_locked();
    return (enabled_ & 1) != 0;
}

void Input_list_obj::set_enabled(bool enabled)
{
    check_pool_locked();
    // Bit 0 of the byte; the others are options of their own.
    if (((enabled_ & 1) != 0) == enabled)
        return;
    enabled_ = uint8_t((enabled_ & ~1) | (enabled ? 1 : 0));
    send_command(Command::enable_disable(get_id(), enabled));
}

}
