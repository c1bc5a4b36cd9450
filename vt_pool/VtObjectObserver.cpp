#include "vt_pool/VtObjectObserver.h"
#include "vt_pool/VtObject.h"

VtObjectObserver::VtObjectObserver(VtObject& owner) : owner(owner)
{
    VtObjectObserver** end = &owner.own_references;
    while (*end)
        end = &(*end)->next_of_owner;
    *end = this;
}

VtObjectObserver::~VtObjectObserver()
{
    detach();
    for (VtObjectObserver** at = &owner.own_references; *at; at = &(*at)->next_of_owner)
        if (*at == this) {
            *at = next_of_owner;
            break;
        }
}

void VtObjectObserver::notify()
{
    owner.notifyChanged();
}

void VtObjectObserver::setOid(uint16_t oid)
{
    if (oid == this->oid)
        return;
    detach();
    this->oid = oid;
}

void VtObjectObserver::attach(VtObject& target)
{
    detach();
    this->target = &target;
    previous_referrer = target.referrers_tail;
    next_referrer = nullptr;
    if (target.referrers_tail)
        target.referrers_tail->next_referrer = this;
    else
        target.referrers_head = this;
    target.referrers_tail = this;
}

void VtObjectObserver::detach()
{
    if (!target)
        return;
    if (previous_referrer)
        previous_referrer->next_referrer = next_referrer;
    else
        target->referrers_head = next_referrer;
    if (next_referrer)
        next_referrer->previous_referrer = previous_referrer;
    else
        target->referrers_tail = previous_referrer;
    target = nullptr;
    next_referrer = nullptr;
    previous_referrer = nullptr;
}
