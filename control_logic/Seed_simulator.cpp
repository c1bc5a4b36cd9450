#include "control_logic/Seed_simulator.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"

#include <cstring>

namespace {

constexpr int queue_size = 50;
constexpr int stack_size = 6144;
constexpr int num_booms = 6;
constexpr int num_sections = 10;
constexpr int num_shafts = 10;
constexpr int num_fan_shafts = 4;
// The alternative-rate alarm of this tank blinks: 10 s on, 10 s off.
constexpr int blinking_tank = 2;
constexpr uint32_t blink_ticks = 20;

}

template <class T>
T Seed_simulator::get(const T& item)
{
    return store_.head.get(item);
}

// Only what changes is written: every write wakes the item's listeners.
template <class T>
void Seed_simulator::put(T& item, const T& value)
{
    const T current = get(item);
    if (std::memcmp(&current, &value, sizeof(T)) != 0)
        store_.head.set(item, value);
}

Seed_simulator::Seed_simulator(Data_store& store, NV_quvel::parameters_t& parameters)
    : store_(store), parameters_(parameters), queries_(store, parameters.app)
{
}

Seed_simulator::~Seed_simulator()
{
    remove_timeout(tick_);
    terminate(1, 1000);
}

bool Seed_simulator::init(module_man* manager)
{
    return set_up(manager) && start();
}

bool Seed_simulator::set_up(module_man* manager)
{
    if (!Diner::init(manager, nullptr, "CLIF", queue_size, stack_size, true, false))
        return false;
    fill();
    submit_timeout(tick_);
    return true;
}

void Seed_simulator::fill()
{
    ds_alarms& alarms = store_.body.alarms;
    put(alarms.fan_pressure_low.active, false);
    put(alarms.fan_pressure_high.active, true);
    put(alarms.tank_empty[1].active, true);
    for (int c = 0; c < demo_channels; ++c)
        fill_channel(c);
    put(store_.body.areas.sub_area_number, 3u);
    set_demonstration_parameters();
}

// The whole record in one write, so that a reader sees the channel set up at once.
void Seed_simulator::fill_channel(int channel)
{
    ds_channel& record = store_.body.channels.channels[channel];
    ds_channel value = get(record);
    const float capacity = parameters_.app.channels[channel]->capacity.get();
    value.requested_rate = 10 + channel;
    value.actual_rate = 10 + channel;
    value.remaining_volume = capacity;
    Debug_print::dprint("Setup Channel #%d, capacity=%lf\n", channel, double(capacity));
    put(record, value);
}

// Rates, a manual speed, boom lengths and product steps for the settings
// screens to show.
void Seed_simulator::set_demonstration_parameters()
{
    NV_quvel::application_t& app = parameters_.app;
    for (int c = 0; c < demo_channels; ++c) {
        app.channels[c]->preset_rate_1.set(12.0f + float(c));
        app.channels[c]->preset_rate_2.set(22.0f + float(c));
    }
    app.manual_speed.set(10.1f);
    for (int k = 0; k < 6; ++k) {
        app.booms.booms[k]->working_length.set(2.1f + 0.1f * float(k));
        app.products[k]->inc_dec.set(5.1f + 0.1f * float(k));
    }
}

void Seed_simulator::handle_timeout(Timeout& timeout)
{
    if (&timeout == &tick_)
        tick();
}

void Seed_simulator::tick()
{
    ++ticks_;
    const uint32_t phase = ticks_ % demo_channels;
    publish_section_states();
    for (int c = 0; c < demo_channels; ++c)
        move_channel(c, phase);
    put(store_.body.alarms.tank_alt_rate_in_use[blinking_tank].triggered, ticks_ % blink_ticks < blink_ticks / 2);
    move_fans(phase);
    count_pulses(phase);
    put(store_.body.vehicle.speed, 15.0f);
    step_calibration();
    add_totals();
    for (int c = 0; c < demo_channels; ++c)
        put(store_.body.channels.channels[c].active, uint32_t(c) == phase);
}

// The sections work as they are asked to.
void Seed_simulator::publish_section_states()
{
    for (int b = 0; b < num_booms; ++b)
        for (int s = 0; s < num_sections; ++s)
            put(store_.body.booms.boom[b].sections[s].actual_work_state, queries_.section_state(b, s));
}

void Seed_simulator::move_channel(int channel, uint32_t phase)
{
    ds_channel& record = store_.body.channels.channels[channel];
    const double actual = get(record.requested_rate) + phase;
    double remaining = get(record.remaining_volume);
    if (get(record.active)) {
        remaining -= actual;
        if (remaining < 0)
            remaining = parameters_.app.channels[channel]->capacity.get();
    }
    put(record.actual_rate, actual);
    put(record.remaining_volume, remaining);
    parameters_.app.products[channel]->preset_rate_1.set(float(actual));
    put(store_.body.diagnostics.level_sensor_on[channel], uint32_t(channel) <= phase);
}

void Seed_simulator::move_fans(uint32_t phase)
{
    ds_fan* fans = store_.body.fans;
    const float p = float(phase);
    put(fans[0].rpm, 11.3f * p);
    put(fans[1].rpm, 12.3f * p);
    put(fans[0].pressure, 13.1f * p);
    put(fans[1].pressure, 14.1f * p);
}

void Seed_simulator::count_pulses(uint32_t phase)
{
    ds_diagnostics& diagnostics = store_.body.diagnostics;
    for (uint32_t k = 1; k <= num_shafts; ++k) {
        ds_shaft& shaft = diagnostics.shaft[k - 1];
        put(shaft.period, 22000 * k + 100 * phase);
        put(shaft.pulse_count, get(shaft.pulse_count) + 1);
    }
    ds_ground_speed_sensor& ground = diagnostics.ground_speed;
    put(ground.period, 7000 + 100 * phase);
    put(ground.pulse_count, get(ground.pulse_count) + 1);
    for (uint32_t k = 1; k <= num_fan_shafts; ++k) {
        ds_shaft& shaft = diagnostics.fans[k - 1].shaft;
        put(shaft.period, 1000 * k + 100 * phase);
        put(shaft.pulse_count, get(shaft.pulse_count) + 1);
    }
}

// A calibration sees the calibrated tank's drive and the ground wheel turn.
void Seed_simulator::step_calibration()
{
    if (get(store_.body.operation.calibration_state) == 0)
        return;
    const uint32_t tank = get(store_.body.internal.current_tank_cal_index);
    if (tank < demo_channels) {
        uint32_t& period = store_.body.channels.channels[tank].actual_period;
        put(period, get(period) + 10);
    }
    uint32_t& pulses = store_.body.vehicle.ground_speed_sensor.pulse_count;
    const uint32_t count = get(pulses) + 10;
    put(pulses, count);
    Debug_print::dprint("pulse_count=%u\n", count);
}

void Seed_simulator::add_totals()
{
    ds_tc_interface& totals = store_.body.interface;
    put(totals.total_area, get(totals.total_area) + 500.0);
    put(totals.total_distance, get(totals.total_distance) + 1.0);
    put(totals.total_time, get(totals.total_time) + 1000.0);
}
