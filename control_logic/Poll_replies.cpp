// The reply of each slot, decoded into the store. A reply from another
// source or with another command than expected leaves the store unchanged.
#include "control_logic/Ecu_poller.h"
#include "control_logic/Packet.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

constexpr int num_channels = 10;
constexpr int num_booms = 6;
constexpr uint8_t command_status = 1;
constexpr uint8_t command_drive = 2;
constexpr uint8_t command_spray_sections = 3;
constexpr uint8_t command_pressure = 4;
constexpr uint8_t command_pulses = 7;
constexpr uint8_t command_spray_load = 8;
constexpr uint8_t command_spray_configuration = 9;
constexpr uint8_t command_load_h = 72;
constexpr uint8_t command_load_i = 73;
constexpr uint8_t command_configuration = 200;
// Length byte of a drive configuration reply: six data bytes, the version at 4 and 5.
constexpr uint8_t configuration_length = 4 + 6;

uint8_t source(const Packet& p)
{
    return p.bytes[2];
}

uint8_t command(const Packet& p)
{
    return p.bytes[3];
}

const uint8_t* data(const Packet& p)
{
    return p.bytes + 4;
}

uint32_t u16_at(const uint8_t* d)
{
    return uint32_t(d[0]) | uint32_t(d[1]) << 8;
}

uint32_t u24_at(const uint8_t* d)
{
    return u16_at(d) | uint32_t(d[2]) << 16;
}

bool bit(uint8_t byte, int n)
{
    return (byte >> n) & 1u;
}

// The spray ECU (0 or 1) at an address, -1 for another address.
int spray_ecu_of(uint8_t address)
{
    return address == 52 || address == 60 ? 0 : address == 53 || address == 61 ? 1 : -1;
}

int hex_digit(uint8_t ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

// n hexadecimal digits; false when one is not a digit.
bool read_hex(const uint8_t* text, int n, uint32_t& value)
{
    value = 0;
    for (int i = 0; i < n; ++i) {
        const int d = hex_digit(text[i]);
        if (d < 0)
            return false;
        value = value << 4 | uint32_t(d);
    }
    return true;
}

}

float Ecu_poller::actuator_position(uint8_t b)
{
    // Position in % by load byte. The identity until the firmware's
    // calibration table replaces it.
    static const struct Table {
        float values[101];
        Table()
        {
            for (int i = 0; i <= 100; ++i)
                values[i] = float(i);
        }
    } table;
    return table.values[std::min<int>(b, 100)];
}

void Ecu_poller::handle_reply(uint32_t slot, const Packet& p)
{
    switch (slot) {
    case 0:
    case 17:
        receive_ground_speed(p);
        break;
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8:
        receive_drive(int(slot) - 1, p);
        break;
    case 9:
        receive_fan(p);
        break;
    case 10: case 11: case 12: case 13:
        receive_pulses_and_pressure(p);
        break;
    case 14:
        receive_pressure(p);
        break;
    case 15:
    case 26:
        receive_load(p);
        break;
    case 16:
    case 30:
        receive_switch_box(p);
        break;
    case 18: case 19: case 20: case 21: case 22: case 23:
        receive_inputs(p);
        break;
    case 25:
        receive_temperature(p);
        break;
    case 27:
    case 28:
        receive_spray_sections(p);
        break;
    case 31:
        receive_frame_switch_box(p);
        break;
    case 32:
        receive_version(p);
        break;
    case 33:
        receive_drill_control(p);
        break;
    case 35:
        receive_drill_load(p);
        break;
    case scale_slot:
        receive_scale(p);
        break;
    case 38:
        if (app_.ecu_config.get() != 1 && spray_ecu_of(source(p)) >= 0 && command(p) == command_spray_configuration)
            receive_spray_configuration(p);
        else
            receive_drive_configuration(p);
        break;
    case 24:
    case 29:
        receive_monitor(slot, p);
        break;
    case 36:
        receive_section_monitor(p);
        break;
    default:
        // 34 is accepted without effect.
        break;
    }
}

