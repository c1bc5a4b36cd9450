#pragma once
#include "isobus/Cds_pd_reference.h"
#include "isobus/Cstring_designator.h"
#include "isobus/QList_list_facade.h"
#include "platform/iso/TC_client_Device_element_element.h"

class Data_store;
namespace NV_quvel {
class parameters_t;
}

// One downforce (pack) channel of a drill-control boom: its work state, its
// force or pressure setpoint and what it measures. Built and freed by its boom.
class Tessaryn_seeder_downforce : public TC_client::Device_element_element {
public:
    Tessaryn_seeder_downforce(int downforce_index, Data_store& store, NV_quvel::parameters_t* params);

private:
    TC_client::Cds_pd_reference<bool, false> work_state_;
    TC_client::Cds_pd_reference<double, false> setpoint_;
    TC_client::Cds_pd_reference<double, false> actual_;
    TC_client::Cds_pd_reference<float, false> pressure_;
    TC_client::Cds_pd_reference<int, false> prescription_control_state_;
    TC_client::Cds_pd_reference<int, false> rate_control_mode_;
    TC_client::Cstring_designator<13> designator_;
    TC_client::QList_list_facade<TC_client::Ddi_reference> references_;
};
