#include "vt_pool/model/VtObjectListEntry.h"
#include "vt_pool/VtObjectObserver.h"
#include "vt_pool/model/VtSerial.h"

VtObjectListEntry::VtObjectListEntry(uint16_t oid) : oid(oid), serial(nextVtSerial()) {}

VtObjectListEntry::~VtObjectListEntry() = default;

void VtObjectListEntry::bind(VtObject& referrer)
{
    observer.reset();
    observer = std::make_unique<VtObjectObserver>(referrer);
    observer->setOid(oid);
}
