#pragma once
#include "vt_pool/VtObjectObserver.h"

#include <cstdint>

// A reference attribute of an object: the object ID it holds and the
// observer that links the holder to that object. Storing an ID leaves the
// observer as it is; retargeting also aims the observer at the new ID.
class VtReference {
public:
    explicit VtReference(VtObject& owner, uint16_t oid = 0xFFFF) : oid(oid), observer(owner) {}

    uint16_t get() const { return oid; }
    void set(uint16_t oid) { this->oid = oid; }
    void retarget(uint16_t oid)
    {
        this->oid = oid;
        observer.setOid(oid);
    }
    // The observer takes the ID held.
    void sync() { observer.setOid(oid); }
    const VtObjectObserver& getObserver() const { return observer; }

private:
    uint16_t oid;
    VtObjectObserver observer;
};
