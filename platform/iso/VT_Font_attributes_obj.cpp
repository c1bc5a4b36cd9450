#include "platform/iso/VT_Font_attributes_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Font_attributes_obj::Font_attributes_obj(uint16_t id, const char* name, uint8_t font_colour, uint8_t font_size,
                                         uint8_t font_type, uint8_t font_style, uint8_t n_macros,
                                         const Attribute_event_macro* macros)
    : VT_obj(id, font_attributes, name), font_colour_(font_colour), font_size_(font_size), font_type_(font_type),
      font_style_(font_style), n_macros_(n_macros), macros_(macros)
{
}

void Font_attributes_obj::serialise_body(Record_writer& out) const
{
    out.u8(font_colour_);
    out.u8(font_size_);
    out.u8(font_type_);
    out.u8(font_style_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

}
