#pragma once
#include "platform/iso/VT_Attribute_event_macro.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A Rectangle, outlined and filled by its attribute objects.
class Rectangle_obj : public VT_obj {
public:
    Rectangle_obj(uint16_t id, const char* name, uint16_t line_attributes, uint16_t width, uint16_t height,
                  uint8_t line_suppression, uint16_t fill_attributes, uint8_t n_macros,
                  const Attribute_event_macro* macros);

    bool get_displayed_size(int& width, int& height) const override;
    uint16_t get_fill_attributes() const;
    void set_fill_attributes(uint16_t id);

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t line_attributes_;
    uint16_t width_;
    uint16_t height_;
    uint8_t line_suppression_;
    uint16_t fill_attributes_;
    uint8_t n_macros_;
    const Attribute_event_macro* macros_;
};

}
