#include "control_logic/Ecu_poller.h"
#include "control_logic/Packet_interface.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>

namespace {

constexpr uint32_t lengths[Ecu_poller::num_slots] = {
    10,                             // 0 status and ground speed
    10, 10, 10, 10, 10, 10, 10, 10, // 1..8 drive targets
    10,                             // 9 fan
    15, 15, 15, 15,                 // 10..13 pulses and pressure
    7,                              // 14 pressure
    6,                              // 15 load
    9,                              // 16 switch box
    10,                             // 17 status and ground speed
    6, 6, 6, 6, 6, 6,               // 18..23 inputs
    10,                             // 24 monitor read
    6,                              // 25 temperature
    6,                              // 26 load
    12, 12,                         // 27, 28 spray sections
    11,                             // 29 monitor setup
    9,                              // 30 switch box
    9,                              // 31 frame switch box
    13,                             // 32 spray ECU version
    11,                             // 33 drill control configuration or status
    10,                             // 34 drill control set point
    7,                              // 35 drill control read
    10,                             // 36 section monitor
    21,                             // 37 weigh scale, ASCII up to ETX
    11,                             // 38 drive configuration
    5,                              // 39 power box
};

// The per-slot miss counters of slots 0..35, in store order.
#define POLL_ID(n) &ds_comms_diags::poll_id_count_##n
constexpr uint32_t ds_comms_diags::*poll_id_counts[] = {
    POLL_ID(0),  POLL_ID(1),  POLL_ID(2),  POLL_ID(3),  POLL_ID(4),  POLL_ID(5),  POLL_ID(6),  POLL_ID(7),  POLL_ID(8),
    POLL_ID(9),  POLL_ID(10), POLL_ID(11), POLL_ID(12), POLL_ID(13), POLL_ID(14), POLL_ID(15), POLL_ID(16), POLL_ID(17),
    POLL_ID(18), POLL_ID(19), POLL_ID(20), POLL_ID(21), POLL_ID(22), POLL_ID(23), POLL_ID(24), POLL_ID(25), POLL_ID(26),
    POLL_ID(27), POLL_ID(28), POLL_ID(29), POLL_ID(30), POLL_ID(31), POLL_ID(32), POLL_ID(33), POLL_ID(34), POLL_ID(35),
};
#undef POLL_ID
constexpr uint32_t counted_slots = sizeof poll_id_counts / sizeof poll_id_counts[0];

}

Ecu_poller::Ecu_poller(Packet_interface& link, Data_store& store, NV_quvel::parameters_t& parameters)
    : store_(store), link_(link), parameters_(parameters), queries_(store, app_)
{
    app_.assign_locked(parameters_.app);
    update_spray_booms();
    InitComms();
    put(store_.body.monitor_ecus.monitor_power_cycle_timer, int32_t(10));
    put(store_.body.monitor_ecus.monitor_inhibit_timer, int32_t(16));
}

void Ecu_poller::InitComms()
{
    calibration_drive_index_ = -1;
    version_rotation_ = config_rotation_38_ = fan_rotation_ = channel_rotation_ = load_rotation_ = 0;
    drive_rotation_25_ = drill_cycle_ = drill_status_sent_ = scale_index_ = 0;
    poll_index_ = 0;
    // The section monitor ECU is set up before its inputs are read.
    section_monitor_index_ = -1;
    section_monitor_done_ = 1;
    first_failure_pending_ = 1;
    valid_replies_ = 0;
    std::fill(std::begin(miss_count_), std::end(miss_count_), 0u);
    if (app_.power_sat_box_enabled.get()) {
        link_.set_timeout(power_box_timeout_ms);
        expected_length_ = slot_length(power_box_slot);
        send_simple(59, 83, {80, 1});
        outstanding_slot_ = power_box_slot;
    }
    Debug_print::dprint("****InitComms****\n");
}

uint32_t Ecu_poller::slot_length(uint32_t slot)
{
    return slot < num_slots ? lengths[slot] : 0;
}

int Ecu_poller::drive_channels(uint8_t ecu_config)
{
    constexpr int counts[] = {4, 8, 6, 8, 10, 6, 8};
    return ecu_config < 7 ? counts[ecu_config] : 0;
}

uint8_t Ecu_poller::drive_address(int channel, uint8_t ecu_config)
{
    if (channel < 2)
        return 50;
    if (channel < 4)
        return 51;
    const bool spray = spray_config(ecu_config);
    if (channel < 6)
        return !spray || ecu_config == 5 || ecu_config == 6 ? 52 : 60;
    return !spray || ecu_config == 6 ? 53 : 61;
}

bool Ecu_poller::spray_channel(int channel, uint8_t ecu_config)
{
    return channel >= 4 && (ecu_config == 2 || ecu_config == 3 || ecu_config == 5 || ecu_config == 6);
}

