#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// An Input Boolean: a check box the operator ticks.
class Input_boolean_obj : public VT_obj {
public:
    Input_boolean_obj(uint16_t id, const char* name, uint8_t background_colour, uint16_t width,
                      uint16_t foreground_colour, uint16_t variable_reference, uint8_t value, uint8_t enabled,
                      uint8_t n_macros, const Attribute_event_macro* macros);

    bool get_displayed_size(int& width, int& height) const override;

private:
    void serialise_body(Record_writer& out) const override;

    uint8_t background_colour_;
    uint16_t width_;
    uint16_t foreground_colour_;
    uint16_t variable_reference_;
    uint8_t value_;
    uint8_t enabled_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
