#include "vt_pool/VtObjectPointer.h"
#include "vt_pool/VtFieldWalker.h"

VtObjectPointer::VtObjectPointer(uint16_t oid) : VtObject(oid, 27) {}

void VtObjectPointer::walk(VtFieldWalker& fields)
{
    fields.reference("value", value);
}

void VtObjectPointer::setValue(uint16_t oid)
{
    if (oid != value.get())
        value.retarget(oid);
}
