#pragma once
#include "vt_pool/model/VtEntryList.h"
#include "vt_pool/model/VtMacroRef.h"

// The macros of an object: a fixed number of entries, set when built.
class VtMacroList : private VtEntryList<VtMacroRef> {
public:
    explicit VtMacroList(uint32_t n) : VtEntryList(n) {}

    // False, and the entry is dropped, when the list is full.
    bool append(std::unique_ptr<VtMacroRef> entry) { return appendFixed(std::move(entry)); }
    using VtEntryList::at;
    using VtEntryList::capacity;
    using VtEntryList::clear;
    using VtEntryList::count;
};