void Ecu_poller::receive_ground_speed(const Packet& p)
{
    if (source(p) != 50 || command(p) != command_status || app_.speed_source.get() != 1)
        return;
    const uint32_t period = shifted_period(u24_at(data(p)), 9);
    const uint32_t count = u16_at(data(p) + 3);
    ds_ground_speed_sensor& sensor = store_.body.vehicle.ground_speed_sensor;
    put(sensor.period, period);
    put(sensor.pulse_count, get(sensor.pulse_count) + count);
    ds_ground_speed_sensor& diagnostics = store_.body.diagnostics.ground_speed;
    put(diagnostics.period, period);
    put(diagnostics.pulse_count, get(diagnostics.pulse_count) + count);
}

void Ecu_poller::receive_drive(int channel, const Packet& p)
{
    ds_channel& record = store_.body.channels.channels[channel];
    if (source(p) != drive_address(channel, app_.ecu_config.get()) || command(p) != command_drive) {
        put(record.actual_period, 0u);
        return;
    }
    const uint32_t period = shifted_period(u24_at(data(p)), 1);
    put(record.actual_period, period);
    ds_shaft& shaft = store_.body.diagnostics.shaft[channel];
    put(shaft.period, period);
    put(shaft.pulse_count, get(shaft.pulse_count) + u16_at(data(p) + 3));
}

void Ecu_poller::receive_fan(const Packet& p)
{
    if (source(p) != destination_ || command(p) != command_status || fan_polled_ < 1)
        return;
    const int k = fan_polled_ - 1;
    const uint32_t raw = u24_at(data(p));
    // Fan 5 counts in units 256 times longer.
    const unsigned shift = fan_polled_ == 5 ? 8 : 0;
    const uint32_t period = shifted_period(raw, shift + 1);
    ds_fan& fan = store_.body.fans[k];
    if (period != 0) {
        const int encoder = app_.fans[k]->encoder.get();
        const double pulses = encoder > 1 ? encoder : 1;
        put(fan.raw_rpm, float(3e7 / pulses / (double(period) / 2)));
        put(fan.period, period);
    } else {
        put(fan.raw_rpm, 0.0f);
    }
    ds_shaft& shaft = store_.body.diagnostics.fans[k].shaft;
    put(shaft.period, period);
    put(shaft.pulse_count, get(shaft.pulse_count) + u16_at(data(p) + 3));
}

void Ecu_poller::receive_pulses_and_pressure(const Packet& p)
{
    if (command(p) != command_pulses)
        return;
    int ecu = -1;
    switch (source(p)) {
    case 50:
    case 51:
        ecu = source(p) - 50;
        break;
    case 52:
    case 60:
        ecu = 2;
        break;
    case 53:
    case 61:
        ecu = 3;
        break;
    default:
        return;
    }
    const uint8_t* d = data(p);
    // The fan's pressure reading, converted by the controller.
    put(store_.body.diagnostics.fans[ecu].adc.adc_val, u16_at(d));
    ds_channel* channels = store_.body.channels.channels;
    for (int i = 0; i < 2; ++i) {
        put(channels[2 * ecu + i].pulse_ratio_calc, u16_at(d + 2 + 2 * i));
        put(channels[2 * ecu + i].motor_pulse_count, u16_at(d + 6 + 2 * i));
    }
    if (ecu == 3) {
        for (int c = 8; c < num_channels; ++c) {
            put(channels[c].pulse_ratio_calc, 0u);
            put(channels[c].motor_pulse_count, 0u);
        }
    }
}

void Ecu_poller::receive_pressure(const Packet& p)
{
    const int c = pressure_channel_;
    if (source(p) != drive_address(c, app_.ecu_config.get()) || command(p) != command_pressure)
        return;
    const uint32_t value = u16_at(data(p));
    ds_diagnostics& diagnostics = store_.body.diagnostics;
    const bool fan_pressure = c < 4 && app_.fans[c]->sense_pressure.get();
    const bool liquid = app_.channels[c]->liquid_pressure_sense.get();
    if (!fan_pressure && !liquid)
        return;
    if (c < 4)
        put(diagnostics.fans[c].adc.adc_val, fan_pressure ? value : 0u);
    put(diagnostics.liquid_pressure_sensor[c].adc_val, fan_pressure ? 0u : value);
}

