#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtObjectList.h"

#include <cstdint>

// A Soft Key Mask (type 4): the keys shown beside a mask.
class VtObjectSoftKeyMask : public VtObject {
public:
    explicit VtObjectSoftKeyMask(uint16_t oid);

    VtObjectList& getChilds() { return childs; }
    void setBackgroundColour(const VtColour& colour) { background_colour = colour; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtColour background_colour;
    VtObjectList childs;
};
