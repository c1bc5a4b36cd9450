#include "control_logic/Seeder_controller.h"

#include <algorithm>

namespace {

constexpr double adc_volts = 5.0 / 256.0;
constexpr int32_t pressure_control = 1;

// The pressure that gives the requested down force with the measured load.
double opener_pressure(uint8_t opener_type, double load, double request)
{
    switch (opener_type) {
    case 0:
        return load * 24.75420561 + request * 183.364486 - 6986.517777;
    case 1:
        return load * 79.23661317 + request * 184.45432 - 11579.14379;
    default:
        return 0.0;
    }
}

// The down force that pressure and load give, the other way round.
double opener_force(uint8_t opener_type, double pressure, double load)
{
    switch (opener_type) {
    case 0:
        return pressure * 0.005453619 - load * 0.135 + 38.10180439;
    case 1:
        return pressure * 0.005421397 - load * 0.4295731 + 62.77513;
    default:
        return 0.0;
    }
}

}

double Seeder_controller::linear_sensor(double volts, double vmin, double vmax, double max_value)
{
    if (volts < vmin || vmin >= vmax)
        return 0.0;
    return max_value / (vmax - vmin) * (volts - vmin);
}

uint8_t Seeder_controller::pressure_to_byte(double pressure, double vmin, double vmax, double pmax)
{
    const double volts = pmax > 0.0 ? vmin + (vmax - vmin) / pmax * pressure : vmin + 256.0 * pressure;
    const double value = volts * 256.0 / 5.0;
    if (!(value >= 0.0))
        return 0;
    if (value > 255.0)
        return 255;
    return uint8_t(std::min(round_half_up(value), 255));
}

double Seeder_controller::load_reading(int downforce)
{
    const double volts = get(store_.body.diagnostics.downforce[downforce].df_adc.adc_val) * adc_volts;
    return linear_sensor(volts, app_.load_sensor_min_ADC.get() * adc_volts, app_.load_sensor_max_ADC.get() * adc_volts,
                         app_.load_sensor_max_load.get());
}

void Seeder_controller::downforce_targets()
{
    for (int d = 0; d < num_downforces; ++d) {
        const NV_quvel::channel_t& c = *app_.downforces[d];
        ds_channel& record = store_.body.downforces.channels[d];
        uint32_t output = 0;
        if (c.enabled.get()) {
            const double speed = get(store_.body.operation.use_manual_speed) ? app_.manual_speed.get() : source_kmh_;
            const double request = get(record.requested_rate);
            const bool tracking = app_.down_force_track_master.get();
            const bool master = queries_.run_condition();
            if (get(record.rate_control_mode) != pressure_control) {
                if (!tracking || master)
                    output = request > 100.0 ? 1000 : std::min<uint32_t>(to_u32(request * 10.0), 1000);
            } else if (speed >= 0.5 && (!tracking || master)) {
                const double sensor_vmin = app_.sensor_min_voltage.get();
                const double sensor_vmax = app_.sensor_max_voltage.get();
                const double sensor_pmax = app_.sensor_max_pressure.get();
                if (app_.control_to_pack_force.get() && app_.personality.get() == 1) {
                    const double pressure =
                        std::max(0.0, opener_pressure(app_.drill_opener_type.get(), load_reading(d), request));
                    output = pressure_to_byte(pressure, sensor_vmin, sensor_vmax, sensor_pmax);
                } else if (app_.control_to_pack_force.get()) {
                    output = pressure_to_byte(request, app_.load_sensor_min_ADC.get() * adc_volts,
                                              app_.load_sensor_max_ADC.get() * adc_volts,
                                              app_.load_sensor_max_load.get());
                } else {
                    output = pressure_to_byte(request, sensor_vmin, sensor_vmax, sensor_pmax);
                }
            }
        }
        put(record.set_period, output);
    }
}

void Seeder_controller::downforce_feedback()
{
    for (int d = 0; d < num_downforces; ++d) {
        const NV_quvel::channel_t& c = *app_.downforces[d];
        if (!c.enabled.get())
            continue;
        ds_channel& record = store_.body.downforces.channels[d];
        const double volts = get(store_.body.diagnostics.downforce[d].press_adc.adc_val) * adc_volts;
        const double pressure = linear_sensor(volts, app_.sensor_min_voltage.get(), app_.sensor_max_voltage.get(),
                                              app_.sensor_max_pressure.get());
        put(record.liquid_pressure, float(pressure));
        const double load = load_reading(d);
        const double achieved =
            app_.personality.get() == 1 ? opener_force(app_.drill_opener_type.get(), pressure, load) : load;

        double& filtered = downforce_filtered_[d];
        if (c.filter_rate.get() && achieved != 0.0) {
            const double f = c.rate_filter_factor.get();
            filtered = (1.0 - f) * achieved + f * filtered;
        } else {
            filtered = achieved;
        }
        const double request = get(record.requested_rate);
        if (get(record.rate_control_mode) == pressure_control && percent_error(request, achieved) <= 5.0 &&
            percent_error(request, filtered) > 5.0)
            filtered = request;
        put(record.actual_rate, filtered);
        put(record.flow_rate, filtered);
    }
}
