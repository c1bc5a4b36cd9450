#include "isobus/Tessaryn_seeder_boom.h"
#include "control_logic/State_queries.h"
#include "data_store/Data_store.h"
#include "isobus/Bounded_count.h"
#include "isobus/Element_properties.h"
#include "isobus/Tessaryn_seeder_bin.h"
#include "isobus/Tessaryn_seeder_ddi.h"
#include "isobus/Tessaryn_seeder_downforce.h"
#include "isobus/Tessaryn_seeder_section.h"
#include "isobus/Unit_pd_coders.h"
#include "params/parameters_t.h"
#include "platform/iso/TC_client_Value_presentation.h"
#include "platform/rtos/Debug_base.h"

#include <string>

using namespace TC_client;

namespace {

const Literal_designator maximum_width_text("Maximum Working Width");
const Literal_designator working_length_text("Working Length");

// Section control modes (booms.section_control_mode).
constexpr int setpoint_and_actual = 0;
constexpr int combined = 1;
constexpr int per_section = 2;

// A boom of this type carries the drill lift and the downforce channels.
constexpr int drill_boom_type = 3;

constexpr int num_sections = decltype(NV_quvel::boom_t::sections)::size();
constexpr int num_channels = decltype(NV_quvel::application_t::swbox_mapping)::size();
constexpr int num_downforces = decltype(NV_quvel::application_t::downforces)::size();

double section_width(NV_quvel::boom_t& boom, int section)
{
    return boom.sections[section]->width.get();
}

}

Tessaryn_seeder_boom::Tessaryn_seeder_boom(int boom_index, Data_store& store, NV_quvel::parameters_t* params)
    : index_(boom_index),
      work_state_(&store.head, &store.body.booms.boom[boom_index].active),
      working_width_(&store.head, &store.body.booms.boom[boom_index].active_width),
      section_control_state_(&store.head, &store.body.booms.boom[boom_index].section_control_state),
      on_time_(params->app.booms.booms[boom_index]->on_time),
      off_time_(params->app.booms.booms[boom_index]->off_time),
      setpoint_group_(std::make_unique<Condensed_workstate>()),
      actual_group_(std::make_unique<Condensed_workstate>()),
      switch_group_(std::make_unique<Condensed_workstate>()),
      drill_lift_(&store.head, &store.body.operation.setpoint_drill_lift),
      track_master_(params->app.down_force_track_master)
{
    NV_quvel::application_t& app = params->app;
    NV_quvel::boom_t& boom = *app.booms.booms[index_];
    State_queries queries(store, app);
    const int control_mode = app.booms.section_control_mode.get();
    const bool non_vt = !queries.vt_mode();
    const int sections = bounded_count("num_sections", boom.num_sections.get(), num_sections);
    double total_width = 0;
    for (int s = 0; s < sections; ++s)
        total_width += section_width(boom, s);

    build_sections(store, params, sections, total_width, control_mode);
    build_bins(store, params);

    if (!non_vt) {
        work_state_.set_element(seeder_ddi.actual_work_state_setable);
        references_.append(&work_state_);
    } else if (app.drill_control_enabled.get() && boom.type.get() == drill_boom_type) {
        drill_lift_.set_element(seeder_ddi.setpoint_drill_lift);
        references_.append(&drill_lift_);
        track_master_.set_element(seeder_ddi.drill_lift_track_master);
        references_.append(&track_master_);
        for (int d = 0; d < num_downforces; ++d)
            if (app.downforces[d]->enabled.get() && app.downforces[d]->assigned_to_boom.get() == index_)
                children_.append(new Tessaryn_seeder_downforce(d, store, params));
    }

    working_width_.set_element(seeder_ddi.actual_working_width);
    working_width_.get_adaptor().set_coder(&Unit_pd_coders<double>::m_to_mm);
    references_.append(&working_width_);

    set_property(maximum_width_, 70, maximum_width_text, metres_to_mm(total_width), &cm_distance_pe);
    references_.append(&maximum_width_);
    set_property(offset_x_, 134, x_text, metres_to_mm(boom.offset.x.get()), &cm_distance_pe);
    references_.append(&offset_x_);
    set_property(offset_y_, 135, y_text, metres_to_mm(boom.offset.y.get()), &cm_distance_pe);
    references_.append(&offset_y_);
    set_property(working_length_, 226, working_length_text, metres_to_mm(boom.working_length.get()),
                 &cm_distance_pe);
    references_.append(&working_length_);

    if (!non_vt) {
        section_control_state_.set_element(seeder_ddi.section_control_state);
        section_control_state_.set_reference_flag(1);
        references_.append(&section_control_state_);
        on_time_.set_element(seeder_ddi.sc_turn_on_time);
        on_time_.get_adaptor().set_coder(&Unit_pd_coders<double>::m_to_mm);
        references_.append(&on_time_);
        off_time_.set_element(seeder_ddi.sc_turn_off_time);
        off_time_.get_adaptor().set_coder(&Unit_pd_coders<double>::m_to_mm);
        references_.append(&off_time_);
    }
    set_property(element_type_instance_, 178, element_type_instance_text, index_);
    references_.append(&element_type_instance_);

    write_section_offsets(params, sections);
    register_condensed(control_mode, non_vt);

    designator_.set(("Boom " + std::to_string(index_ + 1)).c_str());
    set_designator(&designator_);
    set_type(type_function);
    set_ddi_list(&references_);
    set_device_element_list(&children_);
}

