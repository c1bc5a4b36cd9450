#include "platform/iso/VT_Picture_graphic_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Picture_graphic_obj::Picture_graphic_obj(uint16_t id, const char* name, uint16_t width, uint16_t actual_width,
                                         uint16_t actual_height, uint8_t format, uint8_t options,
                                         uint8_t transparency_colour, uint32_t n_raw_data, uint8_t n_macros,
                                         const uint8_t* raw_data, const Attribute_event_macro* macros)
    : VT_obj(id, picture_graphic, name), width_(width), actual_width_(actual_width), actual_height_(actual_height),
      format_(format), options_(options), transparency_colour_(transparency_colour), n_raw_data_(n_raw_data),
      n_macros_(n_macros), raw_data_(raw_data), macros_(macros)
{
}

bool Picture_graphic_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    // scaled by width / actual width, rounded to the nearest pixel
    height = actual_width_ ? int((2u * actual_height_ * width_ + actual_width_) / (2u * actual_width_))
                           : actual_height_;
    return true;
}

void Picture_graphic_obj::serialise_body(Record_writer& out) const
{
    out.u16(width_);
    out.u16(actual_width_);
    out.u16(actual_height_);
    out.u8(format_);
    out.u8(options_);
    out.u8(transparency_colour_);
    out.u32(n_raw_data_);
    out.u8(n_macros_);
    out.bytes(raw_data_, n_raw_data_);
    out.macros(n_macros_, macros_);
}

}
