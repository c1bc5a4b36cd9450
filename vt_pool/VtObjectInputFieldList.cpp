#include "vt_pool/VtObjectInputFieldList.h"
#include "vt_pool/VtFieldWalker.h"
#include "vt_pool/VtReader.h"

#include <memory>

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "width"},
    {2, "height"},
    {3, "variable_reference"},
    {101, "size"},
};

}

VtObjectInputFieldList::VtObjectInputFieldList(uint16_t oid) : VtObject(oid, 10) {}

void VtObjectInputFieldList::walk(VtFieldWalker& fields)
{
    fields.size("size", size);
    fields.reference("variable_reference", variable_reference);
    fields.u8("value", value);
    fields.objectCount("n_elem", elements);
    fields.flag("enabled", enabled);
    fields.macroCount("n_macros");
    fields.objects("elements", elements);
    fields.macros("macros");
}

VtAttributeTable VtObjectInputFieldList::attributes() const
{
    return attribute_ids;
}

int VtObjectInputFieldList::read(VtReader& reader)
{
    const int result = VtObject::read(reader);
    elements.bindAll(*this);
    return result;
}

void VtObjectInputFieldList::addElement(uint16_t oid)
{
    elements.append(std::make_unique<VtObjectListEntry>(oid));
}
