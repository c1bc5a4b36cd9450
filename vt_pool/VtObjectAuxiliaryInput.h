#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <cstdint>

// An Auxiliary Input (type 30): an input of an auxiliary device, with the
// objects that show it.
class VtObjectAuxiliaryInput : public VtObject {
public:
    explicit VtObjectAuxiliaryInput(uint16_t oid);

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtColour background_colour;
    uint8_t function_type = 0;
    uint8_t input_id = 0;
    VtObjectRefList childs;
};