Tessaryn_seeder_boom::~Tessaryn_seeder_boom()
{
    // The condensed values hold the sections' adaptors: they go first.
    setpoint_group_.reset();
    actual_group_.reset();
    switch_group_.reset();
    for (int i = 0; i < children_.count(); ++i)
        delete children_.element(i);
    children_.clear();
}

// The sections side by side, centred on the boom's lateral offset.
void Tessaryn_seeder_boom::build_sections(Data_store& store, NV_quvel::parameters_t* params, int count,
                                          double total_width, int control_mode)
{
    NV_quvel::boom_t& boom = *params->app.booms.booms[index_];
    double y = boom.offset.y.get() - total_width / 2;
    for (int s = 0; s < count; ++s) {
        const double width = section_width(boom, s);
        auto* section = new Tessaryn_seeder_section(index_, s, y + width / 2, control_mode == per_section, store,
                                                    params);
        children_.append(section);
        if (control_mode == setpoint_and_actual) {
            setpoint_group_->add_member(section->get_setpoint_adaptor());
            actual_group_->add_member(section->get_actual_adaptor());
        } else if (control_mode == combined) {
            actual_group_->add_member(section->get_combined_adaptor());
        }
        switch_group_->add_member(section->get_switch_adaptor());
        y += width;
    }
    for (std::unique_ptr<Condensed_workstate>* group : {&setpoint_group_, &actual_group_, &switch_group_})
        if ((*group)->empty())
            group->reset();
}

// A bin for every mapped channel that this boom carries.
void Tessaryn_seeder_boom::build_bins(Data_store& store, NV_quvel::parameters_t* params)
{
    NV_quvel::application_t& app = params->app;
    const int mappings = bounded_count("num_channels", app.num_channels.get(), num_channels);
    for (int k = 0; k < mappings; ++k) {
        const int channel = app.swbox_mapping[k]->channel.get();
        if (channel < 0)
            continue;
        if (channel >= num_channels) {
            Debug_print::dprint("TC description: swbox_mapping[%d].channel is %d, no such channel\n", k, channel);
            continue;
        }
        if (app.channels[channel]->assigned_to_boom.get() == index_)
            children_.append(new Tessaryn_seeder_bin(unsigned(k), channel, store, params));
    }
}

// Each section's lateral offset from the machine's centre line, the sections
// side by side across the machine width.
void Tessaryn_seeder_boom::write_section_offsets(NV_quvel::parameters_t* params, int count)
{
    NV_quvel::boom_t& boom = *params->app.booms.booms[index_];
    double y = -params->app.machine_width.get() / 2.0;
    for (int s = 0; s < count; ++s) {
        y += section_width(boom, s) / 2;
        if (s > 0)
            y += section_width(boom, s - 1) / 2;
        boom.sections[s]->offset_y.set(y);
    }
}

void Tessaryn_seeder_boom::register_condensed(int control_mode, bool non_vt)
{
    if (setpoint_group_) {
        setpoint_group_->attach_members();
        setpoint_group_->set_element(*seeder_ddi.setpoint_condensed[0]);
        references_.append(setpoint_group_.get());
    }
    if (actual_group_) {
        actual_group_->attach_members();
        actual_group_->set_element(control_mode == setpoint_and_actual ? *seeder_ddi.actual_condensed[0]
                                                                       : *seeder_ddi.actual_condensed_setable[0]);
        references_.append(actual_group_.get());
    }
    if (switch_group_ && non_vt) {
        switch_group_->attach_members();
        switch_group_->set_element(*seeder_ddi.condensed_switch_state);
        references_.append(switch_group_.get());
    }
}
