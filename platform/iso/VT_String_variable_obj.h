#pragma once
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A String Variable that other objects show.
class String_variable_obj : public VT_obj {
public:
    String_variable_obj(uint16_t id, const char* name, uint16_t length, char* value);

    uint16_t get_length() const { return length_; }
    // The value's bytes (get_length() of them, no terminator).
    const char* get_value() const;
    // Puts the text into the value, cut to its length and padded with spaces.
    void __set_string(const char* text);

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t length_;
    char* value_;
};

}
