#pragma once
#include "platform/iso/VT_Attribute_object_placement.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// An Auxiliary Function the operator may assign to an auxiliary input.
class Auxiliary_function_obj : public VT_obj {
public:
    Auxiliary_function_obj(uint16_t id, const char* name, uint8_t background_colour, uint8_t function_type,
                           uint8_t n_objects, Attribute_object_placement* objects);

    uint8_t get_object_count() const { return n_objects_; }
    const Attribute_object_placement* get_objects() const { return objects_; }

private:
    void serialise_body(Record_writer& out) const override;

    uint8_t background_colour_;
    uint8_t function_type_;
    uint8_t n_objects_;
    Attribute_object_placement* objects_;
};

}
