#pragma once
#include "control_logic/Alarm_list.h"

#include <cstdint>

class Seeder_controller;

// Decides which alarms are raised: every 500 ms it writes each record's
// triggered flag from its rule, every 1000 ms the alarm list runs the
// delays. It belongs to the controller and reads the controller's state
// (channel countdowns, rates, widths, the run condition).
class Alarm_evaluation {
public:
    static constexpr float jam_current = 15.0f; // amperes: above, a stopped motor is jammed
    static constexpr uint32_t head_start_inhibit = 16;
    static constexpr uint32_t head_stop_inhibit = 5;

    explicit Alarm_evaluation(Seeder_controller& controller);

    void evaluate();
    void delay_step();

    // Per channel: the motor check's flags and its memory of the last count.
    struct Motor_state {
        bool fault = false;
        bool gear = false;
        bool shaft_stopped = false;
        uint32_t previous_count = 0;
        uint32_t revolutions = 0; // counts to 2, never reset
    };
    const Motor_state& motor_state(int channel) const { return motors_[channel]; }

private:
    void motor_checks();
    void motor_check(int channel);
    void shaft_and_flow(int channel, bool master, bool moving);
    void blocked_head(bool master, bool granular, double speed);
    void trigger(ds_alarm& record, bool value);

    Seeder_controller& c_;
    Alarm_list list_;
    Motor_state motors_[10];
    bool flow_[10] = {};
    bool shaft_turning_[10] = {}; // the shaft period was non-zero on the last step
    bool head_running_ = false;
};
