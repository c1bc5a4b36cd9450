#include "platform/iso/VT_Button_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Button_obj::Button_obj(uint16_t id, const char* name, uint16_t width, uint16_t height, uint8_t background_colour,
                       uint8_t border_colour, uint8_t key_code, uint8_t options, uint8_t n_objects, uint8_t n_macros,
                       Attribute_object_placement* objects, const Attribute_event_macro* macros)
    : VT_obj(id, button, name), width_(width), height_(height), background_colour_(background_colour),
      border_colour_(border_colour), key_code_(key_code), options_(options), n_objects_(n_objects), n_macros_(n_macros),
      objects_(objects), macros_(macros)
{
}

bool Button_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = height_;
    return true;
}

void Button_obj::serialise_body(Record_writer& out) const
{
    out.u16(width_);
    out.u16(height_);
    out.u8(background_colour_);
    out.u8(border_colour_);
    out.u8(key_code_);
    out.u8(options_);
    out.u8(n_objects_);
    out.u8(n_macros_);
    out.placements(*this, n_objects_, objects_);
    out.macros(n_macros_, macros_);
}

}
