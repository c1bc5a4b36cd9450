#include "isobus/Tessaryn_seeder_downforce.h"
#include "data_store/Data_store.h"
#include "isobus/Tessaryn_seeder_ddi.h"
#include "isobus/Unit_pd_coders.h"
#include "params/parameters_t.h"

using namespace TC_client;

namespace {

ds_channel& record(Data_store& store, int downforce)
{
    return store.body.downforces.channels[downforce];
}

}

Tessaryn_seeder_downforce::Tessaryn_seeder_downforce(int downforce_index, Data_store& store,
                                                     NV_quvel::parameters_t* params)
    : work_state_(&store.head, &record(store, downforce_index).active),
      setpoint_(&store.head, &record(store, downforce_index).requested_rate),
      actual_(&store.head, &record(store, downforce_index).actual_rate),
      pressure_(&store.head, &record(store, downforce_index).liquid_pressure),
      prescription_control_state_(&store.head, &record(store, downforce_index).prescription_control_state),
      rate_control_mode_(&store.head, &record(store, downforce_index).rate_control_mode)
{
    const bool pack_force = params->app.control_to_pack_force.get();

    work_state_.set_element(seeder_ddi.actual_work_state_setable);
    references_.append(&work_state_);
    if (pack_force) {
        setpoint_.set_element(seeder_ddi.setpoint_downforce);
        setpoint_.get_adaptor().set_coder(&Unit_pd_coders<double>::kg_to_n);
    } else {
        setpoint_.set_element(seeder_ddi.setpoint_hydraulic_pressure);
        setpoint_.get_adaptor().set_coder(&Unit_pd_coders<double>::m_to_mm);
    }
    references_.append(&setpoint_);
    if (pack_force) {
        actual_.set_element(seeder_ddi.downforce);
        actual_.get_adaptor().set_coder(&Unit_pd_coders<double>::kg_to_n);
        actual_.set_default_thresholds(Measurement_thresholds());
        references_.append(&actual_);
    }
    pressure_.set_element(seeder_ddi.hydraulic_pressure);
    pressure_.get_adaptor().set_coder(&Unit_pd_coders<float>::m_to_mm);
    pressure_.set_default_thresholds(Measurement_thresholds());
    references_.append(&pressure_);
    prescription_control_state_.set_element(seeder_ddi.prescription_control_state);
    prescription_control_state_.set_reference_flag(1);
    references_.append(&prescription_control_state_);
    rate_control_mode_.set_element(seeder_ddi.rate_control_mode);
    references_.append(&rate_control_mode_);

    designator_.set(params->app.personality.get() == 1 ? "Pack Control" : "Downforce");
    set_designator(&designator_);
    set_type(type_function);
    set_ddi_list(&references_);
}
