#pragma once
#include "isobus/Cds_pd_adaptor.h"
#include "platform/iso/TC_client_Process_data_reference.h"

namespace TC_client {

template <class T, bool>
class Cds_pd_reference;

// A process-data value kept in a data-store field, with its own adaptor.
template <class T>
class Cds_pd_reference<T, false> : public Process_data_reference {
public:
    Cds_pd_reference(CDS::Head* head, T* item)
        : adaptor_(head, item)
    {
        set_data_adaptor(&adaptor_);
    }

    Cds_pd_adaptor<T, false>& get_adaptor() { return adaptor_; }

private:
    Cds_pd_adaptor<T, false> adaptor_;
};

}
