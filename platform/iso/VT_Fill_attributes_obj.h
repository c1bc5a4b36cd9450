#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// Fill Attributes: how shapes are filled.
class Fill_attributes_obj : public VT_obj {
public:
    Fill_attributes_obj(uint16_t id, const char* name, uint8_t fill_type, uint8_t fill_colour, uint16_t fill_pattern,
                        uint8_t n_macros, const Attribute_event_macro* macros);

private:
    void serialise_body(Record_writer& out) const override;

    uint8_t fill_type_;
    uint8_t fill_colour_;
    uint16_t fill_pattern_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
