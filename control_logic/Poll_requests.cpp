// The skip tests of the poll table and the request of each slot.
#include "control_logic/Ecu_poller.h"
#include "control_logic/Packet_interface.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"

#include <algorithm>

namespace {

constexpr int num_channels = 10;
constexpr int num_fans = 5;
constexpr int num_scales = 8;
constexpr int num_booms = 6;
constexpr uint8_t slot_38_spray_length = 9;

// Drive kinds of the drive configuration request.
enum Drive_kind : uint8_t { motor = 0, actuator = 1, granular_rvalve = 2, pvalve = 3, liquid_rvalve = 4 };

Drive_kind drive_kind(const NV_quvel::channel_t& c)
{
    if (c.mode.get() == 0) {
        switch (c.granular_controller_type.get()) {
        case 0:
            return motor;
        case 1:
            return actuator;
        case 2:
            return granular_rvalve;
        default:
            return pvalve;
        }
    }
    return c.liquid_controller_type.get() == 1 ? pvalve : liquid_rvalve;
}

uint8_t two_bits(uint8_t v, unsigned shift)
{
    return uint8_t((v & 3u) << shift);
}

// Four two-bit settings of the regulating valve's controller record chosen by its mode.
uint8_t rvalve_controller_byte(const NV_quvel::channel_t& c)
{
    const bool granular = c.mode.get() == 0;
    const int mode = (granular ? c.rvalve_granular_mode.get() : c.rvalve_liquid_mode.get()) & 7;
    const NV_quvel::rvalve_controller_t& r =
        granular ? *c.rvalve_granular_controller[mode] : *c.rvalve_liquid_controller[mode];
    return uint8_t(two_bits(r.speed.get(), 6) | two_bits(r.max_on_time.get(), 4) | two_bits(r.min_on_time.get(), 2) |
                   two_bits(r.gain.get(), 0));
}

uint8_t rvalve_mode_byte(const NV_quvel::channel_t& c)
{
    const bool granular = c.mode.get() == 0;
    uint8_t mode = uint8_t((granular ? c.rvalve_granular_mode.get() : c.rvalve_liquid_mode.get()) & 7);
    const int sensitivity =
        granular ? c.rvalve_granular_controller_sensitivity.get() : c.rvalve_liquid_controller_sensitivity.get();
    if (sensitivity == 1)
        mode |= 8;
    if (granular ? c.rvalve_granular_reverse_valve_direction.get() : c.rvalve_liquid_reverse_valve_direction.get())
        mode |= 64;
    if (granular ? c.rvalve_granular_close_valve_if_tank_off.get() : c.rvalve_liquid_close_valve_if_tank_off.get())
        mode |= 32;
    if (granular ? c.rvalve_granular_relay_on_when_tank_off.get() : c.rvalve_liquid_relay_on_when_tank_off.get())
        mode |= 16;
    return mode;
}

uint8_t pvalve_settings_byte(const NV_quvel::channel_t& c)
{
    if (c.mode.get() == 0)
        return uint8_t(c.pvalve_granular_response_setting.get() * 64 + c.pvalve_granular_max_pwm_setting.get() * 8 +
                       c.pvalve_granular_min_pwm_setting.get());
    return uint8_t(c.pvalve_liquid_response_setting.get() * 64 + c.pvalve_liquid_max_pwm_setting.get() * 8 +
                   c.pvalve_liquid_min_pwm_setting.get());
}

uint8_t ecu_channel(int c)
{
    return uint8_t(c % 2 + 1);
}

}

bool Ecu_poller::channel_enabled(int c) const
{
    return c >= 0 && c < num_channels && app_.channels[c]->enabled.get();
}

