#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtColour.h"

#include <cstdint>

// An Output Arched Bar Graph (type 19), with a target line.
class VtObjectArchedBarGraph : public VtObject {
public:
    explicit VtObjectArchedBarGraph(uint16_t oid);
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
    uint8_t start_angle = 0;
    uint8_t end_angle = 0;
    uint16_t bar_graph_width = 0;
    uint16_t min_value = 0;
    uint16_t max_value = 0;
    VtReference variable_reference{*this};
    uint16_t value = 0;
    VtReference target_value_variable_reference{*this};
    uint16_t target_value = 0;
};
