#include "platform/iso/VT_Ellipse_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Ellipse_obj::Ellipse_obj(uint16_t id, const char* name, uint16_t line_attributes, uint16_t width, uint16_t height,
                         uint8_t ellipse_type, uint8_t start_angle, uint8_t end_angle, uint16_t fill_attributes,
                         uint8_t n_macros, const Attribute_event_macro* macros)
    : VT_obj(id, ellipse, name), line_attributes_(line_attributes), width_(width), height_(height),
      ellipse_type_(ellipse_type), start_angle_(start_angle), end_angle_(end_angle), fill_attributes_(fill_attributes),
      n_macros_(n_macros), macros_(macros)
{
}

bool Ellipse_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = height_;
    return true;
}

void Ellipse_obj::serialise_body(Record_writer& out) const
{
    out.u16(line_attributes_);
    out.u16(width_);
    out.u16(height_);
    out.u8(ellipse_type_);
    out.u8(start_angle_);
    out.u8(end_angle_);
    out.u16(fill_attributes_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

}
