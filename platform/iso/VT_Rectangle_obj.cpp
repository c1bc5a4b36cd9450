#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Rectangle_obj::Rectangle_obj(uint16_t id, const char* name, uint16_t line_attributes, uint16_t width, uint16_t height,
                             uint8_t line_suppression, uint16_t fill_attributes, uint8_t n_macros,
                             const Attribute_event_macro* macros)
    : VT_obj(id, rectangle, name), line_attributes_(line_attributes), width_(width), height_(height),
      line_suppression_(line_suppression), fill_attributes_(fill_attributes), n_macros_(n_macros), macros_(macros)
{
}

bool Rectangle_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = height_;
    return true;
}

void Rectangle_obj::serialise_body(Record_writer& out) const
{
    out.u16(line_attributes_);
    out.u16(width_);
    out.u16(height_);
    out.u8(line_suppression_);
    out.u16(fill_attributes_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

uint16_t Rectangle_obj::get_fill_attributes() const
{
    check_pool_locked();
    return fill_attributes_;
}

void Rectangle_obj::set_fill_attributes(uint16_t id)
{
    change_attribute(fill_attributes_, id, Command::rectangle_fill_attributes);
}

}
