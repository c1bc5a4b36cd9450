#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <cstdint>

// A Data Mask (type 1): a screen of the working set, with its soft key mask.
class VtObjectDataMask : public VtObject {
public:
    explicit VtObjectDataMask(uint16_t oid);

    uint16_t getSoftKeyMask() const { return soft_key_mask.get(); }
    VtObjectRefList& getChilds() { return childs; }
    void setBackgroundColour(const VtColour& colour) { background_colour = colour; }
    // Also aims the reference's observer at the new object.
    void setSoftKeyMask(uint16_t oid) { soft_key_mask.retarget(oid); }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtColour background_colour;
    VtReference soft_key_mask{*this};
    VtObjectRefList childs;
};
