#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <cstdint>

// An Auxiliary Function (type 29): a function that an auxiliary input
// can control, with the objects that show it.
class VtObjectAuxiliaryFunction : public VtObject {
public:
    explicit VtObjectAuxiliaryFunction(uint16_t oid);

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtColour background_colour;
    uint8_t function_type = 0;
    VtObjectRefList childs;
};