uint32_t Ecu_poller::slave_index_of(uint8_t destination, bool as_spray_ecu, uint32_t current)
{
    switch (destination) {
    case 50:
    case 51:
        return 0;
    case 52:
        return as_spray_ecu ? 4 : 1;
    case 53:
        return as_spray_ecu ? 5 : 1;
    case 54:
        return 7;
    case 55:
        return 13;
    case 57:
        return 8;
    case 58:
        return 6;
    case 60:
        return 2;
    case 61:
        return 3;
    case 68:
    case 69:
    case 70:
    case 71:
        return 9 + (destination - 68);
    default:
        return current;
    }
}

uint32_t Ecu_poller::shifted_period(uint32_t raw, unsigned shift)
{
    if (raw == 0 || raw >= 0xFFFFFF)
        return 0;
    const uint64_t period = uint64_t(raw) << shift;
    return period > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(period);
}

bool Ecu_poller::skip_current()
{
    return poll_index_ < num_slots && skip(poll_index_);
}

void Ecu_poller::advance()
{
    do
        ++poll_index_;
    while (poll_index_ < num_slots && skip(poll_index_));
    if (poll_index_ < num_slots)
        return;
    poll_index_ = 0;
    for (uint32_t i = 0; i < num_slaves; ++i)
        if (!polled_[i])
            no_comms_mask_ &= ~(1u << i);
    put(store_.body.system.ECU_status, no_comms_mask_);
}

void Ecu_poller::poll_next()
{
    expected_length_ = slot_length(poll_index_);
    link_.set_timeout(reply_timeout_ms);
    if (poll_index_ >= num_slots) {
        advance();
        return;
    }
    send_slot(poll_index_);
    outstanding_slot_ = poll_index_;
    polled_[slave_index_] = 1;
    advance();
}

bool Ecu_poller::on_reply(const Packet& packet)
{
    const uint32_t length = packet.ascii ? packet.count : uint32_t(packet.bytes[1]) + 1;
    if (length != expected_length_) {
        Debug_print::dprint("Check failed! idx = %d Exp: %d Act: %d\n", int(outstanding_slot_), int(expected_length_),
                            int(length));
        const uint32_t data_length = packet.ascii ? packet.count : uint32_t(uint8_t(packet.bytes[1] - 4));
        Debug_print::dprint("Got a valid packet: src=%x len=%x dest=%x cmd=%x data=", packet.bytes[2], data_length,
                            packet.bytes[0], packet.bytes[3]);
        for (uint32_t i = 0; i < data_length && 4 + i < Packet::size; ++i)
            Debug_print::dprint("%02x ", packet.bytes[4 + i]);
        Debug_print::dprint("\n");
        return false;
    }
    record_result(true);
    if (outstanding_slot_ < power_box_slot)
        handle_reply(outstanding_slot_, packet);
    return true;
}

void Ecu_poller::record_result(bool ok)
{
    const uint32_t before = no_comms_mask_;
    const uint32_t bit = 1u << slave_index_;
    if (ok) {
        no_comms_mask_ &= ~bit;
        ++valid_replies_;
        miss_count_[slave_index_] = 0;
    } else {
        if (first_failure_pending_) {
            first_failure_pending_ = 0;
            no_comms_mask_ = 0;
        } else if (miss_count_[slave_index_] < max_misses) {
            ++miss_count_[slave_index_];
        } else {
            no_comms_mask_ |= bit;
        }
        if (outstanding_slot_ < num_slots) {
            ds_comms_diags& comms = store_.body.diagnostics.comms;
            put(comms.system_count, get(comms.system_count) + 1);
            put(comms.valid_messages, valid_replies_);
            if (slave_index_ < counted_slaves)
                put(comms.ecu_count[slave_index_], get(comms.ecu_count[slave_index_]) + 1);
            if (outstanding_slot_ < counted_slots) {
                uint32_t& count = comms.*poll_id_counts[outstanding_slot_];
                put(count, get(count) + 1);
            }
        }
    }
    if (no_comms_mask_ != before)
        put(store_.body.system.ECU_status, no_comms_mask_);
}

void Ecu_poller::clear_status()
{
    const uint32_t before = no_comms_mask_;
    no_comms_mask_ = 0;
    if (before != 0)
        put(store_.body.system.ECU_status, 0u);
    first_failure_pending_ = 1;
}

void Ecu_poller::tick_1s()
{
    blink_phase_ = blink_phase_ < 2 ? blink_phase_ + 1 : 0;
}

void Ecu_poller::tick_500ms()
{
    ds_monitor_ecus& monitors = store_.body.monitor_ecus;
    for (int32_t* timer : {&monitors.monitor_power_cycle_timer, &monitors.monitor_inhibit_timer}) {
        const int32_t value = get(*timer);
        if (value > 0)
            put(*timer, value - 1);
    }
}

uint32_t Ecu_poller::spray_boom(int ecu, int which) const
{
    if (ecu < 0 || ecu > 1 || which < 0 || which > 1)
        return 0;
    return spray_booms_[which][ecu];
}