bool Ecu_poller::skip(uint32_t slot)
{
    const int ecu_config = app_.ecu_config.get();
    const auto firmware_below_3_6 = [this] {
        const ds_version v = get(store_.body.channels.channels[0].ecu_version);
        return v.v_major * 10 + v.v_minor < 36;
    };
    // Only the monitor ECUs this personality addresses count: an enabled
    // fifth one would leave the slot without a request to wait for.
    const auto no_monitor = [this] {
        if (app_.monitor_ecus.monitoring_config.get() != 1)
            return true;
        for (uint32_t m = 1; m <= monitor_count(); ++m)
            if (monitor_enabled(m))
                return false;
        return true;
    };
    switch (slot) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8:
        return int(slot) - 1 >= drive_channels(uint8_t(ecu_config));
    case 10: case 11: case 12: case 13: {
        const int k = int(slot) - 10;
        return !channel_enabled(2 * k) && !channel_enabled(2 * k + 1) && !app_.fans[k]->sense_rpm.get();
    }
    case 16:
    case 30:
        return app_.swbox_external_swbox_type.get() == 0;
    case 18:
    case 19:
        return firmware_below_3_6();
    case 20:
    case 21:
        return ecu_config != 1 || firmware_below_3_6();
    case 22:
        return !spray_config(uint8_t(ecu_config));
    case 23:
        return ecu_config != 6 && ecu_config != 3;
    case 24:
    case 29:
        return no_monitor();
    case 27:
    case 32:
        return !spray_config(uint8_t(ecu_config));
    case 28:
        return ecu_config != 3 && ecu_config != 6;
    case 31:
        return app_.swbox_cal_swbox_type.get() != 2;
    case 33: case 34: case 35:
        return !app_.drill_control_enabled.get();
    case 36:
        return !(app_.booms.section_monitoring_style.get() == 1 && app_.booms.section_monitoring.get());
    case scale_slot: {
        const ds_operation& operation = store_.body.operation;
        const int32_t mode = get(operation.calibration_scales_mode);
        if (mode == 1)
            return !get(operation.calibration_scales[0].scale_enabled);
        if (mode != 2)
            return true;
        for (const ds_calibration_scale& scale : operation.calibration_scales)
            if (get(scale.scale_enabled))
                return false;
        return true;
    }
    case power_box_slot:
        return !app_.power_sat_box_enabled.get();
    default:
        return false;
    }
}

void Ecu_poller::send(Packet& packet, bool as_spray_ecu)
{
    if (!packet.ascii) {
        destination_ = packet.bytes[0];
        slave_index_ = slave_index_of(destination_, as_spray_ecu, slave_index_);
    }
    link_.send(packet);
}

void Ecu_poller::send_simple(uint8_t destination, uint8_t command, std::initializer_list<uint8_t> data,
                             bool as_spray_ecu)
{
    Packet packet;
    packet.init(destination, command);
    for (uint8_t b : data)
        packet.add_byte(b);
    send(packet, as_spray_ecu);
}

void Ecu_poller::send_slot(uint32_t slot)
{
    const uint8_t ecu_config = app_.ecu_config.get();
    const bool spray_56 = ecu_config == 5 || ecu_config == 6;
    switch (slot) {
    case 0:
    case 17:
        send_simple(50, 1, {1});
        break;
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8:
        send_drive_target(int(slot) - 1);
        break;
    case 9:
        send_fan_request();
        break;
    case 10:
    case 11:
        send_simple(uint8_t(50 + slot - 10), 7, {0});
        break;
    case 12:
        if (spray_56) {
            send_simple(52, 73, {0, 1}, true);
            expected_length_ = 6;
        } else {
            send_simple(ecu_config >= 2 && ecu_config <= 4 ? 60 : 52, 7, {0});
            expected_length_ = 15;
        }
        break;
    case 13:
        if (ecu_config == 6)
            send_simple(53, 7, {0}, true);
        else
            send_simple(ecu_config == 3 ? 61 : 53, 7, {0});
        break;
    case 14:
        send_pressure_request();
        break;
    case 15:
    case 26:
        send_load_request();
        break;
    case 16:
    case 30:
        send_switch_box_leds();
        break;
    case 18: case 19: case 20: case 21:
        send_simple(uint8_t(50 + slot - 18), 73, {0, 1});
        break;
    case 22:
        if (spray_56)
            send_simple(52, 73, {0, 1}, true);
        else
            send_simple(60, 73, {0, 1});
        break;
    case 23:
        if (ecu_config == 6)
            send_simple(53, 73, {0, 1}, true);
        else
            send_simple(61, 73, {0, 1});
        break;
    case 25:
        drive_rotation_25_ = drive_rotation_25_ == 1 ? 2 : 1;
        send_simple(drive_rotation_25_ == 1 ? 50 : 51, 72, {7});
        break;
    case 27:
        send_spray_sections(0);
        break;
    case 28:
        send_spray_sections(1);
        break;
    case 31:
        send_frame_switch_box_leds();
        break;
    case 32:
        send_version_request();
        break;
    case 33:
        send_drill_control();
        break;
    case 34:
        send_drill_set_point();
        break;
    case 35:
        send_simple(55, 8, {1});
        break;
    case scale_slot:
        send_scale_request();
        break;
    case 38:
        send_configuration();
        break;
    case power_box_slot:
        send_simple(59, 83, {80, 1});
        break;
    case 24:
        send_monitor_read();
        break;
    case 29:
        send_monitor_setup();
        break;
    case 36:
        send_section_monitor();
        break;
    default:
        break;
    }
}

