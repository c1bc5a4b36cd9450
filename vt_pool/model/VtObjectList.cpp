#include "vt_pool/model/VtObjectList.h"

int32_t VtObjectList::indexOf(uint16_t oid) const
{
    for (uint32_t i = 0; i < count(); ++i) {
        const VtObjectListEntry* entry = at(i);
        if (entry && entry->oid == oid)
            return int32_t(i);
    }
    return -1;
}

void VtObjectList::bindAll(VtObject& referrer)
{
    for (uint32_t i = 0; i < count(); ++i)
        if (VtObjectListEntry* entry = at(i))
            entry->bind(referrer);
}
