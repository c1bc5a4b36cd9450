#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtColour.h"

#include <cstdint>

// An Output Linear Bar Graph (type 18), with a target line.
class VtObjectLinearBarGraph : public VtObject {
public:
    explicit VtObjectLinearBarGraph(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint16_t getVariableReference() const { return variable_reference.get(); }
    uint16_t getTargetValueVariableReference() const { return target_value_variable_reference.get(); }
    void setValue(uint16_t value) { this->value = value; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtSize size;
    VtColour colour;
    VtColour target_line_colour;
    uint8_t options = 0;
    uint8_t number_of_ticks = 0;
    uint16_t min_value = 0;
    uint16_t max_value = 0;
    VtReference variable_reference{*this, 0};
    uint16_t value = 0;
    VtReference target_value_variable_reference{*this};
    uint16_t target_value = 0;
};
