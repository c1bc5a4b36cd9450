#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_Attribute_lang.h"
#include "platform/iso/VT_Attribute_object_placement.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// The Working Set: the pool's root, its designator objects and the mask shown first.
class Working_set_obj : public VT_obj {
public:
    Working_set_obj(uint16_t id, const char* name, uint8_t background_colour, uint8_t selectable, uint16_t active_mask,
                    uint8_t n_objects, uint8_t n_macros, uint8_t n_languages, Attribute_object_placement* objects,
                    const Attribute_event_macro* macros, const Attribute_lang* languages);

    uint8_t get_object_count() const { return n_objects_; }
    const Attribute_object_placement* get_objects() const { return objects_; }

private:
    void serialise_body(Record_writer& out) const override;

    uint8_t background_colour_;
    uint8_t selectable_;
    uint16_t active_mask_;
    uint8_t n_objects_;
    uint8_t n_macros_;
    uint8_t n_languages_;
    Attribute_object_placement* objects_;
    const Attribute_event_macro* macros_;
    const Attribute_lang* languages_;
};

}
