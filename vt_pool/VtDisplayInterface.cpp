#include "vt_pool/VtDisplayInterface.h"
#include "vt_pool/VtChildList.h"
#include "vt_pool/VtDisplayElement.h"
#include "vt_pool/VtObjectAlarmMask.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectPointer.h"
#include "vt_pool/VtObjectSoftKeyMask.h"
#include "vt_pool/VtObjectWorkingSet.h"
#include "vt_pool/VtSession.h"
#include "vt_pool/VtSystemInterface.h"
#include "vt_pool/model/VtLogger.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectRefList.h"

namespace {

// Deeper than any mask a working set draws; a peer's chain of containers
// stops here instead of at the end of the stack.
constexpr unsigned max_depth = 64;

uint16_t softKeyMaskOf(const VtObject& mask)
{
    if (mask.getType() == 1)
        return static_cast<const VtObjectDataMask&>(mask).getSoftKeyMask();
    return static_cast<const VtObjectAlarmMask&>(mask).getSoftKeyMask();
}

bool isMask(const VtObject* object)
{
    return object && (object->getType() == 1 || object->getType() == 2);
}

// Whether an element under that parent may show the object: not when an
// element above already shows it, which would nest it in itself for ever.
bool mayNest(const VtObject& object, const VtDisplayElement* parent)
{
    unsigned depth = 0;
    for (const VtDisplayElement* up = parent; up; up = up->getParent()) {
        if (up->getObject() == &object || ++depth > max_depth)
            return false;
    }
    return true;
}

}

VtDisplayInterface::VtDisplayInterface(VtSession& session) : session(session) {}

void VtDisplayInterface::setActiveMask(uint16_t oid)
{
    active_mask = oid;
    VtObject* mask = session.lookup(oid);
    if (mask)
        createElement(mask, nullptr, 0, 0, 0);
    if (!isMask(mask)) {
        setMaskElement(nullptr);
        return;
    }
    setMaskElement(mask->getDisplayElements().first());
    setActiveSoftKeyMask(softKeyMaskOf(*mask));
}

void VtDisplayInterface::setActiveSoftKeyMask(uint16_t oid)
{
    active_soft_key_mask = oid;
    VtObject* mask = session.lookup(oid);
    if (!mask || mask->getType() != 4) {
        setSoftKeyElement(nullptr);
        return;
    }
    createElement(mask, nullptr, 0, 0, 0);
    setSoftKeyElement(mask->getDisplayElements().first());
}

void VtDisplayInterface::refreshAll()
{
    while (VtDisplayElement* element = refresh_list.first()) {
        refresh_list.remove(*element);
        element->refresh();
    }
}

VtDisplayElement* VtDisplayInterface::createElement(VtObject* object, VtDisplayElement* parent, int32_t x,
                                                    int32_t y, uint32_t tag)
{
    if (!object)
        return nullptr;
    VtLogger* logger = session.getLogger();
    if (logger)
        logger->print("Create Display Object for type %s, oid=%d\n", VtObject::getTypeName(object->getType()),
                      object->getOid());
    session.periodicStatus();
    if (!parent) {
        parent = rootElement();
        if (!parent) {
            if (logger)
                logger->print("Parent Display Element missing\n");
            return nullptr;
        }
    }
    if (!mayNest(*object, parent))
        return nullptr;
    const uint32_t type = object->getType();
    if (type == 4) {
        VtDisplayElement* found = object->getDisplayElements().first();
        if (!found)
            found = adopt(createSoftKeyMaskElement(*object, parent), *object, tag);
        return createSoftKeyMask(*object, found);
    }
    VtDisplayElement* found = object->getDisplayElements().findElement(parent, tag);
    if ((type >= 21 && type <= 26) || type > 27)
        return found;
    if (type >= 7 && type <= 20)
        return found ? found : adopt(createLeaf(*object, parent, x, y), *object, tag);
    if (type == 0) {
        createWorkingSet(*object, parent, x, y);
        return nullptr;
    }
    if (!found) {
        VtDisplayElement* created = nullptr;
        switch (type) {
        case 1:
            created = createDataMaskElement(*object, parent, x, y);
            break;
        case 2:
            created = createAlarmMaskElement(*object, parent, x, y);
            break;
        case 3:
            created = createContainerElement(*object, parent, x, y);
            break;
        case 5:
            created = createKeyElement(*object, parent, x, y);
            break;
        case 6:
            created = createButtonElement(*object, parent, x, y);
            break;
        default:
            created = createPointerElement(*object, parent, x, y);
            break;
        }
        found = adopt(created, *object, tag);
    }
    if (!found)
        return nullptr;
    if (type == 27)
        return createPointer(*object, found);
    if (type == 1 && logger)
        logger->print("***DataMask, oid=%d, sk_mask=%d\n", object->getOid(), softKeyMaskOf(*object));
    return createWithChildren(*object, parent, x, y, found);
}

