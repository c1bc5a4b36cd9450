#include "vt_pool/VtDisplayElementList.h"
#include "vt_pool/VtDisplayElement.h"
#include "vt_pool/model/VtDisplayElementCommand.h"

VtDisplayElementList::~VtDisplayElementList()
{
    while (head)
        unlink(*head);
}

VtDisplayElementLink& VtDisplayElementList::linkOf(VtDisplayElement& element) const
{
    switch (kind) {
    case object_elements:
        return element.object_link;
    case child_elements:
        return element.child_link;
    default:
        return element.refresh_link;
    }
}

VtDisplayElement* VtDisplayElementList::first() const
{
    return head ? head->element : nullptr;
}

VtDisplayElement* VtDisplayElementList::next(VtDisplayElement& element) const
{
    const VtDisplayElementLink& link = linkOf(element);
    return link.list == this && link.next ? link.next->element : nullptr;
}

void VtDisplayElementList::append(VtDisplayElement& element)
{
    VtDisplayElementLink& link = linkOf(element);
    if (link.list == this)
        return;
    if (link.list)
        link.list->unlink(link);
    link.element = &element;
    link.list = this;
    link.previous = tail;
    link.next = nullptr;
    if (tail)
        tail->next = &link;
    else
        head = &link;
    tail = &link;
}

void VtDisplayElementList::remove(VtDisplayElement& element)
{
    VtDisplayElementLink& link = linkOf(element);
    if (link.list == this)
        unlink(link);
}

void VtDisplayElementList::unlink(VtDisplayElementLink& link)
{
    if (link.previous)
        link.previous->next = link.next;
    else
        head = link.next;
    if (link.next)
        link.next->previous = link.previous;
    else
        tail = link.previous;
    link.list = nullptr;
    link.next = nullptr;
    link.previous = nullptr;
}

int VtDisplayElementList::applyCommand(VtDisplayElementCommand& command)
{
    int result = 0;
    // The next element is taken first: a command may close the one it is
    // applied to.
    for (VtDisplayElementLink* link = head; link;) {
        VtDisplayElementLink* following = link->next;
        result = command.apply(*link->element);
        if (result < 0)
            break;
        link = following;
    }
    return result;
}

void VtDisplayElementList::closeChildrenOf(const VtDisplayElement* parent)
{
    for (VtDisplayElementLink* link = head; link;) {
        VtDisplayElementLink* following = link->next;
        if (link->element->getParent() == parent)
            link->element->close();
        link = following;
    }
}

void VtDisplayElementList::closeAll()
{
    // Each element leaves the list before it is closed, so that closing may
    // destroy it.
    while (head) {
        VtDisplayElement* element = head->element;
        unlink(*head);
        element->close();
    }
}

VtDisplayElement* VtDisplayElementList::findElement(const VtDisplayElement* parent, uint32_t tag) const
{
    for (VtDisplayElementLink* link = head; link; link = link->next)
        if (link->element->getParent() == parent && link->element->getTag() == tag)
            return link->element;
    return nullptr;
}
