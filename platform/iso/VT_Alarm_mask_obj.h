#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_Attribute_object_placement.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// An Alarm Mask: the screen a Virtual Terminal shows over the others for an alarm.
class Alarm_mask_obj : public VT_obj {
public:
    Alarm_mask_obj(uint16_t id, const char* name, uint8_t background_colour, uint16_t soft_key_mask, uint8_t priority,
                   uint8_t acoustic_signal, uint8_t n_objects, uint8_t n_macros, Attribute_object_placement* objects,
                   const Attribute_event_macro* macros);

    uint8_t get_object_count() const { return n_objects_; }
    const Attribute_object_placement* get_objects() const { return objects_; }
    // 0 high, 1 medium, 2 low; fixed when the mask is built, so read without the lock.
    uint8_t get_priority() const { return priority_; }

private:
    void serialise_body(Record_writer& out) const override;

    uint8_t background_colour_;
    uint16_t soft_key_mask_;
    uint8_t priority_;
    uint8_t acoustic_signal_;
    uint8_t n_objects_;
    uint8_t n_macros_;
    Attribute_object_placement* objects_;
    const Attribute_event_macro* macros_;
};

}
