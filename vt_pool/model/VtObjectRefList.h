#pragma once
#include "vt_pool/model/VtEntryList.h"
#include "vt_pool/model/VtObjectRef.h"

// The positioned children of a mask, container, key or button.
class VtObjectRefList : public VtEntryList<VtObjectRef> {
public:
    void append(std::unique_ptr<VtObjectRef> entry) { appendGrowing(std::move(entry)); }
    // Moves every child of that object: by (x, y) when relative, else to (x, y).
    void setPositions(uint16_t oid, int32_t x, int32_t y, bool relative);
};
