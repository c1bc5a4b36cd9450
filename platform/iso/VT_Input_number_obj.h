#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// An Input Number: a number the operator enters, shown as (value + offset) x scale.
class Input_number_obj : public VT_obj {
public:
    Input_number_obj(uint16_t id, const char* name, uint16_t width, uint16_t height, uint8_t background_colour,
                     uint16_t font_attributes, uint8_t options, uint16_t variable_reference, uint32_t value,
                     uint32_t min_value, uint32_t max_value, int32_t offset, float scale, uint8_t number_of_decimals,
                     uint8_t format, uint8_t justification, uint8_t enabled, uint8_t n_macros,
                     const Attribute_event_macro* macros);

    bool get_displayed_size(int& width, int& height) const override;
    uint32_t get_value() const;
    // The range of values the operator may enter.
    uint32_t get_min_value() const { return min_value_; }
    uint32_t get_max_value() const { return max_value_; }
    void set_min_value(uint32_t min_value);
    void set_max_value(uint32_t max_value);
    void set_value(uint32_t value);
    int32_t get_offset() const { return offset_; }
    void set_offset(int32_t offset);
    float get_scale() const;
    void set_scale(float scale);
    uint8_t get_no_decimals() const;
    void set_no_decimals(uint8_t decimals);
    bool get_enabled() const;
    // Lets the operator change the number, or not.
    void set_enabled(bool enabled);

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t width_;
    uint16_t height_;
    uint8_t background_colour_;
    uint16_t font_attributes_;
    uint8_t options_;
    uint16_t variable_reference_;
    uint32_t value_;
    uint32_t min_value_;
    uint32_t max_value_;
    int32_t offset_;
    float scale_;
    uint8_t number_of_decimals_;
    uint8_t format_;
    uint8_t justification_;
    uint8_t enabled_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
