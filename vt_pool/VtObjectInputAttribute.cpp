#include "vt_pool/VtObjectInputAttribute.h"
#include "vt_pool/VtFieldWalker.h"

VtObjectInputAttribute::VtObjectInputAttribute(uint16_t oid) : VtObject(oid, 26) {}

void VtObjectInputAttribute::walk(VtFieldWalker& fields)
{
    fields.u8("validation_type", validation_type);
    fields.stringL1("validation_string", validation_string);
    fields.macroCount("n_macros");
    fields.macros("macros");
}
