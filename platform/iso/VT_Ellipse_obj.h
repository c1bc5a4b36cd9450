#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// An Ellipse, or a part of one.
class Ellipse_obj : public VT_obj {
public:
    Ellipse_obj(uint16_t id, const char* name, uint16_t line_attributes, uint16_t width, uint16_t height,
                uint8_t ellipse_type, uint8_t start_angle, uint8_t end_angle, uint16_t fill_attributes,
                uint8_t n_macros, const Attribute_event_macro* macros);

    bool get_displayed_size(int& width, int& height) const override;

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t line_attributes_;
    uint16_t width_;
    uint16_t height_;
    uint8_t ellipse_type_;
    uint8_t start_angle_;
    uint8_t end_angle_;
    uint16_t fill_attributes_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
