#include "control_logic/Seeder_controller.h"
#include "data_store/Data_store.h"

namespace {

constexpr float kmh_to_mps = 0.2777777777777778f;
constexpr float moving_kmh = 0.5f;

bool message_source(uint8_t source)
{
    return source == 0 || source == 4 || source == 5 || source == 6;
}

}

void Seeder_controller::ground_speed_step()
{
    ds_vehicle& vehicle = store_.body.vehicle;
    ds_history& history = store_.body.history;
    const uint8_t source = app_.speed_source.get();
    const float cal = app_.wheel_cal_factor.get();
    const float manual = app_.manual_speed.get();

    pulses_taken_ = 0;
    if (get(store_.body.operation.calibration_state) == 0) {
        pulses_taken_ = get(vehicle.ground_speed_sensor.pulse_count);
        put(vehicle.ground_speed_sensor.pulse_count, 0u);
    }
    const uint32_t period = get(vehicle.ground_speed_sensor.period);
    const float wheel_kmh = period == 0 ? 0.0f : float(1e6 / period * 3.6 * cal);
    const float gps = get(vehicle.gps_speed);

    float source_mps = 0.0f;
    if (message_source(source))
        source_mps = gps;
    else if (source == 3)
        source_mps = manual * kmh_to_mps;
    else if (source == 1 || source == 2)
        source_mps = wheel_kmh * kmh_to_mps;
    put(vehicle.source_speed, source_mps);
    source_kmh_ = source_mps / kmh_to_mps;

    bool preloading = false;
    for (int i = 0; i < num_channels; ++i)
        preloading = preloading || get(store_.body.channels.channels[i].remote_preload);

    if (get(store_.body.operation.use_manual_speed) || preloading) {
        speed_kmh_ = manual;
    } else if (message_source(source) || source == 1 || source == 2) {
        raw_kmh_ = message_source(source) ? gps / kmh_to_mps : wheel_kmh;
        if (app_.filter_speed.get()) {
            const float f = app_.speed_filter_factor.get();
            filtered_kmh_ = (1.0f - f) * raw_kmh_ + f * filtered_kmh_;
        } else {
            filtered_kmh_ = raw_kmh_;
        }
        speed_kmh_ = filtered_kmh_;

        // History keeps metres and m/s whatever the source.
        const float max_mps = message_source(source) ? raw_kmh_ * kmh_to_mps : speed_kmh_ * kmh_to_mps;
        if (max_mps > get(history.max_speed))
            put(history.max_speed, max_mps);
        bool working = false;
        for (int i = 0; i < 4; ++i)
            working = working || channels_[i].last_active;
        if (master_on_ && working) {
            float metres = 0.0f;
            if (message_source(source))
                metres = gps * 0.5f;
            else if (source == 1)
                metres = pulses_taken_ * cal;
            else
                metres = raw_kmh_ * kmh_to_mps * 0.5f;
            put(history.machine_operating_distance, get(history.machine_operating_distance) + metres);
        }
    }

    if (speed_kmh_ >= moving_kmh && !moving_) {
        // Soft: the filter countdowns start again, the settle count stays.
        for (int i = 0; i < num_channels; ++i)
            restart_rate_filter(i, false);
        restart_section_settle();
        moving_ = true;
    } else if (speed_kmh_ < moving_kmh) {
        moving_ = false;
    }
    put(vehicle.speed, speed_kmh_ * kmh_to_mps);
}

void Seeder_controller::runtime_meter()
{
    const Atime now = Atime::now();
    const int64_t elapsed = (now - meter_mark_).ms();
    meter_mark_ = now;
    ds_tc_interface& interface = store_.body.interface;
    if (get(store_.body.operation.master_switch_active)) {
        effective_ms_ += elapsed;
        put(interface.lifetime_effective_time, int32_t(effective_ms_ / 1000));
    } else {
        ineffective_ms_ += elapsed;
        put(interface.lifetime_ineffective_time, int32_t(ineffective_ms_ / 1000));
    }
}
