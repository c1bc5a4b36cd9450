#include "platform/iso/VT_Arched_bar_graph_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Arched_bar_graph_obj::Arched_bar_graph_obj(uint16_t id, const char* name, uint16_t width, uint16_t height,
                                           uint8_t colour, uint8_t target_line_colour, uint8_t options,
                                           uint8_t start_angle, uint8_t end_angle, uint16_t bar_graph_width,
                                           uint16_t min_value, uint16_t max_value, uint16_t variable_reference,
                                           uint16_t value, uint16_t target_value_variable_reference,
                                           uint16_t target_value, uint8_t n_macros, const Attribute_event_macro* macros)
    : VT_obj(id, arched_bar_graph, name), width_(width), height_(height), colour_(colour),
      target_line_colour_(target_line_colour), options_(options), start_angle_(start_angle), end_angle_(end_angle),
      bar_graph_width_(bar_graph_width), min_value_(min_value), max_value_(max_value),
      variable_reference_(variable_reference), value_(value),
      target_value_variable_reference_(target_value_variable_reference), target_value_(target_value),
      n_macros_(n_macros), macros_(macros)
{
}

bool Arched_bar_graph_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = height_;
    return true;
}

void Arched_bar_graph_obj::serialise_body(Record_writer& out) const
{
    out.u16(width_);
    out.u16(height_);
    out.u8(colour_);
    out.u8(target_line_colour_);
    out.u8(options_);
    out.u8(start_angle_);
    out.u8(end_angle_);
    out.u16(bar_graph_width_);
    out.u16(min_value_);
    out.u16(max_value_);
    out.u16(variable_reference_);
    out.u16(value_);
    out.u16(target_value_variable_reference_);
    out.u16(target_value_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

}
