#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Input_number_obj::Input_number_obj(uint16_t id, const char* name, uint16_t width, uint16_t height,
                                   uint8_t background_colour, uint16_t font_attributes, uint8_t options,
                                   uint16_t variable_reference, uint32_t value, uint32_t min_value, uint32_t max_value,
                                   int32_t offset, float scale, uint8_t number_of_decimals, uint8_t format,
                                   uint8_t justification, uint8_t enabled, uint8_t n_macros,
                                   const Attribute_event_macro* macros)
    : VT_obj(id, input_number, name), width_(width), height_(height), background_colour_(background_colour),
      font_attributes_(font_attributes), options_(options), variable_reference_(variable_reference), value_(value),
      min_value_(min_value), max_value_(max_value), offset_(offset), scale_(scale),
      number_of_decimals_(number_of_decimals), format_(format), justification_(justification), enabled_(enabled),
      n_macros_(n_macros), macros_(macros)
{
}

bool Input_number_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = height_;
    return true;
}

void Input_number_obj::serialise_body(Record_writer& out) const
{
    out.u16(width_);
    out.u16(height_);
    out.u8(background_colour_);
    out.u16(font_attributes_);
    out.u8(options_);
    out.u16(variable_reference_);
    out.u32(value_);
    out.u32(min_value_);
    out.u32(max_value_);
    out.u32(uint32_t(offset_));
    out.f32(scale_);
    out.u8(number_of_decimals_);
    out.u8(format_);
    out.u8(justification_);
    out.u8(enabled_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

uint32_t Input_number_obj::get_value() const
{
    check_pool_locked();
    return value_;
}

void Input_number_obj::set_value(uint32_t value)
{
    check_pool_locked();
    if (value_ == value)
        return;
    value_ = value;
    send_command(Command::numeric_value(get_id(), value));
}

void Input_number_obj::set_min_value(uint32_t min_value)
{
    change_attribute(min_value_, min_value, Command::input_number_min);
}

void Input_number_obj::set_max_value(uint32_t max_value)
{
    change_attribute(max_value_, max_value, Command::input_number_max);
}

void Input_number_obj::set_offset(int32_t offset)
{
    change_attribute(offset_, offset, Command::input_number_offset);
}

float Input_number_obj::get_scale() const
{
    check_pool_locked();
    return scale_;
}

void Input_number_obj::set_scale(float scale)
{
    change_attribute(scale_, scale, Command::input_number_scale);
}

uint8_t Input_number_obj::get_no_decimals() const
{
    check_pool_locked();
    return number_of_decimals_;
}

void Input_number_obj::set_no_decimals(uint8_t decimals)
{
    change_attribute(number_of_decimals_, decimals, Command::input_number_decimals);
}

bool Input_number_obj::get_enabled() const
{
    check_pool_locked();
    return (enabled_ & 1) != 0;
}

void Input_number_obj::set_enabled(bool enabled)
{
    check_pool_locked();
    // Bit 0 of the byte; the others are options of their own.
    if (((enabled_ & 1) != 0) == enabled)
        return;
    enabled_ = uint8_t((enabled_ & ~1) | (enabled ? 1 : 0));
    send_command(Command::enable_disable(get_id(), enabled));
}

}
