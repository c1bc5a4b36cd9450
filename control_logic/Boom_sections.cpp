#include "control_logic/Seeder_controller.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"

#include <algorithm>
#include <array>

namespace {

constexpr double tick_seconds = 0.1;
constexpr int32_t tick_ms = 100;
constexpr float vt_delay = 0.1f; // seconds: every delay with the VT
constexpr float moving_kmh = 0.5f;
constexpr double snap_percent = 5.0;

}

std::vector<Seeder_controller::Section_timing> Seeder_controller::section_timings(int boom)
{
    std::vector<Section_timing> list;
    if (!valid_boom(boom))
        return list;
    const NV_quvel::boom_t& live = *parameters_.app.booms.booms[boom];
    const int n = std::min<int>(live.num_sections.get(), num_sections);
    const bool vt_mode = queries_.vt_mode();
    const bool calibration = queries_.calibration_run();
    if (vt_mode)
        list.push_back({vt_delay, vt_delay});
    for (int s = 0; s < n; ++s) {
        const NV_quvel::section_t& section = *app_.booms.booms[boom]->sections[s];
        if (vt_mode || calibration)
            list.push_back({vt_delay, vt_delay});
        else
            list.push_back({float(section.on_time.get()), float(section.off_time.get())});
    }
    return list;
}

void Seeder_controller::update_delay_times()
{
    const bool vt_mode = queries_.vt_mode();
    const bool calibration = queries_.calibration_run();
    for (int i = 0; i < num_channels; ++i) {
        const NV_quvel::channel_t& settings = *app_.channels[i];
        Channel_delays& d = delays_[i];
        const std::vector<Section_timing> list = section_timings(settings.assigned_to_boom.get());
        d.sections.resize(list.size());
        for (size_t k = 0; k < list.size(); ++k)
            d.sections[k].set_times(list[k].on, list[k].off);

        float on = vt_mode ? vt_delay : settings.tank_on_time.get();
        float off = vt_mode ? vt_delay : settings.tank_off_time.get();
        float mean = (on + off) * 0.5f;
        if (calibration)
            on = off = mean = vt_delay;
        const Section_timing* middle = list.empty() ? nullptr : &list[list.size() / 2];
        const float section_mean = middle ? (middle->on + middle->off) * 0.5f : 0.0f;
        d.drive.set_times(std::max(on, 0.0f), off);

        const float latency = section_mean + mean;
        d.rate.set_window(std::max(round_half_up((double(latency) + tick_seconds) * 1000.0), 0));
        put(store_.body.channels.channels[i].physical_setpoint_time_latency, latency);
    }
    const std::vector<Section_timing> list = section_timings(app_.downforces[0]->assigned_to_boom.get());
    downforce_section_delays_.resize(list.size());
    for (size_t k = 0; k < list.size(); ++k)
        downforce_section_delays_[k].set_times(list[k].on, list[k].off);
}

void Seeder_controller::write_section_states(int boom, int section, bool actual, bool delayed)
{
    ds_section& record = store_.body.booms.boom[boom].sections[section];
    put(record.actual_work_state, uint32_t(actual));
    put(record.delayed_work_state, uint8_t(delayed));
}

void Seeder_controller::boom_section_step()
{
    ds_monitor_ecus& monitors = store_.body.monitor_ecus;
    const uint8_t heads = app_.monitor_ecus.head_systems_enabled.get();
    if (heads <= 2) {
        const bool active[3][3] = {{true, true, true}, {true, false, false}, {false, true, false}};
        for (int h = 0; h < 3; ++h)
            put(monitors.head_system_active[h], active[heads][h]);
    }

    uint32_t actual_bits[num_booms] = {};
    uint32_t delayed_bits[num_booms] = {};
    std::array<uint32_t, num_sections> states[num_booms];
    for (int b = 0; b < num_booms; ++b)
        states[b] = queries_.section_states(b);
    for (int i = 0; i < num_channels; ++i) {
        ds_channel& record = store_.body.channels.channels[i];
        Channel_delays& d = delays_[i];
        d.drive.push(get(record.set_period) != 0, tick_seconds);

        // The rate that reaches the ground: the request once the drive
        // meets it, else what the drive does, unless the filter is settled.
        float filtered = float(channels_[i].filtered_rate);
        const float requested = float(get(record.requested_rate));
        if (percent_error(requested, filtered) > snap_percent && channels_[i].settle_counter != 0)
            filtered = requested;
        d.rate.add(percent_error(requested, filtered) <= snap_percent ? requested : filtered, tick_ms);
        const float delayed_rate = d.rate.delayed();
        const float first_rate = d.rate.first_non_zero();

        const int boom = app_.channels[i]->assigned_to_boom.get();
        double width = 0.0;
        bool delivering = false;
        // The list of a boom with ten sections and the VT's leading entry
        // reaches one index beyond the last section: it has no section.
        const int sections = valid_boom(boom) ? std::min<int>(int(d.sections.size()), num_sections) : 0;
        for (int s = 0; s < sections; ++s) {
            const bool on = states[boom][size_t(s)] != 0;
            const bool driving = d.drive.output() != 0;
            const uint32_t bit = 1u << s;
            if (driving && on)
                actual_bits[boom] |= bit;
            d.sections[s].push(driving && on, tick_seconds);
            if (d.sections[s].output() != 0 && first_rate > 0.0f) {
                delayed_bits[boom] |= bit;
                width += app_.booms.booms[boom]->sections[s]->width.get();
                delivering = true;
            }
        }
        put(record.active_width, width);
        put(record.actual_rate, double(delivering ? first_rate : delayed_rate));
    }

    if (app_.drill_control_enabled.get()) {
        const int boom = app_.downforces[0]->assigned_to_boom.get();
        if (valid_boom(boom)) {
            const bool lifted = states[boom][0] != 0 && get(store_.body.operation.setpoint_drill_lift);
            const int sections = std::min<int>(int(downforce_section_delays_.size()), num_sections);
            for (int u = 0; u < sections; ++u) {
                downforce_section_delays_[u].push(lifted, tick_seconds);
                if (downforce_section_delays_[u].output() != 0) {
                    actual_bits[boom] |= 1u << u;
                    delayed_bits[boom] |= 1u << u;
                }
            }
        }
    }

    for (int b = 0; b < num_booms; ++b)
        for (int s = 0; s < num_sections; ++s)
            write_section_states(b, s, actual_bits[b] & (1u << s), delayed_bits[b] & (1u << s));

    master_delay_.push(master_on_, tick_seconds);
    // Some sample of the last second is off: the first ten ticks after the master came on.
    const bool master_just_on = master_on_ && master_delay_.first_other(1) != 1;
    const bool priming = get(store_.body.operation.priming);
    bool preloading[num_booms] = {};
    bool priming_boom[num_booms] = {};
    for (int i = 0; i < num_channels; ++i) {
        if (master_just_on)
            request_preload(i);
        const int boom = app_.channels[i]->assigned_to_boom.get();
        if (queries_.remote_preload(i) && valid_boom(boom)) {
            preloading[boom] = true;
            priming_boom[boom] = priming_boom[boom] || priming;
        }
    }
    for (int b = 0; b < num_booms; ++b) {
        ds_boom& record = store_.body.booms.boom[b];
        const bool coverage = (!master_just_on && !preloading[b]) || source_kmh_ >= moving_kmh;
        put(record.use_asc_coverage, coverage);
        put(record.use_asc_boundary, !priming_boom[b]);
    }
}
