#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// Font Attributes: colour, size, type and style of text.
class Font_attributes_obj : public VT_obj {
public:
    Font_attributes_obj(uint16_t id, const char* name, uint8_t font_colour, uint8_t font_size, uint8_t font_type,
                        uint8_t font_style, uint8_t n_macros, const Attribute_event_macro* macros);

private:
    void serialise_body(Record_writer& out) const override;

    uint8_t font_colour_;
    uint8_t font_size_;
    uint8_t font_type_;
    uint8_t font_style_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
