#include "isobus/Tessaryn_seeder_device.h"
#include "control_logic/State_queries.h"
#include "data_store/Data_store.h"
#include "isobus/Literal_designator.h"
#include "isobus/Tessaryn_seeder_ddi.h"
#include "params/parameters_t.h"

using namespace TC_client;

namespace {

const Literal_designator root_text("KX-4 Seeder Root");

}

Tessaryn_seeder_device::Tessaryn_seeder_device(Data_store& store, NV_quvel::parameters_t* params)
    : master_work_state_(&store.head, &store.body.operation.master_switch_active),
      lifetime_effective_time_(&store.head, &store.body.interface.lifetime_effective_time),
      lifetime_ineffective_time_(&store.head, &store.body.interface.lifetime_ineffective_time),
      lifetime_effective_source_(&store.head, &store.body.interface.lifetime_effective_time),
      lifetime_ineffective_source_(&store.head, &store.body.interface.lifetime_ineffective_time)
{
    references_.append(&request_default_);
    // The non-VT display may switch the master from the Task Controller.
    const bool non_vt = !State_queries(store, params->app).vt_mode();
    master_work_state_.set_element(non_vt ? seeder_ddi.actual_work_state_setable : seeder_ddi.actual_work_state);
    references_.append(&master_work_state_);
    lifetime_effective_time_.set_element(seeder_ddi.lifetime_effective_time);
    references_.append(&lifetime_effective_time_);
    lifetime_ineffective_time_.set_element(seeder_ddi.lifetime_ineffective_time);
    references_.append(&lifetime_ineffective_time_);
    effective_total_time_.set_element(seeder_ddi.effective_total_time);
    effective_total_time_.set_lifetime_total_pd_adaptor(&lifetime_effective_source_);
    references_.append(&effective_total_time_);
    ineffective_total_time_.set_element(seeder_ddi.ineffective_total_time);
    ineffective_total_time_.set_lifetime_total_pd_adaptor(&lifetime_ineffective_source_);
    references_.append(&ineffective_total_time_);

    set_designator(&root_text);
    set_type(type_device);
    set_ddi_list(&references_);
}
