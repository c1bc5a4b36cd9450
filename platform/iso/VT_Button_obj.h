#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_Attribute_object_placement.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Button: a key drawn inside a mask.
class Button_obj : public VT_obj {
public:
    Button_obj(uint16_t id, const char* name, uint16_t width, uint16_t height, uint8_t background_colour,
               uint8_t border_colour, uint8_t key_code, uint8_t options, uint8_t n_objects, uint8_t n_macros,
               Attribute_object_placement* objects, const Attribute_event_macro* macros);

    uint8_t get_object_count() const { return n_objects_; }
    const Attribute_object_placement* get_objects() const { return objects_; }
    bool get_displayed_size(int& width, int& height) const override;

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t width_;
    uint16_t height_;
    uint8_t background_colour_;
    uint8_t border_colour_;
    uint8_t key_code_;
    uint8_t options_;
    uint8_t n_objects_;
    uint8_t n_macros_;
    Attribute_object_placement* objects_;
    const Attribute_event_macro* macros_;
};

}
