#include "control_logic/Fan_tests.h"
#include "control_logic/Seeder_controller.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kmh_to_mps = 0.2777777777777778f;
constexpr float standing_kmh = 0.5f;
constexpr int32_t calibration_running = 1;
constexpr uint8_t swbox_with_tank_switches = 2;

}

void Seeder_controller::set_remote_preload(int channel, bool on)
{
    bool& item = store_.body.channels.channels[channel].remote_preload;
    if (get(item) != on)
        put(item, on);
    if (!on)
        put(store_.body.operation.priming, false);
}

void Seeder_controller::start_preload_timer(int channel, bool on, bool force)
{
    const bool was_preloading = queries_.any_remote_preload();
    const float preload_time = app_.preload_time.get();
    if (on && (preload_time > 0.0f || force)) {
        const uint32_t ticks = to_u32(std::ceil(2.0 * double(preload_time)));
        channels_[channel].preload_countdown = ticks;
        Debug_print::dprint("Tank Index=%i: SetPreloadTimer = %i\n", channel, int(ticks));
        set_remote_preload(channel, true);
    } else {
        set_remote_preload(channel, false);
    }
    // The first preload takes the booms' states again: the sections follow the preload.
    if (!was_preloading && queries_.any_remote_preload())
        apply_boom_states();
}

void Seeder_controller::request_preload(int channel)
{
    ds_channel& record = store_.body.channels.channels[channel];
    const NV_quvel::channel_t& settings = *app_.channels[channel];
    const NV_quvel::channel_t& live = *parameters_.app.channels[channel];
    const char* refused = nullptr;
    if (!queries_.run_condition())
        refused = "Master switch not active";
    else if (queries_.remote_preload(channel) || !get(record.active) || settings.mode.get() != 0)
        return;
    else if (speed_kmh_ >= standing_kmh)
        refused = "Actual speed too high";
    else if (!(section_width(channel) > 0.0))
        refused = "Invalid working width";
    else if (!live.enabled.get())
        refused = "Channel Disabled";
    else if (parameters_.app.manual_speed.get() == 0.0f)
        refused = "Manual speed not set";
    else if (!get(record.product_assigned))
        refused = "No product assigned";
    else if (!Fan_tests(store_, app_).running(true))
        refused = "No fan speed";
    else if (!(app_.preload_time.get() > 0.0f))
        refused = "Invalid Preload Time";
    else if (!(get(record.requested_rate) > 0.0))
        refused = "Invalid Set Rate";
    else if (get(store_.body.operation.calibration_state) == calibration_running)
        refused = "Calibraiton is in progress";
    if (refused) {
        Debug_print::dprint("Preload not started for tank %d: %s\n", channel, refused);
        return;
    }
    set_remote_preload(channel, false);
    start_preload_timer(channel, true, false);
}

void Seeder_controller::stop_preload(int channel)
{
    const bool was_preloading = queries_.remote_preload(channel);
    set_remote_preload(channel, false);
    if (was_preloading && !queries_.any_remote_preload())
        apply_boom_states();
}

void Seeder_controller::prime(int channel)
{
    ds_channel& record = store_.body.channels.channels[channel];
    const bool granular = app_.channels[channel]->mode.get() == 0;
    const uint8_t source = app_.speed_source.get();
    bool standing = true;
    if (source != 3 && granular) {
        const bool message_source = source == 0 || source == 4 || source == 5 || source == 6;
        const float mps = get(message_source ? store_.body.vehicle.gps_speed : store_.body.vehicle.speed);
        standing = mps / kmh_to_mps < standing_kmh;
    }
    const bool active = get(record.active);
    const bool assigned = get(record.product_assigned);
    const bool enabled = parameters_.app.channels[channel]->enabled.get();
    const bool fan = Fan_tests(store_, app_).running(true);
    if (active && assigned && enabled && fan && standing) {
        start_preload_timer(channel, granular, true);
        set_remote_preload(channel, granular);
        put(store_.body.operation.priming, granular);
        return;
    }
    if (enabled)
        Debug_print::dprint("Priming inhibited for tank %d: %d %d %d %d %d\n", channel, active, assigned, enabled, fan,
                            standing);
    start_preload_timer(channel, false, true);
    set_remote_preload(channel, false);
    put(store_.body.operation.priming, false);
}

