#include "vt_pool/VtObjectMacro.h"
#include "vt_pool/VtFieldWalker.h"

VtObjectMacro::VtObjectMacro(uint16_t oid) : VtObject(oid, 28) {}

void VtObjectMacro::walk(VtFieldWalker& fields)
{
    fields.dataLength("number_bytes_to_follow", 2, commands);
    fields.data("commans", commands);
}
