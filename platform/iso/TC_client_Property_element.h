#pragma once
#include "platform/iso/TC_client_Ddi_reference.h"

namespace TC_client {

class Designator;
struct Value_presentation;

// A fixed value of a device element (ISO 11783-10 device property).
class Property_element : public Ddi_reference {
public:
    void set_ddi(uint16_t ddi) { ddi_ = ddi; }
    void set_value(int32_t value) { value_ = value; }
    void set_designator(const Designator* designator) { designator_ = designator; }
    void set_presentation(const Value_presentation* presentation) { presentation_ = presentation; }

    uint16_t get_ddi() const override { return ddi_; }
    int32_t get_value() const { return value_; }
    const Designator* get_designator() const { return designator_; }
    const Value_presentation* get_presentation() const { return presentation_; }

private:
    uint16_t ddi_ = 0;
    int32_t value_ = 0;
    const Designator* designator_ = nullptr;
    const Value_presentation* presentation_ = nullptr;
};

}
