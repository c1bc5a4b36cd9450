#pragma once
#include "vt_pool/VtLanguageCode.h"
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <cstdint>
#include <vector>

// The Working Set (type 0): the implement's entry in the VT, with its
// active mask and the objects of its designator.
class VtObjectWorkingSet : public VtObject {
public:
    explicit VtObjectWorkingSet(uint16_t oid);

    virtual const VtColour& getBackgroundColour() const { return background_colour; }
    virtual void setBackgroundColour(const VtColour& colour) { background_colour = colour; }

    uint16_t getActiveMask() const { return active_mask.get(); }
    VtObjectRefList& getChilds() { return childs; }
    void setActiveMask(uint16_t oid) { active_mask.set(oid); }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtColour background_colour;
    bool selectable = false;
    VtReference active_mask{*this};
    VtObjectRefList childs;
    std::vector<VtLanguageCode> languages;
};
