#include "control_logic/Seeder_controller.h"

#include <algorithm>

namespace {

constexpr uint32_t samples_per_hour = 7201; // half-second ticks, 0 restarts the averages
constexpr int fans_with_pressure_history = 4;
constexpr double adc_volts = 5.0 / 256.0;

// The running average of one value, restarted when the sample counter is 0.
void average_in(float value, float& average, uint32_t& samples, uint32_t counter)
{
    if (counter == 0) {
        average = value;
        samples = 1;
        return;
    }
    average = float((value + double(samples) * average) / (samples + 1.0));
    ++samples;
}

}

double Seeder_controller::fan_pressure(uint8_t sensor_type, uint32_t adc, const NV_quvel::voltage_pressure_sensor_t& calibration)
{
    const double volts = adc * adc_volts;
    switch (sensor_type) {
    case 2:
        return volts < 0.8 ? 0.0 : (volts - 0.8) * 4309.223;
    case 3:
        return Seeder_controller::linear_sensor(volts, calibration.min_voltage.get(), calibration.max_voltage.get(),
                                                calibration.max_pressure.get());
    default:
        return std::max(0.0, (adc - 61.4) * 0.16875);
    }
}

void Seeder_controller::fan_step()
{
    ds_history& history = store_.body.history;
    const uint32_t counter = (get(history.fan_samples_counter) + 1) % samples_per_hour;
    put(history.fan_samples_counter, counter);

    for (int k = 0; k < num_fans; ++k) {
        const NV_quvel::fan_t& settings = *app_.fans[k];
        ds_fan& fan = store_.body.fans[k];
        ds_fans_diags& inputs = store_.body.diagnostics.fans[k];

        float rpm = 0.0f;
        if (!settings.sense_rpm.get()) {
            put(inputs.shaft.period, 0u);
            put(inputs.shaft.pulse_count, 0u);
        } else {
            const float raw = get(fan.raw_rpm);
            if (raw >= 100.0f && settings.filter_rpm.get() && !fan_filter_restart_[k]) {
                const float f = settings.filter_factor_rpm.get();
                rpm = f * get(fan.rpm) + (1.0f - f) * raw;
            } else {
                rpm = raw;
                fan_filter_restart_[k] = false;
            }
        }
        put(fan.rpm, rpm);
        if (rpm > get(history.fan_max_speed[k]))
            put(history.fan_max_speed[k], rpm);
        if (rpm >= settings.avg_rpm.get()) {
            float average = get(history.fan_avg_speed[k]);
            uint32_t samples = get(history.fan_speed_samples[k]);
            average_in(rpm, average, samples, counter);
            put(history.fan_avg_speed[k], average);
            put(history.fan_speed_samples[k], samples);
        }

        const float p = float(fan_pressure(settings.pressure_sensor_type.get(), get(inputs.adc.adc_val),
                                           settings.voltage_pressure_sensor));
        float pressure = 0.0f;
        if (settings.sense_pressure.get() && p >= 1.0f) {
            const float f = settings.filter_factor_pressure.get();
            pressure = settings.filter_pressure.get() ? f * get(fan.pressure) + (1.0f - f) * p : p;
        }
        put(fan.pressure, pressure);
        if (k >= fans_with_pressure_history)
            continue;
        if (pressure > get(history.fan_max_pressure[k]))
            put(history.fan_max_pressure[k], pressure);
        if (pressure >= settings.avg_pressure.get()) {
            float average = get(history.fan_avg_pressure[k]);
            uint32_t samples = get(history.fan_pressure_samples[k]);
            average_in(pressure, average, samples, counter);
            put(history.fan_avg_pressure[k], average);
            put(history.fan_pressure_samples[k], samples);
        }
    }
}
