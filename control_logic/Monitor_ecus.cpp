// The monitor ECUs that watch the blockage sensors of the heads: their
// numbering, the auto-detect walk that replaces the normal cycle while the
// operator asks for sensor detection, their two requests (slots 24 and 29 of
// the normal cycle use the same ones) and their replies.
#include "control_logic/Ecu_poller.h"
#include "control_logic/Packet.h"
#include "control_logic/Packet_interface.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"

namespace {

constexpr uint8_t command_read = 2;
constexpr uint8_t command_read_with_mask = 3;
constexpr uint8_t command_setup = 9;
constexpr uint32_t setup_slot = 29;
constexpr uint32_t read_slot = 24;
constexpr uint32_t max_tries = 3;
constexpr int32_t power_cycle_pending = 5;
constexpr uint32_t num_channels = 10;
constexpr uint32_t num_booms = 6;
constexpr uint32_t num_sections = 10;
constexpr uint32_t num_head_systems = 3;

}

uint32_t Ecu_poller::monitor_count() const
{
    return app_.personality.get() == 2 ? 4 : max_monitors;
}

uint8_t Ecu_poller::monitor_address(uint32_t m)
{
    return m == 1 ? 57 : uint8_t(m + 66);
}

uint32_t Ecu_poller::monitor_index(uint8_t source)
{
    if (source == 57)
        return 0;
    if (source >= 68 && source <= 75)
        return source - 67u;
    Debug_print::dprint("MonitorECUIndexFromProc: ProcNum=%x out of range\n", source);
    return 0;
}

bool Ecu_poller::monitor_enabled(uint32_t m) const
{
    return app_.monitor_ecus.monitor_ecus[int(m) - 1]->enabled.get();
}

void Ecu_poller::enter_auto_detect()
{
    monitor_slot_ = setup_slot;
    monitor_rotation_24_ = monitor_rotation_29_ = 0;
    for (Detection& d : detection_)
        d = Detection{};
    auto_detect_first_pass_ = 0;
    put(store_.body.monitor_ecus.detect_sensors_completed, false);
}

void Ecu_poller::leave_auto_detect()
{
    poll_index_ = 0;
    slave_index_ = 0;
}

bool Ecu_poller::auto_detect_counts_misses() const
{
    return auto_detect_first_pass_ != 0;
}

void Ecu_poller::auto_detect_step()
{
    expected_length_ = slot_length(monitor_slot_);
    link_.set_timeout(reply_timeout_ms);
    bool detecting = false;
    if (monitor_slot_ == read_slot) {
        auto_detect_first_pass_ = 1;
        if (app_.monitor_ecus.blockage_sensor_type.get() == 1)
            put(store_.body.monitor_ecus.detect_sensors_completed, true);
        send_monitor_read();
    } else {
        detecting = send_monitor_setup();
    }
    outstanding_slot_ = monitor_slot_;
    if (!detecting)
        monitor_slot_ = monitor_slot_ == setup_slot ? read_slot : setup_slot;
}

uint32_t Ecu_poller::next_enabled_monitor(uint32_t& rotation) const
{
    const uint32_t n = monitor_count();
    for (uint32_t step = 0; step < n; ++step) {
        rotation = rotation % n + 1;
        if (monitor_enabled(rotation))
            return rotation;
    }
    return 0;
}

void Ecu_poller::send_monitor_read()
{
    const uint32_t m = next_enabled_monitor(monitor_rotation_24_);
    if (m == 0)
        return;
    ds_monitor_ecus& monitors = store_.body.monitor_ecus;
    Packet packet;
    const auto request = [&packet, m](uint8_t command, std::initializer_list<uint8_t> data) {
        packet.init(monitor_address(m), command);
        for (uint8_t b : data)
            packet.add_byte(b);
    };
    const int32_t power_cycle = get(monitors.monitor_power_cycle_timer);
    if (app_.monitor_ecus.blockage_sensor_type.get() == 1) {
        request(command_read, {4, 0, 0, 0, 0, 0});
    } else if (get(monitors.activate_faulty_sensor_identification)) {
        // The ECU is told which of its sensors count: the effective masks of its four input bytes.
        request(command_read_with_mask, {1, 0});
        for (uint32_t j = 0; j < 4; ++j)
            packet.add_byte(uint8_t(~get(monitors.monitor_inputs_inhibited[4 * (m - 1) + j])));
    } else if (power_cycle > power_cycle_pending) {
        request(command_read_with_mask, {1, 1, 0, 0, 0, 0});
    } else if (power_cycle == 0) {
        request(command_read, {1, 0, 0, 0, 0, 0});
    } else {
        request(command_read_with_mask, {1, 0, 0, 0, 0, 0});
    }
    send(packet, false);
}

