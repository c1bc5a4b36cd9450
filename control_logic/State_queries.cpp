#include "control_logic/State_queries.h"
#include "data_store/Data_store.h"
#include "params/application_t.h"

namespace {

constexpr int num_channels = 10;
constexpr int num_booms = 6;

}

template <class T>
T State_queries::get(const T& item)
{
    return store_.head.get(item);
}

bool State_queries::speed_present()
{
    return get(store_.body.vehicle.source_speed) > 0.02f;
}

bool State_queries::sections_settled()
{
    return get(store_.body.section_monitors.sections_settled);
}

bool State_queries::master_allowed()
{
    if (get(store_.body.operation.inhibit_master_switch))
        return false;
    return user_interface_ready();
}

bool State_queries::user_interface_ready()
{
    const ds_system& system = store_.body.system;
    return get(system.non_vtt_connected) ? get(system.tc_alive) : get(system.vt_uploaded);
}

bool State_queries::calibrating()
{
    return get(store_.body.operation.calibration_state) != 0;
}

bool State_queries::calibration_run()
{
    return get(store_.body.operation.calibration_state) == 1;
}

bool State_queries::run_condition()
{
    if (!calibrating() && app_.using_tillage_master_switch.get() && !get(store_.body.operation.tillage_switch_active))
        return false;
    return get(store_.body.operation.master_switch_active) && master_allowed();
}

bool State_queries::channel_running(int channel)
{
    if (!app_.channels[channel]->enabled.get())
        return false;
    if (app_.channels[channel]->control_to_rpm.get() || run_condition() || remote_preload(channel))
        return get(store_.body.channels.channels[channel].active);
    return false;
}

bool State_queries::remote_preload(int channel)
{
    return get(store_.body.channels.channels[channel].remote_preload);
}

bool State_queries::any_remote_preload()
{
    for (int c = 0; c < num_channels; ++c)
        if (remote_preload(c))
            return true;
    return false;
}

bool State_queries::boom_has_no_active_tank(int boom)
{
    for (int c = 0; c < num_channels; ++c) {
        const NV_quvel::channel_t& channel = *app_.channels[c];
        if (channel.assigned_to_boom.get() == boom && channel.enabled.get() &&
            get(store_.body.channels.channels[c].active))
            return false;
    }
    return true;
}

bool State_queries::vt_mode()
{
    return !get(store_.body.system.non_vtt_connected);
}

uint32_t State_queries::section_state(int boom, int section)
{
    if (boom < 0 || boom >= num_booms || section < 0 || section >= sections_per_boom)
        return 0;
    return get(store_.body.booms.boom[boom].sections[section].setpoint_work_state);
}

std::array<uint32_t, State_queries::sections_per_boom> State_queries::section_states(int boom)
{
    std::array<uint32_t, sections_per_boom> states{};
    if (boom < 0 || boom >= num_booms)
        return states;
    const ds_boom& record = store_.body.booms.boom[boom];
    store_.head.lock();
    for (int s = 0; s < sections_per_boom; ++s)
        states[size_t(s)] = record.sections[s].setpoint_work_state;
    store_.head.unlock();
    return states;
}

void State_queries::update_cultural_practise(int channel)
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    int32_t practise = 0;
    if (c.mode.get() == 0)
        practise = c.product_type.get() == 0 ? 2 : c.product_type.get() == 1 ? 1 : 0;
    else if (c.mode.get() == 1 || c.mode.get() == 2)
        practise = 1;
    store_.head.set(store_.body.channels.channels[channel].cultural_practise, practise);
}

bool State_queries::is_drill_control_enabled()
{
    return get(store_.body.system.non_vtt_connected) && app_.drill_control_enabled.get();
}

int64_t State_queries::isoecu_name(uint8_t address)
{
    int64_t name = -1;
    store_.head.lock();
    for (const ds_isoecu& ecu : store_.body.ecu_config.isoecu_list) {
        if (ecu.name != 0 && ecu.address == address) {
            name = int64_t(ecu.name);
            break;
        }
    }
    store_.head.unlock();
    return name;
}
