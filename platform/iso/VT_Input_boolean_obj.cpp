#include "platform/iso/VT_Input_boolean_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Input_boolean_obj::Input_boolean_obj(uint16_t id, const char* name, uint8_t background_colour, uint16_t width,
                                     uint16_t foreground_colour, uint16_t variable_reference, uint8_t value,
                                     uint8_t enabled, uint8_t n_macros, const Attribute_event_macro* macros)
    : VT_obj(id, input_boolean, name), background_colour_(background_colour), width_(width),
      foreground_colour_(foreground_colour), variable_reference_(variable_reference), value_(value), enabled_(enabled),
      n_macros_(n_macros), macros_(macros)
{
}

bool Input_boolean_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = width_;
    return true;
}

void Input_boolean_obj::serialise_body(Record_writer& out) const
{
    out.u8(background_colour_);
    out.u16(width_);
    out.u16(foreground_colour_);
    out.u16(variable_reference_);
    out.u8(value_);
    out.u8(enabled_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

}