bool Ecu_poller::send_monitor_setup()
{
    const uint32_t n = monitor_count();
    bool detecting = false;
    for (uint32_t i = 0; i < n; ++i)
        detecting = detecting || (!detection_[i].found && detection_[i].tries < max_tries);
    uint32_t m = 0;
    if (detecting) {
        for (uint32_t step = 0; step < n && m == 0; ++step) {
            monitor_rotation_29_ = monitor_rotation_29_ % n + 1;
            Detection& d = detection_[monitor_rotation_29_ - 1];
            if (!d.found && d.tries < max_tries) {
                ++d.tries;
                m = monitor_rotation_29_;
            }
        }
    } else {
        m = next_enabled_monitor(monitor_rotation_29_);
    }
    if (m == 0)
        return detecting;
    const NV_quvel::monitor_ecus_t& settings = app_.monitor_ecus;
    const bool blockage = settings.blockage_sensor_type.get() == 1;
    const uint8_t mode = settings.monitoring_mode.get();
    const uint8_t x = blockage || (mode != 0 && m == 1) ? 255 : 254;
    const uint8_t y = blockage || (mode != 0 && m == 1 && mode != 1) ? 255 : 254;
    send_simple(monitor_address(m), command_setup, {0, uint8_t(blockage ? 131 : 3), 7, x, y});
    return detecting;
}

void Ecu_poller::receive_monitor(uint32_t slot, const Packet& p)
{
    const uint8_t source = p.bytes[2];
    const uint8_t command = p.bytes[3];
    const uint8_t* d = p.bytes + 4;
    const uint32_t i = monitor_index(source);
    // 72..75 are monitor addresses without a monitor ECU of their own.
    if (i >= monitor_count())
        return;
    ds_monitor_ecus& monitors = store_.body.monitor_ecus;
    ds_monitor_ecu& record = monitors.monitor_ecu[i];
    if (command == command_setup) {
        put(record.version, ds_version{d[4], d[5], 0});
        if (slot == setup_slot && get(monitors.activate_auto_detect)) {
            detection_[i].found = 1;
            // The live tree, so that the detection is saved; the copy follows at once.
            NV_quvel::monitor_ecu_t& live = *parameters_.app.monitor_ecus.monitor_ecus[int(i)];
            if (!live.enabled.get())
                live.enabled.set(true);
            app_.monitor_ecus.monitor_ecus[int(i)]->enabled.set(true);
        }
        return;
    }
    if (command != command_read)
        return;
    put(record.setup_mode, d[0]);
    for (uint32_t j = 0; j < 4; ++j) {
        const uint32_t n = 4 * i + j;
        put(record.monitor_state[j], d[1 + j]);
        put(monitors.monitor_inputs_active[n], d[1 + j]);
        put(monitors.monitor_inputs_inhibited[n], uint8_t(~effective_mask(n)));
    }
}

uint8_t Ecu_poller::effective_mask(uint32_t n)
{
    const NV_quvel::monitor_ecus_t& settings = app_.monitor_ecus;
    const bool by_section = app_.booms.section_monitoring.get();
    const bool by_tank = settings.double_shooting.get();
    uint8_t mask = settings.monitor_inputs[int(n)]->mask.get();
    for (uint32_t k = 0; k < 8; ++k) {
        const uint16_t word = settings.monitor_inputs_sections[int(8 * n + k)]->boom_section.get();
        const uint32_t boom = word >> 12;
        const uint32_t section = (word >> 4) & 0xFF;
        const uint32_t tank = word & 0xF;
        // A boom, section or tank the tables do not hold leaves the sensor unassigned.
        if (by_section && boom < num_booms && section < num_sections &&
            get(store_.body.booms.boom[boom].sections[section].delayed_work_state) != 1)
            mask &= uint8_t(~(1u << k));
        if (by_tank && tank < num_channels) {
            const uint32_t system = app_.channels[int(tank)]->head_system.get();
            if (system < num_head_systems && !get(store_.body.monitor_ecus.head_system_active[system]))
                mask &= uint8_t(~(1u << k));
        }
    }
    return mask;
}
