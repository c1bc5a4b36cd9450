#pragma once
#include "app/System_info.h"
#include "control_logic/Alarm_evaluation.h"
#include "control_logic/On_off_delay.h"
#include "control_logic/Rate_delay.h"
#include "control_logic/State_queries.h"
#include "data_store/Data_store.h"
#include "params/application_t.h"
#include "platform/rtos/Atime.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace NV_quvel {
class parameters_t;
}

// The control core of the seeder. From the operator's settings, the ground
// speed and the slave processors' readings in the store it works out the
// drive periods of the ten product channels and the outputs of the five
// downforce channels, the actual rates, the distance and the history. It has
// no thread: the control task calls its ticks and event operations.
class Seeder_controller {
public:
    static constexpr int num_channels = 10;
    static constexpr int num_downforces = 5;
    static constexpr int num_booms = 6;
    static constexpr int num_sections = 10;
    static constexpr int num_fans = 5;
    static constexpr int num_pulsed_monitors = 32;

    // Filter timing record of a product channel: words 1 to 4 (0-based) give
    // the four filter countdowns of a rate-filter restart.
    struct Filter_timing {
        uint32_t words[5] = {5, 160, 80, 20, 10};
        float factors[8] = {127.0f, 63.0f, 15.0f, 7.0f, 0.01f, 0.02f, 0.05f, 0.1f};
    };

    // The rate-filter state and the countdowns of a product channel (500 ms ticks).
    struct Channel_state {
        bool last_active = false;
        uint32_t set_period = 0;
        uint32_t restart_countdown = 0;
        uint32_t filter_countdowns[4] = {};
        uint32_t settle_counter = 0;
        double raw_rate = 0.0;
        double filtered_rate = 0.0;
        uint32_t rate_change_countdown = 0;
        uint32_t tank_switch_countdown = 0;
        uint32_t master_change_countdown = 0;
        uint32_t preload_countdown = 0;
    };

    // The switching delays of a boom section, in seconds.
    struct Section_timing {
        float on;
        float off;
    };

    Seeder_controller(Data_store& store, NV_quvel::parameters_t& parameters);

    // Takes a fresh copy of the application parameters; a new speed source
    // acts at once.
    void refresh_parameters();
    void tick_1s();
    void tick_500ms();
    void tick_100ms();
    // Copies the totals from the store into the live parameter tree; the
    // constructor puts the saved ones into the store.
    void save_totals();

    void ground_speed_step();
    void setpoint_changed(int channel);
    void calibration_state_changed();
    void reset_diag_data();
    void reset_pulse_count(int channel);
    void copy_section_state(int boom, int section);
    void inhibit_master();
    void restart_section_settle();

    // Preload and priming: the drives of a granular channel run at standstill
    // as if at the manual speed, to fill the metering before work.
    void set_remote_preload(int channel, bool on);
    void start_preload_timer(int channel, bool on, bool force);
    // Starts a preload when every condition holds; says which one does not.
    void request_preload(int channel);
    void stop_preload(int channel);
    void prime(int channel);
    void cal_swbox_reset_changed();

    // The master, tank and boom switches.
    void master_switch_changed();
    void channel_switch_changed(int channel);
    void boom_state_changed(int boom);

    // The boom and section step: channel and section switching delays, the
    // worked width and the rate on the ground. A boom outside 0..5 is none.
    std::vector<Section_timing> section_timings(int boom);
    void update_delay_times();
    void boom_section_step();
    void write_section_states(int boom, int section, bool actual, bool delayed);

    // The pressure of an 8-bit liquid-pressure input; 0 outside the sensor's range.
    static float liquid_pressure(uint32_t adc);

    // floor(x + 0.5), saturated to the int32 range; NaN gives 0.
    static int32_t round_half_up(double x);
    // Truncated toward zero and saturated to 0..UINT32_MAX; NaN gives 0.
    static uint32_t to_u32(double x);
    static double percent_error(double reference, double actual);

