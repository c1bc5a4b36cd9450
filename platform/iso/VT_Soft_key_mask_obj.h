#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_Attribute_object_id.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Soft Key Mask: the keys (or pointers to keys) shown beside a mask.
class Soft_key_mask_obj : public VT_obj {
public:
    Soft_key_mask_obj(uint16_t id, const char* name, uint8_t background_colour, uint8_t n_objects, uint8_t n_macros,
                      Attribute_object_id* objects, const Attribute_event_macro* macros);

    uint8_t get_object_count() const { return n_objects_; }
    const Attribute_object_id* get_objects() const { return objects_; }

private:
    void serialise_body(Record_writer& out) const override;

    uint8_t background_colour_;
    uint8_t n_objects_;
    uint8_t n_macros_;
    Attribute_object_id* objects_;
    const Attribute_event_macro* macros_;
};

}