void Ecu_poller::receive_load(const Packet& p)
{
    const int c = load_channel_;
    const uint8_t ecu_config = app_.ecu_config.get();
    const uint8_t* d = data(p);
    ds_channel& record = store_.body.channels.channels[c];
    const bool setting = get(record.set_period) != 0;
    if (spray_channel(c, ecu_config)) {
        if (source(p) != drive_address(c, ecu_config)) {
            Debug_print::dprint("ReceiveSprayECULoad: invalid proc id:0x%x\n", source(p));
            return;
        }
        if (command(p) == command_spray_load)
            put(record.motor_load, setting ? float((d[0] * 4 + d[1]) * 100 / 1024.0) : 0.0f);
        return;
    }
    if (source(p) != drive_address(c, ecu_config)) {
        Debug_print::dprint("ReceiveLoad: invalid proc id:0x%x\n", source(p));
        return;
    }
    const NV_quvel::channel_t& settings = *app_.channels[c];
    if (command(p) == command_load_h) {
        put(record.motor_current, float(d[0] * 0.654));
        put(store_.body.diagnostics.motor_current[c].adc_val, uint32_t(d[0]));
    } else if (command(p) == command_load_i) {
        const bool actuator = settings.mode.get() == 0 && settings.granular_controller_type.get() == 1;
        if (actuator && settings.actuator_style.get() == 1)
            put(record.motor_load, actuator_position(d[0]));
        else
            put(record.motor_load, setting ? float(d[0] / 2.55) : 0.0f);
        put(store_.body.diagnostics.actuator[c].adc.adc_val, uint32_t(d[0]));
    }
}

void Ecu_poller::receive_switch_box(const Packet& p)
{
    if (source(p) != 58 || command(p) != command_load_i)
        return;
    const uint8_t* d = data(p);
    const uint8_t switches = app_.swbox_ext_toggle_up_is_on.get() ? uint8_t(~d[0]) : d[0];
    ds_operation& operation = store_.body.operation;
    if (app_.swbox_remote_master_mode.get() == 1)
        put_changed(operation.master_switch_active, bit(switches, 7) && queries_.master_allowed());
    const int type = app_.swbox_external_swbox_type.get();
    const int entries = type == 1 ? 4 : type == 2 ? 6 : 0;
    const bool ignore = get(operation.ignore_tank_switches);
    for (int i = 0; i < entries; ++i) {
        const int c = app_.swbox_mapping[i]->channel.get();
        if (c < 0 || c >= num_channels || !channel_enabled(c))
            continue;
        ds_channel& record = store_.body.channels.channels[c];
        if (!ignore && !queries_.remote_preload(c))
            put_changed(record.active, bit(switches, i));
        if (type != 1)
            continue;
        const bool up = bit(d[1], 2 * i), down = bit(d[1], 2 * i + 1);
        if (get(record.rate_control_mode) == 2) {
            if (up)
                put(record.rate_inc_manual, true);
            if (down)
                put(record.rate_dec_manual, true);
            continue;
        }
        const double step = app_.channels[c]->rate_increment.get();
        const double rate = get(record.requested_rate);
        if (up)
            put(record.requested_rate, rate + step);
        else if (down)
            put(record.requested_rate, step > rate ? 0.0 : rate - step);
    }
}

