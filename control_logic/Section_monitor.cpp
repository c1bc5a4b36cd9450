// The section monitors: the list of sensor inputs of monitor ECU 71, one per
// section of each granular tank's boom, and the walk of slot 36 that asks
// for the shaft period of each section that should be turning.
#include "control_logic/Ecu_poller.h"
#include "control_logic/Packet.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"

#include <algorithm>

namespace {

constexpr uint8_t section_monitor_address = 71;
constexpr uint8_t command_read = 1;
constexpr uint8_t command_setup = 9;
constexpr uint32_t setup_length = 11;
constexpr int32_t num_tanks = 10;
// The machine's booms and their sections: the store's section-monitoring
// table has ten boom records, but only these have section states to walk.
constexpr int32_t num_booms = 6;
constexpr int32_t num_sections = 10;
constexpr int32_t max_inputs = 32;

}

void Ecu_poller::rebuild_section_monitors()
{
    ds_section_monitoring& monitors = store_.body.section_monitors;
    const int32_t tanks = std::clamp(get(monitors.num_tanks), 0, num_tanks);
    int32_t count = 0;
    for (int32_t c = 0; c < tanks && count < max_inputs; ++c) {
        if (app_.channels[c]->mode.get() != 0)
            continue;
        const int32_t boom = get(monitors.tanks[c].boom_assignment);
        if (boom < 0 || boom >= num_booms)
            continue;
        const int32_t sections = std::min(get(monitors.booms[boom].num_sections), num_sections);
        if (sections <= 1)
            continue;
        for (int32_t j = 0; j < sections && count < max_inputs; ++j, ++count)
            put(monitors.inputs[count], ds_section_monitoring_inputs{c, boom, j});
    }
    put(monitors.num_inputs, count);
}

void Ecu_poller::send_section_monitor()
{
    ds_section_monitoring& monitors = store_.body.section_monitors;
    if (!section_monitor_done_) {
        const int32_t count = std::clamp(get(monitors.num_inputs), 0, max_inputs);
        const uint32_t raw = get(monitors.raw_pulsed_section_monitors_status);
        uint32_t status = raw;
        int32_t next = section_monitor_index_ + 1;
        for (; next < count; ++next) {
            const ds_section_monitoring_inputs entry = get(monitors.inputs[next]);
            if (entry.tank >= 0 && entry.tank < num_tanks && queries_.channel_running(entry.tank) &&
                queries_.section_state(entry.boom, entry.section) == 1)
                break;
            status &= ~(1u << next);
        }
        if (status != raw)
            put(monitors.raw_pulsed_section_monitors_status, status);
        if (next < count) {
            section_monitor_index_ = next;
            const ds_section_monitoring_inputs entry = get(monitors.inputs[next]);
            if (next == get(monitors.pulsed_section_monitors_diagnostics_input)) {
                put(monitors.pulsed_section_monitors_diagnostics_boom, entry.boom);
                put(monitors.pulsed_section_monitors_diagnostics_section, entry.section + 1);
            }
            send_simple(section_monitor_address, command_read, {uint8_t(next)});
            return;
        }
        // Past the last entry: the set-up request follows at once, so that
        // the slot never waits out a deadline for nothing.
        section_monitor_index_ = -1;
        section_monitor_done_ = 1;
    }
    expected_length_ = setup_length;
    send_simple(section_monitor_address, command_setup, {0, 3, 0, 255, 255});
}

void Ecu_poller::receive_section_monitor(const Packet& p)
{
    const uint8_t source = p.bytes[2];
    const uint8_t command = p.bytes[3];
    const bool monitor_source = source == 57 || (source >= 68 && source <= 75);
    if (!monitor_source)
        return;
    if (command == command_setup) {
        section_monitor_done_ = 0;
        receive_monitor(36, p);
        return;
    }
    const int32_t k = section_monitor_index_;
    if (command != command_read || k < 0 || k >= max_inputs)
        return;
    ds_section_monitoring& monitors = store_.body.section_monitors;
    const int32_t tank = get(monitors.inputs[k].tank);
    if (tank < 0 || tank >= num_tanks)
        return;
    const uint8_t* d = p.bytes + 4;
    const uint32_t period = uint32_t(d[0]) | uint32_t(d[1]) << 8 | uint32_t(d[2]) << 16;
    double rate = 0.0;
    if (period >= 1 && period <= max_period_field) {
        rate = 60000.0 / (period * 0.002);
        const int32_t encoder = get(monitors.tanks[tank].section_encoder_ratio);
        if (encoder > 0)
            rate /= encoder;
    }
    const double shaft = get(store_.body.channels.channels[tank].shaft_rpm);
    const double ratio = shaft >= 0.001 ? rate / shaft : 0.0;
    if (k == get(monitors.pulsed_section_monitors_diagnostics_input)) {
        put(monitors.pulsed_section_monitors_diagnostics_section_rpm, float(rate));
        put(monitors.pulsed_section_monitors_diagnostics_section_ratio, float(ratio));
    }
    const double band = get(monitors.threshold_percent) / 100.0;
    const bool off = shaft >= 0.001 && (ratio > 1.0 + band || ratio < 1.0 - band) &&
                     (rate == 0.0 || get(monitors.sections_settled));
    store_.head.lock();
    uint32_t status = monitors.raw_pulsed_section_monitors_status;
    store_.head.unlock();
    status = off ? status | (1u << k) : status & ~(1u << k);
    put(monitors.raw_pulsed_section_monitors_status, status);
}
