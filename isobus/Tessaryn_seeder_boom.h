#pragma once
#include "isobus/Cds_pd_reference.h"
#include "isobus/Condensed_workstate.h"
#include "isobus/Cstring_designator.h"
#include "isobus/NV_store_pd_reference.h"
#include "isobus/QList_list_facade.h"
#include "params/NV_quvel_record.h"
#include "platform/iso/TC_client_Device_element_element.h"
#include "platform/iso/TC_client_Property_element.h"

#include <memory>

class Data_store;
namespace NV_quvel {
class parameters_t;
}

// One boom of the description: its geometry and work state, its sections
// with their work states condensed 16 to a value, the bins of the channels
// it carries and, on a drill-control boom, its downforce channels. Building
// it also writes every section's lateral offset back into the parameters.
class Tessaryn_seeder_boom : public TC_client::Device_element_element {
public:
    Tessaryn_seeder_boom(int boom_index, Data_store& store, NV_quvel::parameters_t* params);
    // Frees the condensed work states, then the children.
    ~Tessaryn_seeder_boom() override;

private:
    void build_sections(Data_store& store, NV_quvel::parameters_t* params, int count, double total_width,
                        int control_mode);
    void build_bins(Data_store& store, NV_quvel::parameters_t* params);
    void write_section_offsets(NV_quvel::parameters_t* params, int count);
    void register_condensed(int control_mode, bool non_vt);

    int index_;
    TC_client::Cds_pd_reference<bool, false> work_state_;
    TC_client::Cds_pd_reference<double, false> working_width_;
    TC_client::Property_element maximum_width_;
    TC_client::Property_element offset_x_;
    TC_client::Property_element offset_y_;
    TC_client::Property_element working_length_;
    TC_client::Cds_pd_reference<unsigned int, false> section_control_state_;
    TC_client::NV_store_pd_reference<NV_quvel::nv_double> on_time_;
    TC_client::NV_store_pd_reference<NV_quvel::nv_double> off_time_;
    TC_client::Property_element element_type_instance_;
    TC_client::Cstring_designator<8> designator_;
    TC_client::QList_list_facade<TC_client::Ddi_reference> references_;
    // Sections, then bins, then downforce channels.
    TC_client::QList_list_facade<TC_client::Device_element_element> children_;
    // A boom has at most 10 sections, so each group fits one condensed value;
    // a group that gets no member is dropped.
    std::unique_ptr<Condensed_workstate> setpoint_group_;
    std::unique_ptr<Condensed_workstate> actual_group_;
    std::unique_ptr<Condensed_workstate> switch_group_;
    TC_client::Cds_pd_reference<bool, false> drill_lift_;
    TC_client::NV_store_pd_reference<NV_quvel::nv_bool> track_master_;
};
