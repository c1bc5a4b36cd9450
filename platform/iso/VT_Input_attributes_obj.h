#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// Input Attributes: the characters an Input String accepts or refuses.
class Input_attributes_obj : public VT_obj {
public:
    Input_attributes_obj(uint16_t id, const char* name, uint8_t validation_type, uint8_t length,
                         const char* validation_string, uint8_t n_macros, const Attribute_event_macro* macros);

private:
    void serialise_body(Record_writer& out) const override;

    uint8_t validation_type_;
    uint8_t length_;
    const char* validation_string_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
