#include "vt_pool/VtObjectStringVariable.h"
#include "vt_pool/VtFieldWalker.h"

VtObjectStringVariable::VtObjectStringVariable(uint16_t oid) : VtObject(oid, 22) {}

void VtObjectStringVariable::walk(VtFieldWalker& fields)
{
    fields.string("value", value);
}
