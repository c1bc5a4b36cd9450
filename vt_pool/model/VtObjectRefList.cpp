#include "vt_pool/model/VtObjectRefList.h"

void VtObjectRefList::setPositions(uint16_t oid, int32_t x, int32_t y, bool relative)
{
    for (uint32_t i = 0; i < count(); ++i) {
        VtObjectRef* entry = at(i);
        if (!entry || entry->oid != oid)
            continue;
        if (relative) {
            entry->x += x;
            entry->y += y;
        } else {
            entry->x = x;
            entry->y = y;
        }
    }
}
