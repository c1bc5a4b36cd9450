#include "platform/iso/VT_Meter_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Meter_obj::Meter_obj(uint16_t id, const char* name, uint16_t width, uint8_t needle_colour, uint8_t border_colour,
                     uint8_t arc_and_tick_colour, uint8_t options, uint8_t number_of_ticks, uint8_t start_angle,
                     uint8_t end_angle, uint16_t min_value, uint16_t max_value, uint16_t variable_reference,
                     uint16_t value, uint8_t n_macros, const Attribute_event_macro* macros)
    : VT_obj(id, meter, name), width_(width), needle_colour_(needle_colour), border_colour_(border_colour),
      arc_and_tick_colour_(arc_and_tick_colour), options_(options), number_of_ticks_(number_of_ticks),
      start_angle_(start_angle), end_angle_(end_angle), min_value_(min_value), max_value_(max_value),
      variable_reference_(variable_reference), value_(value), n_macros_(n_macros), macros_(macros)
{
}

bool Meter_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = width_;
    return true;
}

void Meter_obj::serialise_body(Record_writer& out) const
{
    out.u16(width_);
    out.u8(needle_colour_);
    out.u8(border_colour_);
    out.u8(arc_and_tick_colour_);
    out.u8(options_);
    out.u8(number_of_ticks_);
    out.u8(start_angle_);
    out.u8(end_angle_);
    out.u16(min_value_);
    out.u16(max_value_);
    out.u16(variable_reference_);
    out.u16(value_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

}
