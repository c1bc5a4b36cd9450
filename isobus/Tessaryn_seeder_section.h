#pragma once
#include "isobus/Cds_pd_adaptor.h"
#include "isobus/Combined_workstate_adaptor.h"
#include "isobus/Cstring_designator.h"
#include "isobus/NV_store_pd_reference.h"
#include "isobus/QList_list_facade.h"
#include "params/NV_quvel_record.h"
#include "platform/iso/TC_client_Device_element_element.h"
#include "platform/iso/TC_client_Property_element.h"

class Data_store;
namespace NV_quvel {
class parameters_t;
}

// One section of a boom: its width and lateral offset, its work state and
// its switching delays. Built and freed by its boom.
class Tessaryn_seeder_section : public TC_client::Device_element_element {
public:
    // centre_y: the section's lateral centre in metres. own_work_state: the
    // section publishes its work state itself (section control mode 2)
    // instead of through its boom's condensed work states.
    Tessaryn_seeder_section(int boom_index, int section_index, double centre_y, bool own_work_state,
                            Data_store& store, NV_quvel::parameters_t* params);

    // The section's words in its boom's store record, and the work state the
    // Task Controller sets and reads as one.
    TC_client::Process_data_adaptor_raw* get_setpoint_adaptor() { return &setpoint_; }
    TC_client::Process_data_adaptor_raw* get_actual_adaptor() { return &actual_; }
    TC_client::Process_data_adaptor_raw* get_switch_adaptor() { return &switch_; }
    TC_client::Process_data_adaptor_raw* get_combined_adaptor() { return &combined_; }

private:
    int index_;
    TC_client::Property_element offset_y_;
    TC_client::Property_element width_;
    TC_client::Cds_pd_adaptor<unsigned int, false> setpoint_;
    TC_client::Cds_pd_adaptor<unsigned int, false> actual_;
    TC_client::Cds_pd_adaptor<unsigned int, false> switch_;
    TC_client::Process_data_reference work_state_;
    TC_client::Combined_workstate_adaptor combined_{&setpoint_, &actual_};
    TC_client::NV_store_pd_reference<NV_quvel::nv_double> on_time_;
    TC_client::NV_store_pd_reference<NV_quvel::nv_double> off_time_;
    TC_client::Cstring_designator<12> designator_;
    TC_client::QList_list_facade<TC_client::Ddi_reference> references_;
};
