#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtColour.h"

#include <cstdint>

// An Input Boolean (type 7): a check box the operator ticks; square.
class VtObjectInputFieldBoolean : public VtObject {
public:
    explicit VtObjectInputFieldBoolean(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    void setValue(uint8_t value) { this->value = value; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtColour background_colour;
    VtSize size;
    VtReference foreground_colour{*this};
    VtReference variable_reference{*this};
    uint8_t value = 0;
    bool enabled = false;
};
