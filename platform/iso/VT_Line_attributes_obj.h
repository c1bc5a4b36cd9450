#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// Line Attributes: colour, width and dash pattern of lines.
class Line_attributes_obj : public VT_obj {
public:
    Line_attributes_obj(uint16_t id, const char* name, uint8_t line_colour, uint8_t line_width, uint16_t line_art,
                        uint8_t n_macros, const Attribute_event_macro* macros);

private:
    void serialise_body(Record_writer& out) const override;

    uint8_t line_colour_;
    uint8_t line_width_;
    uint16_t line_art_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
