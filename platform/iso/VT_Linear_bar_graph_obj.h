#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Linear Bar Graph of a value between a minimum and a maximum.
class Linear_bar_graph_obj : public VT_obj {
public:
    Linear_bar_graph_obj(uint16_t id, const char* name, uint16_t width, uint16_t height, uint8_t colour,
                         uint8_t target_line_colour, uint8_t options, uint8_t number_of_ticks, uint16_t min_value,
                         uint16_t max_value, uint16_t variable_reference, uint16_t value,
                         uint16_t target_value_variable_reference, uint16_t target_value, uint8_t n_macros,
                         const Attribute_event_macro* macros);

    bool get_displayed_size(int& width, int& height) const override;

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t width_;
    uint16_t height_;
    uint8_t colour_;
    uint8_t target_line_colour_;
    uint8_t options_;
    uint8_t number_of_ticks_;
    uint16_t min_value_;
    uint16_t max_value_;
    uint16_t variable_reference_;
    uint16_t value_;
    uint16_t target_value_variable_reference_;
    uint16_t target_value_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
