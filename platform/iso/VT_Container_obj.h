#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_Attribute_object_placement.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Container: a group of objects shown or hidden together.
class Container_obj : public VT_obj {
public:
    Container_obj(uint16_t id, const char* name, uint16_t width, uint16_t height, uint8_t hidden, uint8_t n_objects,
                  uint8_t n_macros, Attribute_object_placement* objects, const Attribute_event_macro* macros);

    uint8_t get_object_count() const { return n_objects_; }
    const Attribute_object_placement* get_objects() const { return objects_; }
    bool get_displayed_size(int& width, int& height) const override;
    bool get_hidden() const;
    void set_hidden(bool hidden);

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t width_;
    uint16_t height_;
    uint8_t hidden_;
    uint8_t n_objects_;
    uint8_t n_macros_;
    Attribute_object_placement* objects_;
    const Attribute_event_macro* macros_;
};

}
