#include "vt_pool/VtObjectAlarmMask.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "background_colour"},
    {100, "background_colour"},
    {2, "soft_key_mask"},
    {3, "priority"},
    {4, "acoustic_signal"},
};

}

VtObjectAlarmMask::VtObjectAlarmMask(uint16_t oid) : VtObject(oid, 2) {}

void VtObjectAlarmMask::walk(VtFieldWalker& fields)
{
    fields.colour("background_colour", background_colour);
    fields.reference("soft_key_mask", soft_key_mask);
    fields.u8("priority", priority);
    fields.u8("acoustic_signal", acoustic_signal);
    fields.childCount("n_objects", childs);
    fields.macroCount("n_macros");
    fields.childs("childs", childs);
    fields.macros("macros");
}

VtAttributeTable VtObjectAlarmMask::attributes() const
{
    return attribute_ids;
}