void Ecu_poller::receive_inputs(const Packet& p)
{
    if (command(p) != command_load_i)
        return;
    const uint8_t in = data(p)[0];
    ds_operation& operation = store_.body.operation;
    ds_diagnostics& diagnostics = store_.body.diagnostics;
    // The tillage switch, and the master with it when the remote master mode says so.
    const auto tillage = [&](bool on) {
        put_changed(operation.tillage_switch_active, on);
        if (app_.swbox_remote_master_mode.get() == 2)
            put_changed(operation.master_switch_active, on && queries_.master_allowed());
    };
    switch (source(p)) {
    case 50:
        put_changed(diagnostics.level_sensor_on[0], !bit(in, 1));
        put_changed(diagnostics.level_sensor_on[1], !bit(in, 2));
        if (app_.using_case_drain_alarm.get())
            put_changed(diagnostics.case_drain_state, !bit(in, 7));
        else if (app_.swbox_cal_swbox_type.get() == 0 || !queries_.calibration_run())
            tillage(bit(in, 7));
        break;
    case 51:
        put_changed(diagnostics.level_sensor_on[2], !bit(in, 2));
        put_changed(diagnostics.level_sensor_on[3], !bit(in, 1));
        if (app_.swbox_cal_swbox_type.get() == 1) {
            put_changed(operation.cal_swbox_run_stop_active, bit(in, 6));
            put_changed(operation.cal_swbox_reset_active, bit(in, 7));
            if (queries_.calibration_run())
                put_changed(operation.master_switch_active, bit(in, 6));
        }
        if (app_.using_ladder_switch_alarm.get())
            put_changed(diagnostics.ladder_switch_state, !bit(in, 4));
        if (app_.using_case_drain_alarm.get())
            tillage(bit(in, app_.personality.get() == 1 ? 7 : 4));
        break;
    default: {
        // With ecu_config 1, 52 and 53 are drive ECUs whose inputs are no spray buttons.
        const int ecu = spray_ecu_of(source(p));
        const bool spray_ecu = source(p) == 60 || source(p) == 61 || app_.ecu_config.get() != 1;
        if (ecu >= 0 && spray_ecu)
            put_changed(diagnostics.spray_ecu[ecu].button_state, uint8_t(in & 3));
        break;
    }
    }
}

void Ecu_poller::receive_temperature(const Packet& p)
{
    if ((source(p) != 50 && source(p) != 51) || command(p) != command_load_h)
        return;
    put(store_.body.temperatures.value[source(p) - 50], float(300.0 - 9.1 * data(p)[0]));
}

void Ecu_poller::receive_spray_sections(const Packet& p)
{
    const int ecu = spray_ecu_of(source(p));
    if (ecu < 0 || command(p) != command_spray_sections)
        return;
    const uint8_t* d = data(p);
    ds_spray_ecu_diag& diag = store_.body.diagnostics.spray_ecu[ecu];
    put(diag.state, d[0]);
    put(diag.button_state, d[1]);
    for (int i = 0; i < 4; ++i)
        put(diag.boom_state[i], d[2 + i]);
    put(diag.button_box_found, d[6]);
    for (int which = 0; which < 2; ++which) {
        const uint32_t boom = spray_boom(ecu, which);
        if (boom < uint32_t(num_booms))
            put(store_.body.booms.boom[boom].section_sense_state, u16_at(d + 2 + 2 * which));
    }
}

void Ecu_poller::receive_frame_switch_box(const Packet& p)
{
    if (source(p) != 54) {
        Debug_print::dprint("ReceiveFrameSwitchBox: Invalid source: %u\n", source(p));
        return;
    }
    if (command(p) != command_load_i) {
        Debug_print::dprint("ReceiveFrameSwitchBox: Invalid command: %u\n", command(p));
        return;
    }
    const uint8_t* d = data(p);
    const uint8_t switches = app_.swbox_ext_toggle_up_is_on.get() ? uint8_t(~d[0]) : d[0];
    ds_frame_swbox_diags& diag = store_.body.diagnostics.frame_swbox;
    put_changed(diag.switch_state, switches);
    put_changed(diag.button_state, d[1]);
    put_changed(diag.guide_state, d[2]);
    put_changed(diag.LED_state, d[3]);
    ds_operation& operation = store_.body.operation;
    put_changed(operation.frame_swbox.found, true);
    const bool ignore = get(operation.ignore_tank_switches);
    for (int i = 0; i < 6; ++i) {
        const int c = app_.swbox_mapping[i]->channel.get();
        if (c < 0 || c >= num_channels)
            continue;
        ds_channel& record = store_.body.channels.channels[c];
        const bool on = channel_enabled(c) && bit(switches, i);
        put_changed(record.cal_tank_switch_active, on);
        if (!ignore)
            put_changed(record.active, on && get(operation.tank[c].calibrating_tank));
    }
    put_changed(operation.cal_swbox_run_stop_active, bit(switches, 7));
    if (queries_.calibration_run())
        put_changed(operation.master_switch_active, bit(switches, 7));
    put_changed(operation.cal_swbox_reset_active, !bit(d[1], 7));
}

