#pragma once
#include "isobus/Process_data_adaptor.h"
#include "platform/data/CDS_Access.h"
#include "platform/data/CDS_Virt_access.h"
#include "platform/rtos/Debug_base.h"

namespace TC_client {

template <class T, bool>
class Cds_pd_adaptor;

// The adaptor of one data-store field. While started it follows the field on
// the given waiter, and each change reports the field's value.
template <class T>
class Cds_pd_adaptor<T, false> : public Process_data_adaptor<T>, public CDS::Access<T, CDS::Virt_access> {
    using Access = CDS::Access<T, CDS::Virt_access>;

public:
    Cds_pd_adaptor(CDS::Head* head, T* item)
        : Access(head, item)
    {
    }
    // Stopped first: no event queued for it can reach it once it is gone.
    ~Cds_pd_adaptor() override { stop(); }

    // Follows the field on the waiter (a null waiter stops); moving from
    // another waiter drops the events queued there.
    void start(waiter_descriptor* waiter) override
    {
        if (waiter == this->get_waiter())
            return;
        if (!waiter) {
            stop();
            return;
        }
        Debug_base::print(40, "TC CDS adaptor started\n");
        this->autoreg(*waiter);
    }

    void stop() override
    {
        if (!this->get_waiter())
            return;
        Debug_base::print(40, "TC CDS adaptor stopped\n");
        this->autounreg(*this->get_waiter());
    }

    const void* get_source() const override { return this->get_item(); }
    T get_value() override { return Access::get(); }
    void set_value(T value) override { Access::set(value); }

protected:
    void changed(waiter_event&) override { this->_notify_update(this->handle_get()); }
};

}
