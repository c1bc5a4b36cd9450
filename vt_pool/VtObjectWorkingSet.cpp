#include "vt_pool/VtObjectWorkingSet.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {100, "background_colour"},
};

}

VtObjectWorkingSet::VtObjectWorkingSet(uint16_t oid) : VtObject(oid, 0) {}

void VtObjectWorkingSet::walk(VtFieldWalker& fields)
{
    fields.colour("background_colour", background_colour);
    fields.flag("selectable", selectable);
    fields.reference("active_mask", active_mask);
    fields.childCount("n_objects", childs);
    fields.macroCount("n_macros");
    fields.languageCount("n_languages", languages);
    fields.childs("childs", childs);
    fields.macros("macros");
    fields.languages("language", languages);
}

VtAttributeTable VtObjectWorkingSet::attributes() const
{
    return attribute_ids;
}
