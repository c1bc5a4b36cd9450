#include "isobus/Tessaryn_seeder_bin.h"
#include "control_logic/State_queries.h"
#include "data_store/Data_store.h"
#include "isobus/Element_properties.h"
#include "isobus/Tessaryn_seeder_ddi.h"
#include "isobus/Unit_pd_coders.h"
#include "params/parameters_t.h"

#include <cstdio>

using namespace TC_client;

namespace {

// Product kinds (channel_t.mode).
constexpr int granular = 0;
constexpr int liquid = 1;
constexpr int nh3 = 2;

}

Tessaryn_seeder_bin::Channel_block::Channel_block(Data_store& store, int channel)
    : actual_rate(&store.head, &store.body.channels.channels[channel].actual_rate),
      setpoint_rate(&store.head, &store.body.channels.channels[channel].requested_rate),
      setpoint_latency(&store.head, &store.body.channels.channels[channel].physical_setpoint_time_latency),
      work_state(&store.head, &store.body.channels.channels[channel].active),
      prescription_control_state(&store.head, &store.body.channels.channels[channel].prescription_control_state),
      rate_control_mode(&store.head, &store.body.channels.channels[channel].rate_control_mode),
      flow(&store.head, &store.body.channels.channels[channel].flow_rate),
      shaft_speed(&store.head, &store.body.channels.channels[channel].shaft_rpm),
      cultural_practice(&store.head, &store.body.channels.channels[channel].cultural_practise),
      lifetime_volume(&store.head, &store.body.channels.channels[channel].lifetime_total_volume),
      lifetime_area(&store.head, &store.body.channels.channels[channel].lifetime_total_area)
{
}

void Tessaryn_seeder_bin::Channel_block::append_to(List_facade<Ddi_reference>& references, int mode, bool non_vt)
{
    work_state.set_element(seeder_ddi.actual_work_state_setable);
    references.append(&work_state);

    if (mode == liquid) {
        application_total.set_element(seeder_ddi.total_volume);
        application_total.set_lifetime_total_pd_adaptor(&lifetime_volume);
        references.append(&application_total);
        setpoint_rate.set_element(seeder_ddi.target_rate_volume);
        setpoint_rate.get_adaptor().set_coder(&Unit_pd_coders<double>::l_per_hectare_to_ddi_1);
        actual_rate.set_element(seeder_ddi.actual_rate_volume);
        actual_rate.get_adaptor().set_coder(&Unit_pd_coders<double>::l_per_hectare_to_ddi_1);
        flow.set_element(seeder_ddi.flow_rate_volume);
        flow.get_adaptor().set_coder(&Unit_pd_coders<double>::ml_per_sec_to_mm3_per_sec);
    } else if (mode == granular || mode == nh3) {
        application_total.set_element(seeder_ddi.total_mass);
        application_total.set_lifetime_total_pd_adaptor(&lifetime_volume);
        references.append(&application_total);
        setpoint_rate.set_element(seeder_ddi.target_rate_mass);
        setpoint_rate.get_adaptor().set_coder(&Unit_pd_coders<double>::kg_per_hectare_to_mg_per_m2);
        actual_rate.set_element(seeder_ddi.actual_rate_mass);
        actual_rate.get_adaptor().set_coder(&Unit_pd_coders<double>::kg_per_hectare_to_mg_per_m2);
        flow.set_element(seeder_ddi.flow_rate_mass);
        flow.get_adaptor().set_coder(&Unit_pd_coders<double>::g_per_sec_to_mg_per_sec);
    }
    // Another kind is not expected: its rates go in without a table entry,
    // and the client leaves such references out of the description.
    references.append(&setpoint_rate);
    references.append(&actual_rate);
    references.append(&flow);

    if (non_vt) {
        setpoint_latency.set_element(seeder_ddi.setpoint_time_latency);
        setpoint_latency.get_adaptor().set_coder(&Unit_pd_coders<float>::m_to_mm);
        references.append(&setpoint_latency);
        rate_control_mode.set_element(seeder_ddi.rate_control_mode);
        references.append(&rate_control_mode);
    }
    prescription_control_state.set_element(seeder_ddi.prescription_control_state);
    prescription_control_state.set_reference_flag(1);
    references.append(&prescription_control_state);
    shaft_speed.set_element(seeder_ddi.shaft_speed);
    shaft_speed.get_adaptor().set_coder(&shaft_speed_coder);
    references.append(&shaft_speed);
    cultural_practice.set_element(seeder_ddi.cultural_practice);
    references.append(&cultural_practice);
}

