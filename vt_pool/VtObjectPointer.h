#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"

#include <cstdint>

// An Object Pointer (type 27): shows the object whose ID it holds.
class VtObjectPointer : public VtObject {
public:
    explicit VtObjectPointer(uint16_t oid);

    uint16_t getValue() const { return value.get(); }
    // A new ID also aims the observer at the new object.
    void setValue(uint16_t oid);

private:
    void walk(VtFieldWalker& fields) override;

    VtReference value{*this};
};
