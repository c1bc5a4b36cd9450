#include "control_logic/Seeder_controller.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"

namespace {

constexpr uint32_t master_change_ticks = 20;
constexpr uint32_t tank_switch_ticks = 10;

}

bool Seeder_controller::valid_boom(int boom)
{
    return boom >= 0 && boom < num_booms;
}

void Seeder_controller::master_switch_changed()
{
    // The switch inputs are written at every reply of the slave processors,
    // each write an event: only a change of the master's state starts or
    // stops the channels (else their countdowns would never run out).
    const bool on = queries_.run_condition();
    if (master_known_ && on == master_on_)
        return;
    master_known_ = true;
    master_on_ = on;
    const bool vt_mode = queries_.vt_mode();
    for (int i = 0; i < num_channels; ++i) {
        Channel_state& c = channels_[i];
        ds_channel& record = store_.body.channels.channels[i];
        c.master_change_countdown = master_change_ticks;
        if (!master_on_) {
            start_preload_timer(i, false, false);
            if (vt_mode)
                put(record.controller_section_state, 0u);
            continue;
        }
        if (!get(record.active))
            continue;
        const NV_quvel::channel_t& settings = *app_.channels[i];
        if (settings.mode.get() == 0) {
            c.tank_switch_countdown = tank_switch_ticks;
            const int boom = settings.assigned_to_boom.get();
            if (boom != 0 && valid_boom(boom)) {
                boom_states_[boom].reset();
                boom_state_changed(boom);
            }
        }
        restart_rate_filter(i, true);
        restart_section_settle();
        if (vt_mode)
            put(record.controller_section_state, 1u);
    }
    if (vt_mode) {
        Debug_print::dprint("boom state %d\n", master_on_ ? 1 : 0);
        put(store_.body.booms.boom[0].boom_state, int32_t(master_on_ ? 1 : 0));
    }
    ds_alarms& alarms = store_.body.alarms;
    for (int i = 0; i < num_channels; ++i) {
        if (get(store_.body.channels.channels[i].active))
            continue;
        channels_[i].tank_switch_countdown = 0;
        for (ds_alarm* alarm : {&alarms.tank_motor_sensor[i], &alarms.tank_motor_jam[i], &alarms.tank_gear[i],
                                &alarms.tank_shaft[i]})
            put(alarm->triggered, false);
    }
    if (!master_on_)
        save_totals();
}

void Seeder_controller::channel_switch_changed(int channel)
{
    if (!master_on_)
        return;
    Channel_state& c = channels_[channel];
    c.master_change_countdown = master_change_ticks;
    c.tank_switch_countdown = tank_switch_ticks;
    if (get(store_.body.channels.channels[channel].active)) {
        restart_rate_filter(channel, true);
        restart_section_settle();
    } else {
        c.restart_countdown = 0;
        for (uint32_t& countdown : c.filter_countdowns)
            countdown = 0;
    }
    // With the display's own section control the boom's ASC states count
    // only while one of its tanks is on.
    const int boom = app_.channels[channel]->assigned_to_boom.get();
    if (queries_.vt_mode() && valid_boom(boom))
        put(store_.body.booms.boom[boom].ignore_ASC, queries_.boom_has_no_active_tank(boom));
}

void Seeder_controller::boom_state_changed(int boom)
{
    if (!valid_boom(boom))
        return;
    const int32_t state = get(store_.body.booms.boom[boom].boom_state);
    const std::optional<int32_t> before = boom_states_[boom];
    if (before != state) {
        for (int i = 0; i < num_channels; ++i) {
            if (app_.channels[i]->assigned_to_boom.get() != boom)
                continue;
            restart_rate_filter(i, true);
            if (before == 0 && state != 0)
                channels_[i].master_change_countdown = master_change_ticks;
        }
        boom_states_[boom] = state;
    }
    restart_section_settle();
}
