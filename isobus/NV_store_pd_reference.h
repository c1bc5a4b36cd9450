#pragma once
#include "isobus/NV_store_pd_adaptor.h"
#include "platform/iso/TC_client_Process_data_reference.h"

namespace TC_client {

// A process-data value kept in a parameter, with its own adaptor.
template <class Item>
class NV_store_pd_reference : public Process_data_reference {
public:
    explicit NV_store_pd_reference(Item& item)
        : adaptor_(item)
    {
        set_data_adaptor(&adaptor_);
    }

    NV_store_pd_adaptor<Item>& get_adaptor() { return adaptor_; }

private:
    NV_store_pd_adaptor<Item> adaptor_;
};

}
