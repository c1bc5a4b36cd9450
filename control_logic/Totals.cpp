#include "control_logic/Seeder_controller.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"

namespace {

constexpr float kmh_to_mps = 0.2777777777777778f;
constexpr double m2_per_ha = 10000.0;
constexpr double metre_kmh_per_ha = 36000000.0; // km/h x ms x m per ha
constexpr double tick_ms = 500.0;
constexpr float minutes_per_tick = 0.008333334f;
constexpr float moving_kmh = 0.5f;
constexpr int num_sub_areas = 10;

bool wheel_source(uint8_t source)
{
    return source == 1 || source == 2 || source == 3 || source >= 7;
}

}

bool Seeder_controller::working() const
{
    bool tank_on = false;
    for (int i = 0; i < 4; ++i)
        tank_on = tank_on || channels_[i].last_active;
    return master_on_ && tank_on;
}

void Seeder_controller::area_step()
{
    ds_areas& areas = store_.body.areas;
    ds_history& history = store_.body.history;
    if (!working()) {
        idle_ = true;
        put(areas.area_rate, 0.0f);
        return;
    }
    // A tank calibration turns the drives with the machine standing: no distance.
    const bool calibration = queries_.calibration_run();
    double distance = 0.0;
    double divisor = m2_per_ha;
    if (calibration) {
        idle_ = false;
    } else if (wheel_source(app_.speed_source.get()) &&
               !(get(store_.body.operation.use_manual_speed) && queries_.any_remote_preload())) {
        // Wheel pulses measure the distance, unless a preload runs the drives at the manual speed.
        distance = pulses_taken_ * double(app_.wheel_cal_factor.get());
    } else {
        distance = speed_kmh_ * tick_ms;
        divisor = metre_kmh_per_ha;
    }
    const double machine_width = app_.machine_width.get();
    double machine_area = distance * machine_width / divisor;

    if (idle_) {
        // The first tick after a stop covers ground worked before it.
        idle_ = false;
        machine_area = 0.0;
    } else {
        const uint32_t sub_area = get(areas.sub_area_number);
        for (int i = 0; i < num_channels; ++i) {
            ds_channel& record = store_.body.channels.channels[i];
            if (!get(record.active))
                continue;
            const double a = section_width(i) * distance / divisor;
            if (sub_area < num_sub_areas)
                put(areas.sub_area[i][sub_area], float(get(areas.sub_area[i][sub_area]) + a));
            put(record.lifetime_total_area, get(record.lifetime_total_area) + a * m2_per_ha);
        }
        put(areas.area[0].total, float(get(areas.area[0].total) + machine_area));
        put(areas.area_rate, float(speed_kmh_ * machine_width * 0.1));
    }
    if (!calibration && speed_kmh_ >= moving_kmh) {
        put(history.job_operating_time, get(history.job_operating_time) + minutes_per_tick);
        put(history.machine_operating_time, get(history.machine_operating_time) + minutes_per_tick);
    }
    put(history.machine_operating_area, float(get(history.machine_operating_area) + machine_area));
}

void Seeder_controller::product_totals_step()
{
    const bool calibration = queries_.calibration_run();
    const double kmh = get(store_.body.vehicle.speed) / kmh_to_mps;
    const uint32_t sub_area = get(store_.body.areas.sub_area_number);
    for (int i = 0; i < num_channels; ++i) {
        const NV_quvel::channel_t& settings = *app_.channels[i];
        ds_channel& record = store_.body.channels.channels[i];
        const bool granular = settings.mode.get() == 0;
        if (!settings.control_to_rpm.get() && !calibration && drives(i)) {
            // On the width the actual rate was worked out on; in the bin's
            // unit, kg or l, as is the lifetime total the Task Controller reads.
            const double applied = get(record.actual_rate) * kmh * drive_width(i) * tick_ms / metre_kmh_per_ha;
            put(record.lifetime_total_volume, get(record.lifetime_total_volume) + applied);
            put(record.remaining_volume, get(record.remaining_volume) - applied);
            float& output = store_.body.history.output[i];
            put(output, float(get(output) + applied));
            if (sub_area < num_sub_areas) {
                float& volume = store_.body.volumes.sub_volume[i][sub_area];
                put(volume, float(get(volume) + applied));
            }
        }
        const float capacity = settings.capacity.get();
        put(record.max_contents, granular ? float(capacity * get(record.last_product_density)) : capacity);
    }
}
