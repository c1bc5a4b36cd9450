#include "platform/iso/TC_client_Condensed_pd_adaptor.h"

#include <algorithm>

namespace TC_client {

void Condensed_pd_adaptor::set_member_list(List_facade<Process_data_adaptor_raw>* members)
{
    members_ = members;
    for (int i = 0; i < member_count(); ++i)
        members_->element(i)->set_receiver(this);
}

int Condensed_pd_adaptor::member_count() const
{
    return members_ ? std::min(members_->count(), max_members) : 0;
}

void Condensed_pd_adaptor::handle_set(int32_t raw)
{
    for (int i = 0; i < member_count(); ++i)
        members_->element(i)->handle_set((uint32_t(raw) >> (2 * i)) & 3u);
}

int32_t Condensed_pd_adaptor::handle_get()
{
    uint32_t value = 0xFFFFFFFFu;
    for (int i = 0; i < member_count(); ++i) {
        uint32_t bits = uint32_t(members_->element(i)->handle_get()) & 3u;
        value = (value & ~(3u << (2 * i))) | (bits << (2 * i));
    }
    return int32_t(value);
}

void Condensed_pd_adaptor::start(waiter_descriptor* waiter)
{
    for (int i = 0; i < member_count(); ++i)
        members_->element(i)->start(waiter);
}

void Condensed_pd_adaptor::stop()
{
    for (int i = 0; i < member_count(); ++i)
        members_->element(i)->stop();
}

void Condensed_pd_adaptor::new_value(void*, int)
{
    _notify_update(handle_get());
}

}
