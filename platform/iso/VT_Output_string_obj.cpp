#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Record_writer.h"
#include "platform/iso/VT_text.h"

#include <string>

namespace VT {

Output_string_obj::Output_string_obj(uint16_t id, const char* name, uint16_t width, uint16_t height,
                                     uint8_t background_colour, uint16_t font_attributes, uint8_t options,
                                     uint16_t variable_reference, uint8_t justification, uint16_t length, char* value,
                                     uint8_t n_macros, const Attribute_event_macro* macros)
    : VT_obj(id, output_string, name), width_(width), height_(height), background_colour_(background_colour),
      font_attributes_(font_attributes), options_(options), variable_reference_(variable_reference),
      justification_(justification), length_(length), value_(value), n_macros_(n_macros), macros_(macros)
{
}

bool Output_string_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = height_;
    return true;
}

void Output_string_obj::serialise_body(Record_writer& out) const
{
    out.u16(width_);
    out.u16(height_);
    out.u8(background_colour_);
    out.u16(font_attributes_);
    out.u8(options_);
    out.u16(variable_reference_);
    out.u8(justification_);
    out.u16(length_);
    out.text(value_, length_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

const char* Output_string_obj::get_value() const
{
    check_pool_locked();
    return value_;
}

void Output_string_obj::__set_string(const char* text)
{
    check_pool_locked();
    if (!value_)
        return;
    const std::string before(value_, length_);
    fill_text(value_, length_, text);
    if (before.compare(0, length_, value_, length_) != 0)
        send_command(Command::string_value(get_id(), value_, length_));
}

}
