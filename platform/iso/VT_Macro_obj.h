#pragma once
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Macro: commands a Virtual Terminal runs on an event.
class Macro_obj : public VT_obj {
public:
    Macro_obj(uint16_t id, const char* name, uint16_t n_bytes, const uint8_t* commands);

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t n_bytes_;
    const uint8_t* commands_;
};

}
