#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_Attribute_object_placement.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Data Mask: one screen of the working set.
class Data_mask_obj : public VT_obj {
public:
    Data_mask_obj(uint16_t id, const char* name, uint8_t background_colour, uint16_t soft_key_mask, uint8_t n_objects,
                  uint8_t n_macros, Attribute_object_placement* objects, const Attribute_event_macro* macros);

    uint8_t get_object_count() const { return n_objects_; }
    const Attribute_object_placement* get_objects() const { return objects_; }
    uint16_t get_soft_key_mask() const;
    // Names another Soft Key Mask for the mask.
    void set_soft_key_mask(uint16_t id);

private:
    void serialise_body(Record_writer& out) const override;

    uint8_t background_colour_;
    uint16_t soft_key_mask_;
    uint8_t n_objects_;
    uint8_t n_macros_;
    Attribute_object_placement* objects_;
    const Attribute_event_macro* macros_;
};

}
