#include "vt_pool/VtObject.h"
#include "vt_pool/VtDisplayElement.h"
#include "vt_pool/VtFieldReader.h"
#include "vt_pool/VtFieldWriter.h"
#include "vt_pool/VtObjectObserver.h"
#include "vt_pool/VtObjectTable.h"
#include "vt_pool/VtPendingChangeList.h"
#include "vt_pool/model/VtMacroList.h"

#include <atomic>

namespace {

const char* const type_names[] = {
    "VtObjectTypeWorkingSet",
    "VtObjectTypeDataMask",
    "VtObjectTypeAlarmMask",
    "VtObjectTypeContainer",
    "VtObjectTypeSoftKeyMask",
    "VtObjectTypeKey",
    "VtObjectTypeButton",
    "VtObjectTypeInputFieldBoolean",
    "VtObjectTypeInputFieldString",
    "VtObjectTypeInputFieldNumber",
    "VtObjectTypeInputFieldList",
    "VtObjectTypeOutputFieldString",
    "VtObjectTypeOutputFieldNumber",
    "VtObjectTypeLine",
    "VtObjectTypeRectangle",
    "VtObjectTypeEllipse",
    "VtObjectTypePolygon",
    "VtObjectTypeMeter",
    "VtObjectTypeLinearBarGraph",
    "VtObjectTypeArchedBarGraph",
    "VtObjectTypePictureGraphic",
    "VtObjectTypeNumberVariable",
    "VtObjectTypeStringVariable",
    "VtObjectTypeFontAttribute",
    "VtObjectTypeLineAttribute",
    "VtObjectTypeFillAttribute",
    "VtObjectTypeInputAttribute",
    "VtObjectTypePointer",
    "VtObjectTypeMacro",
    "VtObjectTypeAuxiliaryFunction",
    "VtObjectTypeAuxiliaryInput",
};

// The character cells of the ISO 11783-6 font size codes 0 to 14.
const VtSize font_sizes[] = {
    {6, 8},   {8, 8},   {8, 12},  {12, 16}, {16, 16},  {16, 24},  {24, 32},   {32, 32},
    {32, 48}, {48, 64}, {64, 64}, {64, 96}, {96, 128}, {128, 128}, {128, 192},
};

uint32_t next_instance()
{
    static std::atomic<uint32_t> counter{1};
    return counter++;
}

}

VtObject::VtObject(uint16_t oid, uint32_t type) : oid(oid), type(type), instance(next_instance()) {}

VtObject::~VtObject()
{
    // Whoever still refers to this object is left unresolved, not dangling.
    while (referrers_head)
        referrers_head->detach();
    if (pending_list)
        pending_list->remove(*this);
    display_elements.closeAll();
}

int VtObject::read(VtReader& reader)
{
    VtFieldReader fields(*this, reader);
    walk(fields);
    return fields.complete() ? 0 : 1;
}

int VtObject::setAttribute(uint8_t aid, VtReader& reader)
{
    const VtAttributeId* id = attributes().find(aid);
    if (!id)
        return 2;
    if (id->field) {
        VtFieldReader field(*this, reader, *id);
        walk(field);
    }
    return 0;
}

int VtObject::write(VtWriter& writer)
{
    VtFieldWriter fields(*this, writer);
    walk(fields);
    return fields.complete() ? 0 : 1;
}

void VtObject::setSize(VtSize) {}

uint32_t VtObject::getMacroCount() const
{
    return macros ? macros->count() : 0;
}

void VtObject::resolveReferences(const VtObjectTable& session)
{
    for (VtObjectObserver* observer = own_references; observer; observer = observer->next_of_owner) {
        if (observer->getOid() == no_object)
            continue;
        if (VtObject* target = session.lookup(observer->getOid()))
            observer->attach(*target);
    }
}

void VtObject::notifyChanged()
{
    if (notifying)
        return;
    notifying = true;
    for (VtDisplayElement* element = display_elements.first(); element; element = display_elements.next(*element))
        element->invalidate(*this);
    for (VtObjectObserver* observer = referrers_head; observer; observer = observer->next_referrer)
        observer->notify();
    notifying = false;
}

const char* VtObject::getTypeName(uint32_t type)
{
    if (type < sizeof type_names / sizeof type_names[0])
        return type_names[type];
    return type == 99 ? "VtObjectTypeUnknown" : "UNKNOWN";
}

void VtObject::getFontSize(uint32_t code, uint32_t& width, uint32_t& height)
{
    const VtSize cell = code < sizeof font_sizes / sizeof font_sizes[0] ? font_sizes[code] : VtSize(8, 8);
    width = cell.width;
    height = cell.height;
}
