#include "vt_pool/VtObjectContainer.h"
#include "vt_pool/VtFieldWalker.h"

VtObjectContainer::VtObjectContainer(uint16_t oid) : VtObject(oid, 3) {}

void VtObjectContainer::walk(VtFieldWalker& fields)
{
    fields.size("size", size);
    fields.flag("hidden", hidden);
    fields.childCount("n_objects", childs);
    fields.macroCount("n_macros");
    fields.childs("childs", childs);
    fields.macros("macros");
}