void Ecu_poller::send_drive_target(int channel)
{
    const uint8_t ecu_config = app_.ecu_config.get();
    ds_channel& record = store_.body.channels.channels[channel];
    const uint32_t set_period = get(record.set_period);
    // A longer period than the field holds runs at the longest, never wraps to a short one.
    uint32_t field = std::min(set_period >> 1, max_period_field);
    const bool spray = spray_channel(channel, ecu_config);
    const uint8_t flags = drive_flags(channel, set_period, field);

    Packet packet;
    packet.init(drive_address(channel, ecu_config), 2);
    packet.add_byte(ecu_channel(channel));
    packet.add_byte(uint8_t(field));
    packet.add_byte(uint8_t(field >> 8));
    packet.add_byte(uint8_t(field >> 16));
    if (!spray)
        packet.add_byte(flags);
    send(packet, spray);
    if (!spray && drive_kind(*app_.channels[channel]) == liquid_rvalve &&
        app_.channels[channel]->liquid_controller_type.get() == 0) {
        put(record.rate_inc_manual, false);
        put(record.rate_dec_manual, false);
    }
}

uint8_t Ecu_poller::drive_flags(int channel, uint32_t set_period, uint32_t& field)
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    ds_channel& record = store_.body.channels.channels[channel];
    const bool calibrating = queries_.calibrating();
    calibration_drive_index_ = calibrating ? app_.calibration_drive_channel.get() : -1;
    const bool under_calibration = calibration_drive_index_ == channel;
    const bool running = set_period != 0 && queries_.channel_running(channel);
    const Drive_kind kind = drive_kind(c);

    if (kind == actuator || under_calibration) {
        // The precise firmware meaning of bits 0, 2 and 7 is not settled:
        // drive on while the channel runs (or is calibrated), clutch with the
        // master, bit 7 for a calibration drive or master clutch control.
        uint8_t flags = 0;
        if (running || (under_calibration && set_period != 0))
            flags |= 1;
        if (get(record.rate_change_active))
            flags |= 2;
        if (app_.using_master_clutch.get() && queries_.run_condition())
            flags |= 4;
        const uint8_t preset = app_.cal_to_preset_value.get();
        if (under_calibration && preset >= 100)
            flags |= 8;
        if (c.act_using_tank_clutch.get())
            flags |= 16;
        if (under_calibration && preset > 0 && preset < 100) {
            flags |= 32;
            field = c.actuator_style.get() == 1 ? uint32_t(actuator_position(preset)) : preset * 512u / 100u;
        }
        if (under_calibration || app_.using_master_clutch.get())
            flags |= 128;
        return flags;
    }
    switch (kind) {
    case motor:
        return queries_.run_condition() && queries_.speed_present() ? 1 : 0;
    case granular_rvalve:
    case pvalve:
        return running ? 5 : 0;
    default:
        break;
    }
    if (c.liquid_controller_type.get() != 0)
        return running ? 5 : 0; // a liquid regulating valve
    // The liquid pump.
    uint8_t flags = running ? 5 : 0;
    if (get(record.pump_output_active))
        flags |= 128;
    if (get(record.rate_control_mode) == 2) {
        flags |= 64;
        if (get(record.rate_inc_manual))
            flags |= 16;
        if (get(record.rate_dec_manual))
            flags |= 32;
    }
    return flags;
}

