#include "platform/iso/VT_Line_attributes_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Line_attributes_obj::Line_attributes_obj(uint16_t id, const char* name, uint8_t line_colour, uint8_t line_width,
                                         uint16_t line_art, uint8_t n_macros, const Attribute_event_macro* macros)
    : VT_obj(id, line_attributes, name), line_colour_(line_colour), line_width_(line_width), line_art_(line_art),
      n_macros_(n_macros), macros_(macros)
{
}

void Line_attributes_obj::serialise_body(Record_writer& out) const
{
    out.u8(line_colour_);
    out.u8(line_width_);
    out.u16(line_art_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

}