Tessaryn_seeder_bin::Tessaryn_seeder_bin(unsigned int mapping_index, int channel, Data_store& store,
                                         NV_quvel::parameters_t* params)
    : block_(store, channel),
      remaining_(&store.head, &store.body.channels.channels[channel].remaining_volume),
      net_weight_(&store.head, &store.body.channels.channels[channel].net_weight),
      maximum_contents_(&store.head, &store.body.channels.channels[channel].max_contents),
      nozzle_flow_(&store.head, &store.body.channels.channels[channel].nozzle_flow_rate),
      calibration_(params->app.channels[channel]->cal_setting),
      drive_power_(&store.head, &store.body.channels.channels[channel].motor_load)
{
    State_queries queries(store, params->app);
    const int mode = params->app.channels[channel]->mode.get();

    block_.append_to(references_, mode, !queries.vt_mode());
    queries.update_cultural_practise(channel);
    block_.area_total.set_element(seeder_ddi.total_area);
    block_.area_total.set_lifetime_total_pd_adaptor(&block_.lifetime_area);
    references_.append(&block_.area_total);

    const bool non_vt = !queries.vt_mode();
    if (mode == liquid || mode == granular || mode == nh3) {
        // The remaining-contents entry is shared by every bin of its kind:
        // the bin built last decides whether the Task Controller may set it.
        Process_data_element& remaining = mode == liquid ? seeder_ddi.volume_remaining : seeder_ddi.mass_remaining;
        if (non_vt)
            remaining.set_setable();
        else
            remaining.clear_setable();
        remaining_.set_element(remaining);
        remaining_.get_adaptor().set_coder(&Unit_pd_coders<double>::m_to_mm);
        references_.append(&remaining_);
        maximum_contents_.set_element(mode == liquid ? seeder_ddi.maximum_volume : seeder_ddi.maximum_mass);
        maximum_contents_.get_adaptor().set_coder(&Unit_pd_coders<float>::m_to_mm);
        references_.append(&maximum_contents_);
        if (non_vt) {
            if (mode == liquid) {
                calibration_.set_element(seeder_ddi.calibration_liquid);
                calibration_.get_adaptor().set_coder(&Unit_pd_coders<float>::pulses_to_tenthousandth_pulses);
            } else if (mode == granular) {
                calibration_.set_element(seeder_ddi.calibration_granular);
                calibration_.get_adaptor().set_coder(&Unit_pd_coders<float>::l_to_mm3);
            } else {
                calibration_.set_element(seeder_ddi.calibration_nh3);
                calibration_.get_adaptor().set_coder(&Unit_pd_coders<float>::pulses_to_tenthousandth_pulses);
            }
            references_.append(&calibration_);
        }
    }
    net_weight_.set_element(seeder_ddi.net_weight);
    net_weight_.get_adaptor().set_coder(&Unit_pd_coders<double>::m_to_mm);
    references_.append(&net_weight_);
    set_property(element_type_instance_, 178, element_type_instance_text, int32_t(mapping_index));
    references_.append(&element_type_instance_);
    if (non_vt) {
        nozzle_flow_.set_element(seeder_ddi.nozzle_flow);
        nozzle_flow_.get_adaptor().set_coder(&Unit_pd_coders<double>::m_to_mm);
        references_.append(&nozzle_flow_);
        drive_power_.set_element(seeder_ddi.drive_power);
        drive_power_.get_adaptor().set_coder(&drive_power_coder_);
        references_.append(&drive_power_);
    }

    char text[16];
    std::snprintf(text, sizeof text, "Bin %u", mapping_index + 1);
    designator_.set(text);
    set_designator(&designator_);
    set_type(type_bin);
    set_ddi_list(&references_);
    set_device_element_list(&children_);
}
