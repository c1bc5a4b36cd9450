#pragma once
#include <cstdint>

namespace NV_quvel {
class parameters_t;
}

// The control core of the seeder, called by the control task on its timers
// and on store events. Each operation's steps come with the controller
// itself; until then it does nothing.
class Seeder_controller {
public:
    explicit Seeder_controller(NV_quvel::parameters_t& parameters) : parameters_(parameters) {}

    void refresh_parameters() {}  // steps come with the controller
    void tick_1s() {}             // steps come with the controller
    void tick_500ms() {}          // steps come with the controller
    void tick_100ms() {}          // steps come with the controller
    void save_totals() {}         // steps come with the controller
    void ground_speed_step() {}   // steps come with the controller
    void master_switch_changed() {}   // steps come with the controller
    void reset_diag_data() {}         // steps come with the controller
    void cal_swbox_reset_changed() {} // steps come with the controller
    void calibration_state_changed() {} // steps come with the controller
    void inhibit_master() {}          // steps come with the controller
    void setpoint_changed(int) {}     // steps come with the controller
    void channel_switch_changed(int) {} // steps come with the controller
    void reset_pulse_count(int) {}    // steps come with the controller
    void boom_state_changed(int) {}   // steps come with the controller
    void copy_section_state(int, int) {} // steps come with the controller
    void set_no_comms() {}            // steps come with the controller
    void clear_no_comms() {}          // steps come with the controller

private:
    [[maybe_unused]] NV_quvel::parameters_t& parameters_;
};
