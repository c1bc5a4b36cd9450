#include "platform/iso/VT_Line_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Line_obj::Line_obj(uint16_t id, const char* name, uint16_t line_attributes, uint16_t width, uint16_t height,
                   uint8_t line_direction, uint8_t n_macros, const Attribute_event_macro* macros)
    : VT_obj(id, line, name), line_attributes_(line_attributes), width_(width), height_(height),
      line_direction_(line_direction), n_macros_(n_macros), macros_(macros)
{
}

bool Line_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = height_;
    return true;
}

void Line_obj::serialise_body(Record_writer& out) const
{
    out.u16(line_attributes_);
    out.u16(width_);
    out.u16(height_);
    out.u8(line_direction_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

}
