#include "vt_pool/VtPendingChangeList.h"
#include "vt_pool/VtObject.h"

VtPendingChangeList::~VtPendingChangeList()
{
    while (head)
        remove(*head);
}

void VtPendingChangeList::append(VtObject& object)
{
    if (object.pending_list)
        return;
    object.pending_list = this;
    object.pending_previous = tail;
    object.pending_next = nullptr;
    if (tail)
        tail->pending_next = &object;
    else
        head = &object;
    tail = &object;
}

void VtPendingChangeList::remove(VtObject& object)
{
    if (object.pending_list != this)
        return;
    if (object.pending_previous)
        object.pending_previous->pending_next = object.pending_next;
    else
        head = object.pending_next;
    if (object.pending_next)
        object.pending_next->pending_previous = object.pending_previous;
    else
        tail = object.pending_previous;
    object.pending_list = nullptr;
    object.pending_next = nullptr;
    object.pending_previous = nullptr;
}