VtDisplayElement* VtDisplayInterface::adopt(VtDisplayElement* element, VtObject& object, uint32_t tag)
{
    if (element) {
        element->setTag(tag);
        object.getDisplayElements().append(*element);
    }
    return element;
}

VtDisplayElement* VtDisplayInterface::createSoftKeyMask(VtObject& mask, VtDisplayElement* element)
{
    if (!element)
        return nullptr;
    VtObjectList& keys = static_cast<VtObjectSoftKeyMask&>(mask).getChilds();
    VtSystemInterface* system = session.getSystem();
    int32_t offset = 0;
    for (uint32_t i = 0; i < keys.count(); ++i) {
        const VtObjectListEntry* entry = keys.at(i);
        VtObject* key = session.lookup(entry->oid);
        VtDisplayElement* key_element = key ? createElement(key, element, 0, offset, entry->serial) : nullptr;
        uint32_t height = 32;
        if (system) {
            VtSystemInterface::SoftKeys soft_keys = system->softKeys();
            height = soft_keys.descriptor_height;
            if (key_element)
                key_element->resize(int32_t(soft_keys.descriptor_width), int32_t(height));
        }
        offset += int32_t(height);
    }
    return element;
}

VtDisplayElement* VtDisplayInterface::createWithChildren(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                         int32_t y, VtDisplayElement* element)
{
    // A key draws its children inside its one-pixel frame.
    const int32_t inset = object.getType() == 5 ? 1 : 0;
    VtObjectRefList& childs = *childListOf(object);
    for (uint32_t i = 0; i < childs.count(); ++i) {
        const VtObjectRef* entry = childs.at(i);
        VtDisplayElement* child =
            createElement(session.lookup(entry->oid), element, entry->x + inset, entry->y + inset, entry->serial);
        if (child)
            child->realize();
    }
    if (isMask(&object))
        createElement(session.lookup(softKeyMaskOf(object)), parent, x, y, 0);
    return element;
}

VtDisplayElement* VtDisplayInterface::createPointer(VtObject& pointer, VtDisplayElement* element)
{
    element->resize(0, 0);
    VtObject* target = session.lookup(static_cast<VtObjectPointer&>(pointer).getValue());
    VtDisplayElement* shown = target ? createElement(target, element, 0, 0, 0) : nullptr;
    if (!shown) {
        element->hide();
        return element;
    }
    element->resize(shown->width(), shown->height());
    if (shown->isHidden())
        element->hide();
    else
        element->show();
    return element;
}

VtDisplayElement* VtDisplayInterface::createLeaf(VtObject& object, VtDisplayElement* parent, int32_t x, int32_t y)
{
    switch (object.getType()) {
    case 7:
        return createInputBooleanElement(object, parent, x, y);
    case 8:
        return createInputStringElement(object, parent, x, y);
    case 9:
        return createInputNumberElement(object, parent, x, y);
    case 10:
        return createInputListElement(object, parent, x, y);
    case 11:
        return createOutputStringElement(object, parent, x, y);
    case 12:
        return createOutputNumberElement(object, parent, x, y);
    case 13:
        return createLineElement(object, parent, x, y);
    case 14:
        return createRectangleElement(object, parent, x, y);
    case 15:
        return createEllipseElement(object, parent, x, y);
    case 16:
        return createPolygonElement(object, parent, x, y);
    case 17:
        return createMeterElement(object, parent, x, y);
    case 18:
        return createLinearBarGraphElement(object, parent, x, y);
    case 19:
        return createArchedBarGraphElement(object, parent, x, y);
    default:
        return createPictureGraphicElement(object, parent, x, y);
    }
}

void VtDisplayInterface::createWorkingSet(VtObject& working_set, VtDisplayElement* parent, int32_t x, int32_t y)
{
    const uint16_t mask = static_cast<VtObjectWorkingSet&>(working_set).getActiveMask();
    if (VtLogger* logger = session.getLogger())
        logger->print("***WorkingSet: active_mask=%d\n", mask);
    createElement(session.lookup(mask), parent, x, y, 0);
    for (uint32_t oid = 0; oid < 0xFFFF; ++oid) {
        VtObject* object = session.lookup(uint16_t(oid));
        if (object && (isMask(object) || object->getType() == 4))
            createElement(object, parent, x, y, 0);
    }
}
