#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_Polygon_point.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Polygon through its points.
class Polygon_obj : public VT_obj {
public:
    Polygon_obj(uint16_t id, const char* name, uint16_t width, uint16_t height, uint16_t line_attributes,
                uint16_t fill_attributes, uint8_t polygon_type, uint8_t n_points, uint8_t n_macros,
                const Polygon_point* points, const Attribute_event_macro* macros);

    bool get_displayed_size(int& width, int& height) const override;
    uint8_t get_point_count() const { return n_points_; }

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t width_;
    uint16_t height_;
    uint16_t line_attributes_;
    uint16_t fill_attributes_;
    uint8_t polygon_type_;
    uint8_t n_points_;
    uint8_t n_macros_;
    const Polygon_point* points_;
    const Attribute_event_macro* macros_;
};

}
