#pragma once
#include "isobus/Cds_pd_reference.h"
#include "isobus/QList_list_facade.h"
#include "platform/iso/TC_client_Device_element_element.h"
#include "platform/iso/TC_client_Request_default_reference.h"
#include "platform/iso/TC_client_Task_total_pd_reference.h"

class Data_store;
namespace NV_quvel {
class parameters_t;
}

// The root element of the description: the machine's master work state and
// its effective and ineffective working times. Its children are the
// device's booms and connector.
class Tessaryn_seeder_device : public TC_client::Device_element_element {
public:
    Tessaryn_seeder_device(Data_store& store, NV_quvel::parameters_t* params);

private:
    TC_client::QList_list_facade<TC_client::Ddi_reference> references_;
    TC_client::Request_default_reference request_default_;
    TC_client::Cds_pd_reference<bool, false> master_work_state_;
    TC_client::Cds_pd_reference<int, false> lifetime_effective_time_;
    TC_client::Cds_pd_reference<int, false> lifetime_ineffective_time_;
    // The sources of the two task totals.
    TC_client::Cds_pd_adaptor<int, false> lifetime_effective_source_;
    TC_client::Cds_pd_adaptor<int, false> lifetime_ineffective_source_;
    TC_client::Task_total_pd_reference effective_total_time_;
    TC_client::Task_total_pd_reference ineffective_total_time_;
};