void Seeder_controller::cal_swbox_reset_changed()
{
    Debug_print::dprint("HandleCalSwboxResetEvent\n");
    ds_operation& operation = store_.body.operation;
    if (!get(operation.cal_swbox_reset_active)) {
        if (app_.preload_time.get() == 0.0f)
            for (int i = 0; i < num_channels; ++i)
                stop_preload(i);
        return;
    }
    const uint8_t swbox = app_.swbox_cal_swbox_type.get();
    if (swbox == 0)
        return;
    if (queries_.calibration_run()) {
        bool driving = false;
        for (int i = 0; i < num_channels; ++i)
            driving = driving || drives(i);
        if (!driving) {
            for (int i = 0; i < num_channels; ++i) {
                Debug_print::dprint("TankIndex %i:Reset pulse count\n", i);
                put(store_.body.diagnostics.shaft[i].pulse_count, 0u);
            }
            return;
        }
    }
    if (queries_.run_condition())
        return;
    auto ready = [this](int i) { return app_.channels[i]->enabled.get() && !queries_.remote_preload(i); };
    auto prime_active = [this, &ready](int i) {
        if (get(store_.body.channels.channels[i].active) && ready(i)) {
            Debug_print::dprint("TankIndex:%u Active, Starting remote preload\n", unsigned(i));
            prime(i);
        }
    };
    if (swbox != swbox_with_tank_switches) {
        if (!get(operation.cal_swbox_run_stop_active))
            for (int i = 0; i < num_channels; ++i)
                prime_active(i);
        return;
    }
    // The two ranges meet at channel 5, whose second prime finds it preloading.
    for (int i = 0; i <= 5; ++i) {
        ds_channel& record = store_.body.channels.channels[i];
        if (get(record.cal_tank_switch_active) && ready(i)) {
            put(record.active, true);
            prime(i);
            Debug_print::dprint("Activating TankIndex:%u, Starting remote preload\n", unsigned(i));
        }
    }
    for (int i = 5; i < num_channels; ++i)
        prime_active(i);
}

void Seeder_controller::preload_countdown_step()
{
    const float preload_time = app_.preload_time.get();
    const bool held = app_.swbox_cal_swbox_type.get() != 0 && get(store_.body.operation.cal_swbox_reset_active) &&
                      !queries_.calibration_run();
    uint32_t largest = 0;
    bool ended = false;
    for (int i = 0; i < num_channels; ++i) {
        Channel_state& c = channels_[i];
        ds_channel& channel = store_.body.channels.channels[i];
        if (get(channel.active)) {
            if (app_.channels[i]->mode.get() == 0 && preload_time > 0.0f && queries_.remote_preload(i)) {
                if (c.preload_countdown > 0) {
                    --c.preload_countdown;
                    largest = std::max(largest, c.preload_countdown);
                }
                if (c.preload_countdown == 0 && !held) {
                    set_remote_preload(i, false);
                    ended = true;
                }
                if (c.tank_switch_countdown > 0)
                    --c.tank_switch_countdown;
            }
            if (c.restart_countdown > 0)
                --c.restart_countdown;
            if (c.rate_change_countdown > 0 && --c.rate_change_countdown == 0)
                put(channel.rate_change_active, false);
            for (uint32_t& countdown : c.filter_countdowns)
                if (countdown > 0)
                    --countdown;
            if (c.tank_switch_countdown > 0)
                --c.tank_switch_countdown;
        }
        if (c.master_change_countdown > 0)
            --c.master_change_countdown;
    }
    const bool preloading = queries_.any_remote_preload();
    if (ended && !preloading)
        apply_boom_states();
    put(store_.body.operation.preload_active, preloading);
    const double remaining = std::ceil(largest * 0.5 + 0.5);
    put(store_.body.operation.preload_time_remaining,
        round_half_up(std::min(remaining, std::trunc(double(preload_time)))));
}
