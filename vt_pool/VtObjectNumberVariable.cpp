#include "vt_pool/VtObjectNumberVariable.h"
#include "vt_pool/VtFieldWalker.h"

VtObjectNumberVariable::VtObjectNumberVariable(uint16_t oid) : VtObject(oid, 21) {}

void VtObjectNumberVariable::walk(VtFieldWalker& fields)
{
    fields.u32("value", value);
}