void Ecu_poller::send_fan_request()
{
    const uint8_t ecu_config = app_.ecu_config.get();
    for (int tries = 0; tries < num_fans; ++tries) {
        fan_rotation_ = fan_rotation_ >= 5 ? 1 : fan_rotation_ + 1;
        if (fan_rotation_ <= 2 || app_.fans[int(fan_rotation_) - 1]->sense_rpm.get())
            break;
    }
    fan_polled_ = int(fan_rotation_);
    constexpr uint8_t fan_3[] = {51, 53, 60, 60, 53, 52, 52};
    constexpr uint8_t fan_4[] = {51, 53, 60, 61, 53, 52, 53};
    const int cfg = ecu_config < 7 ? ecu_config : 0;
    uint8_t slave = 51;
    switch (fan_polled_) {
    case 1:
        slave = 50;
        break;
    case 3:
        slave = fan_3[cfg];
        break;
    case 4:
        slave = fan_4[cfg];
        break;
    default:
        break;
    }
    const bool spray = ecu_config != 1 && (slave == 52 || slave == 53 || slave == 60 || slave == 61);
    if (spray)
        send_simple(slave, 1, {34}, true);
    else
        send_simple(slave, 1, {uint8_t(fan_polled_ == 5 ? 1 : 0)});
}

void Ecu_poller::send_pressure_request()
{
    for (int tries = 0; tries < num_channels; ++tries) {
        channel_rotation_ = channel_rotation_ >= 10 ? 1 : channel_rotation_ + 1;
        const int c = int(channel_rotation_) - 1;
        if (c < 2 || (channel_enabled(c) && app_.channels[c]->liquid_pressure_sense.get()))
            break;
    }
    pressure_channel_ = int(channel_rotation_) - 1;
    const uint8_t ecu_config = app_.ecu_config.get();
    send_simple(drive_address(pressure_channel_, ecu_config), 4, {ecu_channel(pressure_channel_)},
                spray_channel(pressure_channel_, ecu_config));
}

void Ecu_poller::send_load_request()
{
    int channel = -1;
    uint32_t rotation = 0;
    for (int tries = 0; tries < 2 * num_channels && channel < 0; ++tries) {
        rotation = load_rotation_;
        const bool wrap = load_rotation_ % 20 == 0;
        const int c = wrap ? 0 : int(load_rotation_ / 2);
        load_rotation_ = wrap ? 1 : load_rotation_ + 1;
        if (channel_enabled(c))
            channel = c;
    }
    if (channel < 0) {
        channel = 0;
        load_rotation_ = 1;
    }
    load_channel_ = channel;
    const uint8_t ecu_config = app_.ecu_config.get();
    const uint8_t slave = drive_address(channel, ecu_config);
    const NV_quvel::channel_t& c = *app_.channels[channel];
    if (spray_channel(channel, ecu_config)) {
        send_simple(slave, 8, {ecu_channel(channel)}, true);
        expected_length_ = 7;
    } else if (c.mode.get() == 0 && c.granular_controller_type.get() == 0 && rotation % 2 == 0) {
        send_simple(slave, 72, {uint8_t(channel % 2)});
    } else {
        send_simple(slave, 73, {uint8_t(channel % 2 + 10), 1});
    }
}

void Ecu_poller::send_switch_box_leds()
{
    const int type = app_.swbox_external_swbox_type.get();
    const int entries = type == 1 ? 4 : type == 2 ? 6 : 0;
    uint8_t bits = 0;
    for (int i = 0; i < entries; ++i) {
        const int c = app_.swbox_mapping[i]->channel.get();
        if (c >= 0 && c < num_channels && get(store_.body.channels.channels[c].active))
            bits |= uint8_t(1u << i);
    }
    // The tank lamps blink while the master is off.
    if (!queries_.run_condition() && blink_phase_ != 0)
        bits = 0;
    send_simple(58, 73, {71, bits});
}

