#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Picture Graphic, shown at its width with the height scaled alike.
class Picture_graphic_obj : public VT_obj {
public:
    Picture_graphic_obj(uint16_t id, const char* name, uint16_t width, uint16_t actual_width, uint16_t actual_height,
                        uint8_t format, uint8_t options, uint8_t transparency_colour, uint32_t n_raw_data,
                        uint8_t n_macros, const uint8_t* raw_data, const Attribute_event_macro* macros);

    bool get_displayed_size(int& width, int& height) const override;

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t width_;
    uint16_t actual_width_;
    uint16_t actual_height_;
    uint8_t format_;
    uint8_t options_;
    uint8_t transparency_colour_;
    uint32_t n_raw_data_;
    uint8_t n_macros_;
    const uint8_t* raw_data_;
    const Attribute_event_macro* macros_;
};

}
