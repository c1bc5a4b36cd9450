#include "isobus/Tessaryn_seeder_section.h"
#include "data_store/Data_store.h"
#include "isobus/Element_properties.h"
#include "isobus/Tessaryn_seeder_ddi.h"
#include "isobus/Unit_pd_coders.h"
#include "params/parameters_t.h"
#include "platform/iso/TC_client_Value_presentation.h"

#include <string>

using namespace TC_client;

namespace {

ds_section& record(Data_store& store, int boom, int section)
{
    return store.body.booms.boom[boom].sections[section];
}

NV_quvel::section_t& parameters(NV_quvel::parameters_t* params, int boom, int section)
{
    return *params->app.booms.booms[boom]->sections[section];
}

}

Tessaryn_seeder_section::Tessaryn_seeder_section(int boom_index, int section_index, double centre_y,
                                                 bool own_work_state, Data_store& store,
                                                 NV_quvel::parameters_t* params)
    : index_(section_index),
      setpoint_(&store.head, &record(store, boom_index, section_index).setpoint_work_state),
      actual_(&store.head, &record(store, boom_index, section_index).actual_work_state),
      switch_(&store.head, &record(store, boom_index, section_index).switch_state),
      on_time_(parameters(params, boom_index, section_index).on_time),
      off_time_(parameters(params, boom_index, section_index).off_time)
{
    const double width = parameters(params, boom_index, section_index).width.get();
    work_state_.set_data_adaptor(&combined_);

    set_property(offset_y_, 135, y_text, metres_to_mm(centre_y), &cm_distance_pe);
    references_.append(&offset_y_);
    set_property(width_, 67, *seeder_ddi.actual_working_width.get_designator(), metres_to_mm(width),
                 &cm_distance_pe);
    references_.append(&width_);
    if (own_work_state) {
        work_state_.set_element(seeder_ddi.actual_work_state_setable);
        references_.append(&work_state_);
    }
    on_time_.set_element(seeder_ddi.sc_turn_on_time);
    on_time_.get_adaptor().set_coder(&Unit_pd_coders<double>::m_to_mm);
    references_.append(&on_time_);
    off_time_.set_element(seeder_ddi.sc_turn_off_time);
    off_time_.get_adaptor().set_coder(&Unit_pd_coders<double>::m_to_mm);
    references_.append(&off_time_);

    designator_.set(("Section " + std::to_string(index_ + 1)).c_str());
    set_designator(&designator_);
    set_type(type_section);
    set_ddi_list(&references_);
}
