#pragma once
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// An Object Pointer: shows the object its value names, or nothing for NULL_ID.
class Object_pointer_obj : public VT_obj {
public:
    // The list of IDs (count, then the list) names the objects a caller
    // means the pointer to show; the stand-in keeps no use for it.
    Object_pointer_obj(uint16_t id, const char* name, uint8_t n_ids, const uint16_t* ids, uint16_t value);

    uint16_t get_value() const;
    void set_value(uint16_t id);

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t value_;
};

}
