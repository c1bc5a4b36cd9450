#include "platform/iso/VT_Polygon_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Polygon_obj::Polygon_obj(uint16_t id, const char* name, uint16_t width, uint16_t height, uint16_t line_attributes,
                         uint16_t fill_attributes, uint8_t polygon_type, uint8_t n_points, uint8_t n_macros,
                         const Polygon_point* points, const Attribute_event_macro* macros)
    : VT_obj(id, polygon, name), width_(width), height_(height), line_attributes_(line_attributes),
      fill_attributes_(fill_attributes), polygon_type_(polygon_type), n_points_(n_points), n_macros_(n_macros),
      points_(points), macros_(macros)
{
}

bool Polygon_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = height_;
    return true;
}

void Polygon_obj::serialise_body(Record_writer& out) const
{
    out.u16(width_);
    out.u16(height_);
    out.u16(line_attributes_);
    out.u16(fill_attributes_);
    out.u8(polygon_type_);
    out.u8(n_points_);
    out.u8(n_macros_);
    out.points(n_points_, points_);
    out.macros(n_macros_, macros_);
}

}
