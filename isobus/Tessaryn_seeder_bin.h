#pragma once
#include "isobus/Cds_pd_reference.h"
#include "isobus/Cstring_designator.h"
#include "isobus/NV_store_pd_reference.h"
#include "isobus/QList_list_facade.h"
#include "params/NV_quvel_record.h"
#include "platform/iso/TC_client_Device_element_element.h"
#include "platform/iso/TC_client_Multiplier_pd_coder.h"
#include "platform/iso/TC_client_Property_element.h"
#include "platform/iso/TC_client_Task_total_pd_reference.h"

class Data_store;
namespace NV_quvel {
class parameters_t;
}

// The bin of one product channel (its tank and metering drive): rates,
// flow, totals, contents and calibration. The Task Controller's setpoints
// land in the channel's store fields, where the control task takes them as
// it takes an operator's. Built and freed by its boom.
class Tessaryn_seeder_bin : public TC_client::Device_element_element {
public:
    // mapping_index: the switch-box mapping entry that names the channel.
    Tessaryn_seeder_bin(unsigned int mapping_index, int channel, Data_store& store, NV_quvel::parameters_t* params);

private:
    // The channel's rate, work state and totals, registered first.
    struct Channel_block {
        Channel_block(Data_store& store, int channel);
        // Registers the block's entries for a channel of the given product
        // kind (channel_t.mode); non_vt: the non-VT display is in use.
        void append_to(TC_client::List_facade<TC_client::Ddi_reference>& references, int mode, bool non_vt);

        TC_client::Cds_pd_reference<double, false> actual_rate;
        TC_client::Cds_pd_reference<double, false> setpoint_rate;
        TC_client::Cds_pd_reference<float, false> setpoint_latency;
        TC_client::Cds_pd_reference<bool, false> work_state;
        TC_client::Cds_pd_reference<int, false> prescription_control_state;
        TC_client::Cds_pd_reference<int, false> rate_control_mode;
        TC_client::Cds_pd_reference<double, false> flow;
        TC_client::Cds_pd_reference<double, false> shaft_speed;
        TC_client::Cds_pd_reference<int, false> cultural_practice;
        TC_client::Cds_pd_adaptor<double, false> lifetime_volume;
        TC_client::Task_total_pd_reference application_total;
        TC_client::Multiplier_pd_coder<double> shaft_speed_coder{10};
        TC_client::Cds_pd_adaptor<double, false> lifetime_area;
        TC_client::Task_total_pd_reference area_total;
    };

    TC_client::QList_list_facade<TC_client::Ddi_reference> references_;
    TC_client::QList_list_facade<TC_client::Device_element_element> children_;
    Channel_block block_;
    TC_client::Cds_pd_reference<double, false> remaining_;
    TC_client::Cds_pd_reference<double, false> net_weight_;
    TC_client::Cds_pd_reference<float, false> maximum_contents_;
    TC_client::Property_element element_type_instance_;
    TC_client::Cds_pd_reference<double, false> nozzle_flow_;
    TC_client::Cstring_designator<8> designator_;
    TC_client::NV_store_pd_reference<NV_quvel::nv_float> calibration_;
    TC_client::Cds_pd_reference<float, false> drive_power_;
    TC_client::Multiplier_pd_coder<float> drive_power_coder_{1000};
};
