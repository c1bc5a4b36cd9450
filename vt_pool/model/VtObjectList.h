#pragma once
#include "vt_pool/model/VtEntryList.h"
#include "vt_pool/model/VtObjectListEntry.h"

// Object references without a position: the keys of a soft key mask, the
// elements of an input list.
class VtObjectList : public VtEntryList<VtObjectListEntry> {
public:
    void append(std::unique_ptr<VtObjectListEntry> entry) { appendGrowing(std::move(entry)); }
    // The first position holding that object; -1 when none does.
    int32_t indexOf(uint16_t oid) const;
    // Gives every entry an observer of the referring object.
    void bindAll(VtObject& referrer);
};
