#include "vt_pool/VtDisplayElement.h"
#include "vt_pool/VtDisplayInterface.h"
#include "vt_pool/VtObject.h"
#include "vt_pool/VtSession.h"

VtDisplayElement::VtDisplayElement(VtDisplayInterface& display, VtObject* object, VtDisplayElement* parent)
    : object(object), parent(parent), display(display)
{
    if (parent)
        parent->children.append(*this);
}

VtDisplayElement::~VtDisplayElement()
{
    for (VtDisplayElement* child = children.first(); child; child = children.first()) {
        children.remove(*child);
        child->parent = nullptr;
    }
    if (object_link.list)
        object_link.list->remove(*this);
    if (refresh_link.list)
        refresh_link.list->remove(*this);
    if (child_link.list)
        child_link.list->remove(*this);
    if (display.getSelectedElement() == this)
        display.setSelectedElement(nullptr);
}

void VtDisplayElement::invalidate(VtObject&)
{
    display.queueRefresh(*this);
}

void VtDisplayElement::deselect()
{
    const bool was_selected = selected;
    selected = false;
    if (was_selected)
        display.setSelectedElement(nullptr);
}

VtSession& VtDisplayElement::getSession() const
{
    return display.getSession();
}

uint16_t VtDisplayElement::getObjectId() const
{
    return object ? object->getOid() : VtObject::no_object;
}

uint16_t VtDisplayElement::getParentOid() const
{
    return parent ? parent->getObjectId() : VtObject::no_object;
}

uint32_t VtDisplayElement::getObjectType() const
{
    return object ? object->getType() : 99;
}

bool VtDisplayElement::descendsFrom(const VtDisplayElement& ancestor) const
{
    for (const VtDisplayElement* up = parent; up; up = up->parent)
        if (up == &ancestor)
            return true;
    return false;
}

void VtDisplayElement::activate(uint8_t activation_code, uint8_t key_code)
{
    const uint16_t mask = display.getActiveMask();
    if (getObjectType() == 5)
        getSession().sendSoftKeyActivation(getObjectId(), mask, key_code, activation_code);
    else if (getObjectType() == 6)
        getSession().sendButtonActivation(getObjectId(), mask, key_code, activation_code);
}

void VtDisplayElement::notifySelected()
{
    getSession().sendSelectInputObject(getObjectId(), true);
}

void VtDisplayElement::notifyDeselected()
{
    getSession().sendSelectInputObject(getObjectId(), false);
}

void VtDisplayElement::escape()
{
    if (!selected || open_for_edit)
        return;
    getSession().sendEsc(getObjectId(), 0);
    selected = false;
    display.setSelectedElement(nullptr);
}