void Ecu_poller::receive_version(const Packet& p)
{
    const int ecu = spray_ecu_of(source(p));
    if (ecu < 0)
        return;
    const uint8_t* d = data(p);
    const ds_version version{d[3], d[4], d[5]};
    for (int which = 0; which < 2; ++which) {
        const uint32_t boom = spray_boom(ecu, which);
        if (boom < uint32_t(num_booms))
            put(store_.body.booms.boom[boom].ecu_version, version);
    }
    for (int c = 4 + 2 * ecu; c < 6 + 2 * ecu; ++c)
        put(store_.body.channels.channels[c].ecu_version, version);
}

void Ecu_poller::receive_drill_control(const Packet& p)
{
    if (source(p) != 55)
        return;
    const uint8_t* d = data(p);
    ds_downforce_diags& diag = store_.body.diagnostics.downforce[0];
    if (drill_status_sent_ == 0) {
        if (command(p) == command_configuration)
            put(store_.body.downforces.channels[0].ecu_version, ds_version{d[4], d[5], 0});
    } else if (command(p) == 24) {
        put(drill_status_sent_ == 1 ? diag.df_adc.adc_val : diag.press_adc.adc_val, uint32_t(d[0]));
    }
}

void Ecu_poller::receive_drill_load(const Packet& p)
{
    if (source(p) != 55 || command(p) != command_spray_load)
        return;
    const uint8_t* d = data(p);
    put(store_.body.downforces.channels[0].motor_load, float((d[0] * 4 + d[1]) * 100 / 1024.0));
}

void Ecu_poller::receive_scale(const Packet& p)
{
    const uint8_t* text = p.bytes;
    const bool multiple = get(store_.body.operation.calibration_scales_mode) == 2;
    uint32_t address = 0;
    uint32_t count = 0;
    bool good = false;
    if (!read_hex(text + 1, 2, address) || (address & 0xE0) != 0x80) {
        Debug_print::dprint("Address response part doesn't match!\n");
    } else if (multiple && (address & 0x1F) != scale_index_ + 1) {
        Debug_print::dprint("Address doesn't match! address: %d, expected address:%d\n", int(address & 0x1F),
                            int(scale_index_ + 1));
    } else if (std::string_view(reinterpret_cast<const char*>(text + 3), 7) != "110026:") {
        Debug_print::dprint("Rest of header doesn't match!\n");
    } else {
        good = read_hex(text + 10, 8, count);
    }
    if (!good) {
        Debug_print::dprint("ReceiveCalibrationScalesWeight response incorrect for scale = %d\n", int(scale_index_));
        return;
    }
    const int32_t places = get(store_.body.operation.calibration_scale_dec_places);
    const float weight = float(int32_t(count) / std::pow(10.0, places));
    put(store_.body.operation.calibration_scales[scale_index_].gross_weight, weight);
}

void Ecu_poller::receive_drive_configuration(const Packet& p)
{
    const int c = config_channel_38_;
    if (source(p) != drive_address(c, app_.ecu_config.get()) || command(p) != command_configuration)
        return;
    // A spray ECU's reply is shorter: it holds no version, only what follows its data.
    if (p.bytes[1] < configuration_length)
        return;
    const uint8_t* d = data(p);
    put(store_.body.channels.channels[c].ecu_version, ds_version{d[4], d[5], 0});
}

void Ecu_poller::receive_spray_configuration(const Packet& p)
{
    // Only the spray ECU of the channel asked knows its version.
    if (source(p) != drive_address(config_channel_38_, app_.ecu_config.get()))
        return;
    const int ecu = spray_ecu_of(source(p));
    const uint32_t first = spray_boom(ecu, 0), second = spray_boom(ecu, 1);
    if (first >= uint32_t(num_booms) || second >= uint32_t(num_booms))
        return;
    const ds_booms& booms = store_.body.booms;
    if (get(booms.boom[first].ecu_version.v_major) != 0 || get(booms.boom[second].ecu_version.v_minor) != 0)
        return;
    const int c = config_channel_38_;
    Debug_print::dprint("Setting legacy version for chan num %d\n", c);
    put(store_.body.channels.channels[c].ecu_version, ds_version{0, 0, data(p)[2]});
}