void Ecu_poller::send_frame_switch_box_leds()
{
    const ds_operation& operation = store_.body.operation;
    const bool reset = get(operation.cal_swbox_reset_active);
    uint8_t bits = 0;
    if (queries_.calibration_run()) {
        for (int i = 0; i < 6; ++i) {
            const int c = app_.swbox_mapping[i]->channel.get();
            if (c >= 0 && c < num_channels && get(store_.body.channels.channels[c].active))
                bits |= uint8_t(1u << i);
        }
        if (reset)
            bits |= 128;
        if (get(operation.cal_swbox_run_stop_active))
            bits |= 64;
        else if (blink_phase_ != 0)
            bits = 0;
    } else if (reset) {
        for (int i = 0; i < 6; ++i) {
            const int c = app_.swbox_mapping[i]->channel.get();
            if (c >= 0 && c < num_channels && get(store_.body.channels.channels[c].cal_tank_switch_active))
                bits |= uint8_t(1u << i);
        }
    }
    send_simple(54, 73, {71, bits});
}

void Ecu_poller::send_spray_sections(int ecu)
{
    const uint8_t ecu_config = app_.ecu_config.get();
    const bool one_boom = ecu == 0 ? ecu_config == 5 || ecu_config == 6 : ecu_config == 6;
    const uint8_t address = ecu == 0 ? (one_boom ? 52 : 60) : (one_boom ? 53 : 61);
    Packet packet;
    packet.init(address, 3);
    packet.add_byte(2);
    // The status and output-flag bytes carry nothing settled yet.
    packet.add_byte(0);
    packet.add_byte(0);
    for (int which = 0; which < 2; ++which) {
        uint32_t bits = 0;
        const int boom = int(spray_boom(ecu, which));
        const bool served = which == 0 || !one_boom;
        const bool silent = queries_.boom_has_no_active_tank(boom) && parameters_.app.booms.booms[boom]->type.get() == 2;
        if (served && !silent && boom < num_booms) {
            const int sections = std::min(9, int(app_.booms.booms[boom]->num_sections.get()));
            for (int s = 0; s < sections; ++s)
                if (queries_.section_state(boom, s) == 1)
                    bits |= 1u << s;
        }
        packet.add_byte(uint8_t(bits));
        packet.add_byte(uint8_t(bits >> 8));
    }
    send(packet, true);
}

void Ecu_poller::send_version_request()
{
    const uint8_t ecu_config = app_.ecu_config.get();
    const auto destination = [ecu_config](uint32_t index, bool& spray) -> int {
        spray = false;
        if (index == 2 && ecu_config >= 2 && ecu_config <= 4)
            return 60;
        if (index == 3 && ecu_config == 3)
            return 61;
        spray = true;
        if (index == 4 && (ecu_config == 5 || ecu_config == 6))
            return 52;
        if (index == 5 && ecu_config == 6)
            return 53;
        spray = false;
        return index >= 14 && index <= 22 ? 50 : -1;
    };
    const uint32_t start = version_rotation_;
    bool spray = false;
    int address = -1;
    do {
        version_rotation_ = version_rotation_ >= 22 ? 0 : version_rotation_ + 1;
        address = destination(version_rotation_, spray);
    } while (address < 0 && version_rotation_ != start);
    if (address < 0) {
        address = 50;
        spray = false;
    }
    send_simple(uint8_t(address), 255, {0}, spray);
}

void Ecu_poller::send_drill_control()
{
    const NV_quvel::channel_t& downforce = *app_.downforces[0];
    if (drill_cycle_ == 0) {
        const bool pack = app_.control_to_pack_force.get();
        send_simple(55, 200,
                    {1, uint8_t(pack && app_.personality.get() == 1 ? 8 : 7), downforce.pvalve_granular_mode.get(),
                     uint8_t(downforce.pvalve_granular_response_setting.get() * 64 +
                             downforce.pvalve_granular_max_pwm_setting.get() * 8 +
                             downforce.pvalve_granular_min_pwm_setting.get()),
                     uint8_t(pack)});
    } else {
        send_simple(55, 24, {uint8_t(drill_cycle_), 2, 0, 0, 0});
        expected_length_ = 7;
    }
    drill_status_sent_ = drill_cycle_;
    drill_cycle_ = drill_cycle_ >= 2 ? 0 : drill_cycle_ + 1;
}