    // Conversions of the drive targets, also used by the calibration screens.
    double encoder_ratio(int channel) const;
    // Drive limits in encoder pulses per minute; 0 is no limit.
    void drive_limits(int channel, double& minimum, double& maximum) const;
    static double clamp_target(double target, double minimum, double maximum);
    // The width of channel's boom sections that are on, or the machine width.
    double section_width(int channel);
    // The width a channel's target and actual rate use: the section width,
    // or for a granular channel whose sections are not switched at the
    // distribution head, the machine width while some section is on.
    double drive_width(int channel);
    // Calibration conversions: the shaft speed of a drive pulse period (0
    // when the period or the ratio is 0), and the product of an encoder
    // pulse count (0 when the count or the ratio is 0); ratio in pulses per
    // shaft revolution, cal_setting in product per revolution.
    static double shaft_rpm_from_period(double period_us, double ratio);
    static double product_from_pulses(double pulses, double ratio, double cal_setting);
    bool drives(int channel);
    // pressure-to-byte of the downforce output: 0..255.
    static uint8_t pressure_to_byte(double pressure, double vmin, double vmax, double pmax);
    // The linear voltage-to-value rule of the pressure and load sensors.
    static double linear_sensor(double volts, double vmin, double vmax, double max_value);
    // A fan's air pressure from its 8-bit input, by the sensor type.
    static double fan_pressure(uint8_t sensor_type, uint32_t adc, const NV_quvel::voltage_pressure_sensor_t& calibration);

    float speed_kmh() const { return speed_kmh_; }
    bool moving() const { return moving_; }
    const Channel_state& channel_state(int channel) const { return channels_[channel]; }
    const Filter_timing& filter_timing(int channel) const { return timing_[channel]; }
    bool any_section_drive_error() const { return any_section_drive_error_; }
    bool minute() const { return minute_flag_; }
    const Rate_delay& rate_delay(int channel) const { return delays_[channel].rate; }

private:
    friend class Alarm_evaluation; // reads and restarts the channels' rate state

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

    // Drive targets.
    uint32_t granular_period(int channel);
    uint32_t flow_period(int channel);
    double channel_speed(int channel);
    void product_targets();
    void update_filter_timing(int channel);
    void restart_rate_filter(int channel, bool hard);
    void actual_rate_step();
    void actual_rate(int channel);
    void filter_rate(int channel, double rate);
    void rate_extremes(int channel);
    uint32_t active_nozzles(int channel);

    // Downforce.
    void downforce_targets();
    void downforce_feedback();
    double load_reading(int downforce);

    // Totals from the store into the live parameters, or back.
    void copy_totals(bool to_parameters);

    static bool valid_boom(int boom);
    // The master on and one of tanks 0 to 3 on.
    bool working() const;

    // The 500 ms steps.
    void preload_countdown_step();
    void area_step();
    void product_totals_step();
    void liquid_pressure_step();
    void fan_step();
    void clear_motor_currents();
    void section_drive_debounce();
    void section_settle_step();
    void pulsed_monitor_debounce();
    void disable_channels();
    void runtime_meter();
    void apply_boom_states();

    Data_store& store_;
    NV_quvel::application_t app_;
    NV_quvel::parameters_t& parameters_;
    State_queries queries_;
    System_info system_info_;

    Filter_timing timing_[num_channels];

    uint32_t pulses_taken_ = 0;
    float raw_kmh_ = 0.0f;
    float filtered_kmh_ = 0.0f;
    float speed_kmh_ = 0.0f;
    float source_kmh_ = 0.0f;
    bool moving_ = false;

    Channel_state channels_[num_channels];
    double downforce_filtered_[num_downforces] = {};
    uint8_t drive_mismatch_[num_booms][num_sections] = {};
    bool any_section_drive_error_ = false;
    uint8_t pulsed_counts_[num_pulsed_monitors] = {};
    bool fan_filter_restart_[num_fans] = {true, true, true, true, true};
    uint32_t section_settle_ = 0;
    uint8_t speed_source_ = 0;
    bool speed_source_known_ = false;
    bool master_on_ = false;
    bool master_known_ = false; // master_on_ taken from an event at least once
    std::optional<int32_t> boom_states_[num_booms] = {0, 0, 0, 0, 0, 0}; // last applied; empty when forgotten
    bool idle_ = true; // the machine stood on the last area step

    struct Channel_delays {
        On_off_delay drive;
        Rate_delay rate;
        std::vector<On_off_delay> sections; // one per entry of the boom's timing list
    };
    Channel_delays delays_[num_channels];
    std::vector<On_off_delay> downforce_section_delays_;
    On_off_delay master_delay_;

    // Unit conversions.
    const double rate_area_factor_ = 600.0;    // kg/min from kg/ha x m x km/h
    const double liquid_flow_factor_ = 36000.0; // pulses/s from l/ha x pulses/l x m x km/h

    uint32_t seconds_ = 0;
    bool minute_flag_ = false;

    Atime meter_mark_;
    int64_t effective_ms_ = 0;
    int64_t ineffective_ms_ = 0;

    // Last: it pairs the alarm records with this copy's settings.
    Alarm_evaluation alarms_{*this};
};
