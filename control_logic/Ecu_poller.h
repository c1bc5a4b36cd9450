#pragma once
#include "control_logic/State_queries.h"
#include "data_store/Data_store.h"
#include "params/application_t.h"

#include <cstdint>

class Packet_interface;
struct Packet;
namespace NV_quvel {
class parameters_t;
}

// The poll engine of the serial slave network. It walks a table of 40 slots,
// one request in flight at a time, decodes each reply into the store and
// keeps one no-comms bit per slave in ECU_status. The control task calls it
// when a reply arrives, at the reply deadline and 10 ms after each reply.
class Ecu_poller {
public:
    static constexpr uint32_t num_slots = 40;
    static constexpr uint32_t num_slaves = 23;
    // ds_comms_diags keeps miss counts for slaves 0..21 only.
    static constexpr uint32_t counted_slaves = 22;
    static constexpr uint32_t scale_slot = 37;      // its reply is ASCII text
    static constexpr uint32_t power_box_slot = 39;
    static constexpr int reply_timeout_ms = 500;
    static constexpr int power_box_timeout_ms = 1000;
    static constexpr uint32_t max_misses = 3; // the bit is set at the next miss
    static constexpr uint32_t max_period_field = 0xFFFFFE; // 0xFFFFFF means "no pulse"

    // Takes a fresh parameter copy first, so that an enabled power box is
    // asked by the InitComms that follows.
    Ecu_poller(Packet_interface& link, Data_store& store, NV_quvel::parameters_t& parameters);

    void InitComms();
    // Refreshes the parameter copy; a change that alters the set of slaves
    // clears ECU_status and makes the next miss clear instead of count.
    void check_ecu_config(NV_quvel::parameters_t& parameters);
    void tick_1s();
    void tick_500ms();
    void record_result(bool ok);
    bool skip_current();
    void advance();
    void poll_next();
    // False when the reply fails the length check: it answers nothing, and
    // the request stays out until its own reply or its deadline.
    bool on_reply(const Packet& packet);

    // Monitor ECUs (Monitor_ecus.cpp): m = 1..monitor_count() at
    // monitor_address(m); monitor_index() of a reply's source, 72..75 giving
    // indices beyond the monitor ECUs.
    static constexpr uint32_t max_monitors = 5;
    uint32_t monitor_count() const;
    static uint8_t monitor_address(uint32_t m);
    static uint32_t monitor_index(uint8_t source);
    // The auto-detect walk that replaces the normal cycle: setup requests,
    // three to each monitor ECU until it answers, then setup and read
    // requests to the found or enabled ones.
    void enter_auto_detect();
    void leave_auto_detect();
    void auto_detect_step();
    // Misses of the walk count from its first read request on.
    bool auto_detect_counts_misses() const;
    // The section-monitor inputs, from the store's section-monitoring configuration (Section_monitor.cpp).
    void rebuild_section_monitors();

    uint32_t get_poll_index() const { return poll_index_; }
    // The slot whose reply is awaited: it decides how the reply is read.
    uint32_t get_outstanding_slot() const { return outstanding_slot_; }
    uint32_t get_no_comms_mask() const { return no_comms_mask_; }
    uint32_t get_slave_index() const { return slave_index_; }
    uint32_t get_expected_length() const { return expected_length_; }
    bool first_failure_pending() const { return first_failure_pending_ != 0; }
    // The booms that spray ECU e (0: 52 or 60, 1: 53 or 61) serves as its booms 0 and 1.
    uint32_t spray_boom(int ecu, int which) const;

    // Slave network layout by ecu_config.
    static uint32_t slot_length(uint32_t slot);
    static int drive_channels(uint8_t ecu_config);
    static uint8_t drive_address(int channel, uint8_t ecu_config);
    static bool spray_config(uint8_t ecu_config) { return ecu_config >= 2 && ecu_config <= 6; }
    static bool spray_channel(int channel, uint8_t ecu_config);
    // The slave index of a request to destination; other addresses keep current.
    static uint32_t slave_index_of(uint8_t destination, bool as_spray_ecu, uint32_t current);
    // A raw 24-bit reply period shifted left: 0 for "no pulse" (0 or
    // 0xFFFFFF), saturated instead of wrapped.
    static uint32_t shifted_period(uint32_t raw, unsigned shift);
    // Actuator position in % of a load byte.
    static float actuator_position(uint8_t b);

private:
    friend class Ecu_poller_probe; // tests place the engine at a slot
    friend class Poll_engine_probe; // tests reach the rotations and flags

