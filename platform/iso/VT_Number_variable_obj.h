#pragma once
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Number Variable that other objects show.
class Number_variable_obj : public VT_obj {
public:
    Number_variable_obj(uint16_t id, const char* name, uint32_t value);

    uint32_t get_value() const;
    void set_value(uint32_t value);

private:
    void serialise_body(Record_writer& out) const override;

    uint32_t value_;
};

}
