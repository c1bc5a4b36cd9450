#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Line from one corner of its box to the other.
class Line_obj : public VT_obj {
public:
    Line_obj(uint16_t id, const char* name, uint16_t line_attributes, uint16_t width, uint16_t height,
             uint8_t line_direction, uint8_t n_macros, const Attribute_event_macro* macros);

    bool get_displayed_size(int& width, int& height) const override;

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t line_attributes_;
    uint16_t width_;
    uint16_t height_;
    uint8_t line_direction_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