    // One locked read, and one locked write with its change event.
    template <class T>
    T get(const T& item)
    {
        return store_.head.get(item);
    }
    template <class T>
    void put(T& item, const T& value)
    {
        store_.head.set(item, value);
    }
    // The same for the switches and inputs that every reply repeats: written
    // only when they change, so that a listener hears of a real change only.
    template <class T>
    void put_changed(T& item, const T& value)
    {
        store_.head.set_changed(item, value);
    }

    // Requests (Poll_requests.cpp).
    void send_slot(uint32_t slot);
    void send(Packet& packet, bool as_spray_ecu);
    void send_simple(uint8_t destination, uint8_t command, std::initializer_list<uint8_t> data,
                     bool as_spray_ecu = false);
    void send_drive_target(int channel);
    uint8_t drive_flags(int channel, uint32_t set_period, uint32_t& field);
    void send_fan_request();
    void send_pressure_request();
    void send_load_request();
    void send_switch_box_leds();
    void send_frame_switch_box_leds();
    void send_spray_sections(int ecu);
    void send_version_request();
    void send_drill_control();
    void send_drill_set_point();
    void send_scale_request();
    void send_configuration();
    void send_drive_configuration(int channel);
    void send_spray_configuration(int channel);
    bool skip(uint32_t slot);
    bool channel_enabled(int c) const;

    // Replies (Poll_replies.cpp).
    void handle_reply(uint32_t slot, const Packet& packet);
    void receive_ground_speed(const Packet& p);
    void receive_drive(int channel, const Packet& p);
    void receive_fan(const Packet& p);
    void receive_pulses_and_pressure(const Packet& p);
    void receive_pressure(const Packet& p);
    void receive_load(const Packet& p);
    void receive_switch_box(const Packet& p);
    void receive_inputs(const Packet& p);
    void receive_temperature(const Packet& p);
    void receive_spray_sections(const Packet& p);
    void receive_frame_switch_box(const Packet& p);
    void receive_version(const Packet& p);
    void receive_drill_control(const Packet& p);
    void receive_drill_load(const Packet& p);
    void receive_scale(const Packet& p);
    void receive_drive_configuration(const Packet& p);
    void receive_spray_configuration(const Packet& p);

    void publish_status();
    void clear_status();
    void update_spray_booms();

    // Monitor ECUs and section monitors.
    struct Detection {
        uint32_t tries = 0;
        uint8_t found = 0;
    };
    bool monitor_enabled(uint32_t m) const;
    uint32_t next_enabled_monitor(uint32_t& rotation) const;
    void send_monitor_read();
    bool send_monitor_setup(); // true while detecting
    void receive_monitor(uint32_t slot, const Packet& p);
    uint8_t effective_mask(uint32_t input_byte);
    void send_section_monitor();
    void receive_section_monitor(const Packet& p);

    NV_quvel::application_t app_;
    Data_store& store_;
    Packet_interface& link_;
    NV_quvel::parameters_t& parameters_;
    State_queries queries_;

    uint32_t blink_phase_ = 0;
    uint32_t poll_index_ = 0;
    uint32_t outstanding_slot_ = 0;
    uint32_t slave_index_ = 0;
    uint32_t version_rotation_ = 0;
    uint32_t no_comms_mask_ = 0;
    uint8_t first_failure_pending_ = 1;
    uint32_t valid_replies_ = 0;
    uint32_t miss_count_[num_slaves] = {};
    int32_t calibration_drive_index_ = -1;
    uint32_t config_rotation_38_ = 0;
    int config_channel_38_ = 0; // the channel slot 38 asked
    uint32_t fan_rotation_ = 0;
    int fan_polled_ = 0;        // the fan slot 9 asked, 1..5
    uint32_t channel_rotation_ = 0;
    int pressure_channel_ = 0;  // the channel slot 14 asked
    uint32_t load_rotation_ = 0;
    int load_channel_ = 0;      // the channel slots 15 and 26 asked
    uint32_t drive_rotation_25_ = 0;
    uint32_t drill_cycle_ = 0;
    uint32_t drill_status_sent_ = 0; // drill status request of the round: 1 or 2, 0 configuration
    uint32_t scale_index_ = 0;
    uint32_t expected_length_ = 0;
    uint8_t destination_ = 0; // of the last binary request
    uint8_t polled_[num_slaves] = {};
    uint32_t spray_booms_[2][2] = {}; // [list][entry]
    uint32_t monitor_slot_ = 29;
    uint32_t monitor_rotation_24_ = 0;
    uint32_t monitor_rotation_29_ = 0;
    uint8_t auto_detect_first_pass_ = 0;
    Detection detection_[max_monitors];
    int32_t section_monitor_index_ = -1;
    uint8_t section_monitor_done_ = 0;
};
