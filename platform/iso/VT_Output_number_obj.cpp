#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Output_number_obj::Output_number_obj(uint16_t id, const char* name, uint16_t width, uint16_t height,
                                     uint8_t background_colour, uint16_t font_attributes, uint8_t options,
                                     uint16_t variable_reference, uint32_t value, int32_t offset, float scale,
                                     uint8_t number_of_decimals, uint8_t format, uint8_t justification,
                                     uint8_t n_macros, const Attribute_event_macro* macros)
    : VT_obj(id, output_number, name), width_(width), height_(height), background_colour_(background_colour),
      font_attributes_(font_attributes), options_(options), variable_reference_(variable_reference), value_(value),
      offset_(offset), scale_(scale), number_of_decimals_(number_of_decimals), format_(format),
      justification_(justification), n_macros_(n_macros), macros_(macros)
{
}

bool Output_number_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = height_;
    return true;
}

void Output_number_obj::serialise_body(Record_writer& out) const
{
    out.u16(width_);
    out.u16(height_);
    out.u8(background_colour_);
    out.u16(font_attributes_);
    out.u8(options_);
    out.u16(variable_reference_);
    out.u32(value_);
    out.u32(uint32_t(offset_));
    out.f32(scale_);
    out.u8(number_of_decimals_);
    out.u8(format_);
    out.u8(justification_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

uint32_t Output_number_obj::get_value() const
{
    check_pool_locked();
    return value_;
}

void Output_number_obj::set_value(uint32_t value)
{
    check_pool_locked();
    if (value_ == value)
        return;
    value_ = value;
    send_command(Command::numeric_value(get_id(), value));
}

void Output_number_obj::set_offset(int32_t offset)
{
    change_attribute(offset_, offset, Command::output_number_offset);
}

float Output_number_obj::get_scale() const
{
    check_pool_locked();
    return scale_;
}

void Output_number_obj::set_scale(float scale)
{
    change_attribute(scale_, scale, Command::output_number_scale);
}

uint8_t Output_number_obj::get_no_decimals() const
{
    check_pool_locked();
    return number_of_decimals_;
}

void Output_number_obj::set_no_decimals(uint8_t decimals)
{
    change_attribute(number_of_decimals_, decimals, Command::output_number_decimals);
}

}
