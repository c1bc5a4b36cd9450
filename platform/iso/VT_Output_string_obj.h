#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// An Output String: a text shown in a mask, its own or its String Variable's.
class Output_string_obj : public VT_obj {
public:
    Output_string_obj(uint16_t id, const char* name, uint16_t width, uint16_t height, uint8_t background_colour,
                      uint16_t font_attributes, uint8_t options, uint16_t variable_reference, uint8_t justification,
                      uint16_t length, char* value, uint8_t n_macros, const Attribute_event_macro* macros);

    bool get_displayed_size(int& width, int& height) const override;
    uint16_t get_length() const { return length_; }
    // The value's bytes (get_length() of them, no terminator).
    const char* get_value() const;
    // Puts the text into the value, cut to its length and padded with spaces.
    void __set_string(const char* text);

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t width_;
    uint16_t height_;
    uint8_t background_colour_;
    uint16_t font_attributes_;
    uint8_t options_;
    uint16_t variable_reference_;
    uint8_t justification_;
    uint16_t length_;
    char* value_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
