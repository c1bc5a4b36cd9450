#pragma once
#include "isobus/Process_data_adaptor.h"
#include "platform/data/NV_Virt_access.h"
#include "platform/data/NV_number.h"

namespace TC_client {

template <class Item>
class NV_store_pd_adaptor;

// The adaptor of one parameter. While started it follows the parameter on
// the given waiter, and each change reports the parameter's value.
template <class T, Data_item::item_type_t type>
class NV_store_pd_adaptor<NV_store::NV_number<T, type>> : public Process_data_adaptor<T>, public NV_store::Virt_access {
public:
    explicit NV_store_pd_adaptor(NV_store::NV_number<T, type>& item)
        : item_(&item)
    {
        init(&item);
    }
    // Stopped first: no event queued for it can reach it once it is gone.
    ~NV_store_pd_adaptor() override { stop(); }

    void start(waiter_descriptor* waiter) override
    {
        if (waiter == get_waiter())
            return;
        if (waiter)
            autoreg(*waiter, true);
        else
            stop();
    }

    void stop() override
    {
        if (get_waiter())
            autounreg(*get_waiter());
    }

    T get_value() override { return item_->get(); }
    // The parameter notifies its own listeners (the file saver among them).
    void set_value(T value) override { item_->set(value); }

protected:
    void changed(waiter_event&) override { this->_notify_update(this->handle_get()); }

private:
    NV_store::NV_number<T, type>* item_;
};

}
