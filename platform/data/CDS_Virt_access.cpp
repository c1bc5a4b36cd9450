#include "platform/data/CDS_Virt_access.h"
#include "platform/data/CDS_Head.h"
#include "platform/rtos/Bugger.h"

namespace CDS {

Virt_access::~Virt_access()
{
    if (waiter_)
        autounreg(*waiter_);
}

void Virt_access::init(const Access_base& access)
{
    // The registration is keyed by the range: changing it now would strand it.
    if (waiter_)
        Bugger::report_bug("CDS::Virt_access::init while registered");
    access_ = access;
}

void Virt_access::registration(bool add, waiter_descriptor& waiter)
{
    Head* head = access_.get_head();
    if (!head)
        Bugger::report_bug("CDS::Virt_access registered without a data store range");
    uint32_t word = event_word(static_cast<unsigned char*>(head->get_body()) + access_.get_offset(), access_.get_size());
    if (add)
        head->event_register(&waiter, access_.get_offset(), access_.get_size(), reg_change, word, &access_, this);
    else
        head->event_unregister(&waiter, access_.get_offset(), access_.get_size(), reg_change, word, &access_, this);
}

void Virt_access::autoreg(waiter_descriptor& waiter)
{
    if (waiter_ == &waiter)
        return;
    if (waiter_)
        autounreg(*waiter_);
    registration(true, waiter);
    waiter_ = &waiter;
}

void Virt_access::autounreg(waiter_descriptor& waiter)
{
    if (waiter_ != &waiter)
        return;
    registration(false, waiter);
    // No signal can queue a new event for us once the registration is gone.
    waiter.purge(this);
    waiter_ = nullptr;
}

}
