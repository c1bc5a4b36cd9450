#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Meter: a needle over a scale.
class Meter_obj : public VT_obj {
public:
    Meter_obj(uint16_t id, const char* name, uint16_t width, uint8_t needle_colour, uint8_t border_colour,
              uint8_t arc_and_tick_colour, uint8_t options, uint8_t number_of_ticks, uint8_t start_angle,
              uint8_t end_angle, uint16_t min_value, uint16_t max_value, uint16_t variable_reference, uint16_t value,
              uint8_t n_macros, const Attribute_event_macro* macros);

    bool get_displayed_size(int& width, int& height) const override;

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t width_;
    uint8_t needle_colour_;
    uint8_t border_colour_;
    uint8_t arc_and_tick_colour_;
    uint8_t options_;
    uint8_t number_of_ticks_;
    uint8_t start_angle_;
    uint8_t end_angle_;
    uint16_t min_value_;
    uint16_t max_value_;
    uint16_t variable_reference_;
    uint16_t value_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
