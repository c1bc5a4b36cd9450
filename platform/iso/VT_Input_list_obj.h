#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_Attribute_object_id.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// An Input List: the operator picks one of its items.
class Input_list_obj : public VT_obj {
public:
    Input_list_obj(uint16_t id, const char* name, uint16_t width, uint16_t height, uint16_t variable_reference,
                   uint8_t value, uint8_t n_items, uint8_t enabled, uint8_t n_macros, Attribute_object_id* items,
                   const Attribute_event_macro* macros);

    bool get_displayed_size(int& width, int& height) const override;
    uint8_t get_item_count() const { return n_items_; }
    uint16_t get_item(uint8_t index) const;
    // Shows the object in the item's place; NULL_ID blanks the item. An index
    // outside the list changes nothing (false). The flag is accepted for the
    // callers' sake only.
    bool set_child_objects_val(uint8_t index, uint16_t id, bool flag);
    uint8_t get_value() const;
    void set_value(uint8_t value);
    bool get_enabled() const;
    // Lets the operator choose an item, or not.
    void set_enabled(bool enabled);

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t width_;
    uint16_t height_;
    uint16_t variable_reference_;
    uint8_t value_;
    uint8_t n_items_;
    uint8_t enabled_;
    uint8_t n_macros_;
    Attribute_object_id* items_;
    const Attribute_event_macro* macros_;
};

}
