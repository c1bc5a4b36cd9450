#pragma once
#include <cstddef>
#include <cstdint>

// One attribute ID that setAttribute takes: the record field it changes
// (null: taken, but nothing is read or changed), and whether a reference
// field's observer follows the new ID.
struct VtAttributeId {
    uint8_t aid;
    const char* field;
    bool retarget = true;
};

// The attribute IDs of one object type.
struct VtAttributeTable {
    VtAttributeTable() = default;
    template <size_t N>
    VtAttributeTable(const VtAttributeId (&ids)[N]) : ids(ids), count(N)
    {
    }

    const VtAttributeId* find(uint8_t aid) const
    {
        for (size_t i = 0; i < count; ++i)
            if (ids[i].aid == aid)
                return &ids[i];
        return nullptr;
    }

    const VtAttributeId* ids = nullptr;
    size_t count = 0;
};
