#pragma once
#include "platform/iso/TC_client_Condensed_work_state_pd_element.h"
#include "platform/iso/TC_client_Process_data_element.h"
#include "platform/iso/TC_client_Property_element.h"

#include <memory>
#include <vector>

namespace TC_client {

// Every process-data entry the seeder can publish to a Task Controller. An
// element's references point into this one table, so elements that publish
// the same DDI share an entry.
class Tessaryn_seeder_ddi {
public:
    static constexpr int condensed_count = 16;

    Tessaryn_seeder_ddi();
    // The condensed entries first, then the switch-state entry, then the members.
    ~Tessaryn_seeder_ddi();
    Tessaryn_seeder_ddi(const Tessaryn_seeder_ddi&) = delete;
    Tessaryn_seeder_ddi& operator=(const Tessaryn_seeder_ddi&) = delete;

    Process_data_element total_area;                     // 116
    Process_data_element lifetime_total_area;            // 271
    Process_data_element effective_total_distance;       // 117
    Process_data_element effective_total_time;           // 119
    Process_data_element ineffective_total_time;         // 120
    Process_data_element lifetime_effective_time;        // 274
    Process_data_element lifetime_ineffective_time;      // 275
    Process_data_element actual_working_width;           // 67
    Process_data_element actual_work_state_setable;      // 141
    Process_data_element actual_work_state;              // 141, not settable
    Process_data_element setpoint_work_state;            // 289
    Process_data_element prescription_control_state;     // 158
    Process_data_element rate_control_mode;              // 60089
    Property_element connector_type;                     // 157
    Process_data_element target_rate_mass;               // 6
    Process_data_element target_rate_volume;             // 1
    Process_data_element target_rate_count;              // 11
    Process_data_element actual_rate_mass;               // 7
    Process_data_element actual_rate_volume;             // 2
    Process_data_element actual_rate_count;              // 12
    Process_data_element flow_rate_mass;                 // 42
    Process_data_element flow_rate_volume;               // 37
    Process_data_element flow_rate_count;                // 47
    Process_data_element lifetime_total_volume;          // 325
    Process_data_element lifetime_total_mass;            // 266
    Process_data_element log_count;                      // 147
    Process_data_element setpoint_time_latency;          // 142
    Process_data_element actual_time_latency;            // 143
    Process_data_element capacity;                       // 137
    Process_data_element product_pressure;               // 194
    Process_data_element pump_speed;                     // 60004
    Process_data_element total_volume;                   // 80
    Process_data_element total_mass;                     // 81
    Process_data_element shaft_speed;                    // 58625
    Process_data_element cultural_practice;              // 179
    Process_data_element volume_remaining;               // 72
    Process_data_element maximum_volume;                 // 73
    Process_data_element mass_remaining;                 // 75
    Process_data_element maximum_mass;                   // 76
    Process_data_element net_weight;                     // 229
    Process_data_element section_control_state;          // 160
    Process_data_element sc_turn_on_time;                // 205
    Process_data_element sc_turn_off_time;               // 206
    Process_data_element multi_line_control_state;       // 60001
    Process_data_element multi_line_actual_work_state;   // 60002
    Process_data_element multi_line_setpoint_work_state; // 60003
    Process_data_element setpoint_downforce;             // 426
    Process_data_element downforce;                      // 427
    Process_data_element setpoint_hydraulic_pressure;    // 365
    Process_data_element hydraulic_pressure;             // 366
    Process_data_element setpoint_drill_lift;            // 58633
    Process_data_element drill_lift;                     // 58634
    Process_data_element drill_lift_track_master;        // 58635
    Process_data_element nozzle_flow;                    // 60014
    Process_data_element calibration_granular;           // 60085
    Process_data_element calibration_liquid;             // 60086
    Process_data_element calibration_nh3;                // 60087
    Process_data_element drive_power;                    // 60015

    // Entry k of each list belongs to condensed work state k + 1.
    std::vector<Condensed_work_state_pd_element*> actual_condensed_setable; // 161..176
    std::vector<Condensed_work_state_pd_element*> actual_condensed;         // 161..176, not settable
    std::vector<Condensed_work_state_pd_element*> setpoint_condensed;       // 290..305
    Condensed_work_state_pd_element* condensed_switch_state;                // 60088
};

// The program's table, built before main.
extern Tessaryn_seeder_ddi seeder_ddi;

}
