#pragma once
#include "vt_pool/VtObject.h"

#include <cstdint>
#include <memory>
#include <vector>

class VtObjectDataMask;
class VtObjectWorkingSet;
class VtWriter;

// The objects of a pool built in code, held by object ID while it is built
// and then encoded in ID order. IDs are handed out densely from 10000 in
// creation order; the Working Set takes the first.
class VtPool {
public:
    static constexpr uint32_t capacity = 0x10000;
    static constexpr uint32_t first_oid = 10000;

    VtPool();
    ~VtPool();
    VtPool(const VtPool&) = delete;
    VtPool& operator=(const VtPool&) = delete;

    // The next free object ID. Handing out 65535 (no object) or more is a
    // bug: the pool would be missing objects its screens name.
    uint16_t nextOid();
    // Stores the object under its ID; an object already there is destroyed
    // and the ID names the new one. A Working Set becomes the working set;
    // replacing the working set by another type leaves none. An object
    // numbered 65535 cannot be named and is destroyed: false.
    bool add(std::unique_ptr<VtObject> object);
    // Null when no object has that ID.
    VtObject* get(uint32_t oid) const;
    // Destroys every object in ID order; no working set afterwards.
    void clear();
    // Writes every object's record in ascending ID order. 0 when the whole
    // pool was written; 1 at the first write that failed (the writer then
    // holds a cut pool that must not be used).
    int serialise(VtWriter& writer) const;

    VtObjectWorkingSet* getWorkingSet() const { return working_set; }
    // The last Data Mask made by createDataMask; null before the first.
    VtObjectDataMask* getCurrentMask() const { return current_mask; }
    void setCurrentMask(VtObjectDataMask* mask) { current_mask = mask; }

    // Subtracted from the band placements' vertical position.
    uint32_t band_offset = 2;
    // The inner margins of input fields.
    uint32_t margin_x = 2;
    uint32_t margin_y = 2;

private:
    uint32_t next_oid = first_oid;
    std::vector<std::unique_ptr<VtObject>> objects;
    VtObjectWorkingSet* working_set = nullptr;
    VtObjectDataMask* current_mask = nullptr;
};