void Ecu_poller::send_drill_set_point()
{
    const ds_channel& downforce = store_.body.downforces.channels[0];
    const uint64_t set_period = get(downforce.set_period);
    const int32_t mode = get(downforce.rate_control_mode);
    const uint32_t value = uint32_t(std::min<uint64_t>(mode == 1 ? (1000 * set_period) >> 8 : set_period, 0xFFFFFF));
    const bool run = queries_.run_condition();
    uint8_t flags = 0;
    if (run && get(downforce.active))
        flags = mode == 2 ? 33 : get(store_.body.vehicle.speed) > 0 ? 1 : 0;
    else
        flags = mode == 2 ? 32 : 0;
    const int boom = app_.downforces[0]->assigned_to_boom.get();
    const bool section_on = queries_.section_state(boom, 0) != 0;
    const bool lift = get(store_.body.operation.setpoint_drill_lift) &&
                      (app_.down_force_track_master.get() ? section_on : section_on || !run);
    if (!lift)
        flags |= 128;
    send_simple(55, 2, {1, uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), flags});
}

void Ecu_poller::send_scale_request()
{
    const ds_operation& operation = store_.body.operation;
    const bool multiple = get(operation.calibration_scales_mode) == 2;
    if (multiple) {
        for (int tries = 0; tries < num_scales; ++tries) {
            scale_index_ = (scale_index_ + 1) % num_scales;
            if (get(operation.calibration_scales[scale_index_].scale_enabled))
                break;
        }
        slave_index_ = scale_index_ == 0 ? 14 : 14 + scale_index_;
    } else {
        scale_index_ = 0;
        slave_index_ = 22;
    }
    Packet packet;
    packet.init_ascii();
    for (char ch : {'S', '2', char(multiple ? '1' + scale_index_ : '0'), '1', '1', '0', '0', '2', '6', ':', '\r',
                    '\n', '\x03'})
        packet.add_byte(uint8_t(ch));
    send(packet, false);
}

void Ecu_poller::send_configuration()
{
    const int channels = drive_channels(app_.ecu_config.get());
    for (int steps = 0; steps < num_channels; ++steps) {
        config_rotation_38_ = config_rotation_38_ >= 10 ? 1 : config_rotation_38_ + 1;
        if (int(config_rotation_38_) <= channels)
            break;
    }
    int n = int(config_rotation_38_);
    // Store indices 2 and 3: the channels of the second drive ECU.
    const ds_channels& records = store_.body.channels;
    const bool keep = (get(records.channels[2].ecu_version.v_major) == 0 && channel_enabled(2)) ||
                      get(records.channels[3].ecu_version.v_major) != 0 || n > 2;
    if (!keep)
        n = 3;
    config_channel_38_ = n - 1;
    if (spray_channel(config_channel_38_, app_.ecu_config.get())) {
        send_spray_configuration(config_channel_38_);
        expected_length_ = slot_38_spray_length;
    } else {
        send_drive_configuration(config_channel_38_);
    }
}

void Ecu_poller::send_drive_configuration(int channel)
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    const Drive_kind kind = drive_kind(c);
    uint8_t mode = 0;
    uint8_t configuration = 0;
    switch (kind) {
    case motor:
        mode = c.motor_using_soft_start.get() ? 1 : 0;
        break;
    case actuator:
        mode = c.actuator_style.get() == 1 ? 129 : 128;
        break;
    case pvalve:
        mode = c.mode.get() == 0 ? c.pvalve_granular_mode.get() : uint8_t(c.pvalve_liquid_mode.get() | 32);
        configuration = pvalve_settings_byte(c);
        break;
    default:
        mode = rvalve_mode_byte(c);
        configuration = rvalve_controller_byte(c);
        break;
    }
    send_simple(drive_address(channel, app_.ecu_config.get()), 200, {ecu_channel(channel), kind, mode, configuration, 0});
}

void Ecu_poller::send_spray_configuration(int channel)
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    const uint8_t address = drive_address(channel, app_.ecu_config.get());
    if (drive_kind(c) == pvalve) {
        const bool liquid = c.mode.get() != 0;
        const uint8_t mode = liquid ? c.pvalve_liquid_mode.get() : c.pvalve_granular_mode.get();
        send_simple(address, 9, {ecu_channel(channel), pvalve_settings_byte(c), uint8_t((mode & (liquid ? 103 : 69)) | 16), 0},
                    true);
    } else {
        send_simple(address, 9, {ecu_channel(channel), rvalve_controller_byte(c), rvalve_mode_byte(c), 0}, true);
    }
}
