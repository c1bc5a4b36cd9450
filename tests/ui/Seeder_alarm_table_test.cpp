#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/module_man.h"
#include "ui/screens/Seeder_alarm_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using NV_quvel::alarm_t;
using Settings = NV_quvel::alarms_t;

struct Family {
    const char* mask; // without the tank or fan number
    int count;        // 0: a single alarm, its mask without a number
    ds_alarm* records;
    alarm_t* (*setting)(Settings&, int i);
};

TEST(Seeder_alarm_table, pairs_every_alarm_mask_with_its_record_and_setting_by_name_in_creation_order)
{
    module_man manager;
    Data_store store(&manager, "1.0");
    NV_quvel::parameters_t parameters(&manager, 0, "PS");
    ds_alarms& a = store.body.alarms;
    NV_quvel::alarms_t& s = parameters.app.alarms;

    const Family families[] = {
        {"FAN_PRESSURE_LOW", 0, &a.fan_pressure_low, [](Settings& s, int) { return s.fan_pressure_low[0]; }},
        {"FAN_PRESSURE_HIGH", 0, &a.fan_pressure_high, [](Settings& s, int) { return s.fan_pressure_high[0]; }},
        {"FAN_SPEED_LOW", 0, &a.fan_speed_low, [](Settings& s, int) { return s.fan_speed_low[0]; }},
        {"FAN_SPEED_HIGH", 0, &a.fan_speed_high, [](Settings& s, int) { return s.fan_speed_high[0]; }},
        {"FAN_SENSOR_FAIL", 2, a.fan_sensor_fail, [](Settings& s, int i) { return s.fan_sensor_fail[i]; }},
        {"TANK_LOW", 4, a.tank_low, [](Settings& s, int i) { return s.tank_low[i]; }},
        {"TANK_EMPTY", 4, a.tank_empty, [](Settings& s, int i) { return s.tank_empty[i]; }},
        {"TANK_PRESS_MIN", 4, a.liquid_pressure_min, [](Settings& s, int i) { return s.liquid_pressure_min[i]; }},
        {"TANK_PRESS_MAX", 4, a.liquid_pressure_max, [](Settings& s, int i) { return s.liquid_pressure_max[i]; }},
        {"TEMPERATURE", 0, &a.temperature, [](Settings& s, int) { return &s.temperature; }},
        {"MOTOR_SENSOR", 4, a.tank_motor_sensor, [](Settings& s, int i) { return s.tank_motor_sensor[i]; }},
        {"MOTOR_JAM", 4, a.tank_motor_jam, [](Settings& s, int i) { return s.tank_motor_jam[i]; }},
        {"TANK_SHAFT", 4, a.tank_shaft, [](Settings& s, int i) { return s.tank_shaft[i]; }},
        {"TANK_GEAR", 4, a.tank_gear, [](Settings& s, int i) { return s.tank_gear[i]; }},
        {"TANK_ALT_RATE", 4, a.tank_alt_rate_in_use, [](Settings& s, int i) { return s.tank_alt_rate_in_use[i]; }},
        {"TANK_INCORR_RATE", 4, a.tank_incorrect_rate, [](Settings& s, int i) { return s.tank_incorrect_rate[i]; }},
        {"TANK_OFF_MASTER_ON", 4, a.tank_off_master_on, [](Settings& s, int i) { return s.tank_off_master_on[i]; }},
        {"NO_FLOW_TANKS_OFF", 0, &a.no_flow_tanks_off, [](Settings& s, int) { return &s.no_flow_tanks_off; }},
        {"NO_FLOW_NO_SPEED", 0, &a.no_flow_no_speed, [](Settings& s, int) { return &s.no_flow_no_speed; }},
        {"NO_FLOW_NO_FAN", 0, &a.no_flow_no_fan, [](Settings& s, int) { return &s.no_flow_no_fan; }},
        {"NO_FLOW_NO_FAN_PRESS", 0, &a.no_flow_no_fan_pressure,
         [](Settings& s, int) { return &s.no_flow_no_fan_pressure; }},
        {"MASTER_OFF", 0, &a.master_off, [](Settings& s, int) { return &s.master_off; }},
        {"NO_COMMS", 0, &a.no_comms, [](Settings& s, int) { return &s.no_comms; }},
        {"CASE_DRAIN", 0, &a.case_drain, [](Settings& s, int) { return &s.case_drain; }},
        {"BLOCKED_HEAD", 0, &a.blocked_head, [](Settings& s, int) { return &s.blocked_head; }},
        {"SHAFT_MV_TANK_OFF", 4, a.shaft_moving_tank_off,
         [](Settings& s, int i) { return s.shaft_moving_tank_off[i]; }},
    };

    const auto table = seeder_alarms(a, s);
    size_t row = 0;
    for (const Family& f : families) {
        for (int i = 0; i < std::max(f.count, 1); ++i, ++row) {
            ASSERT_LT(row, table.size());
            const std::string mask = std::string("alarm_mask_") + f.mask + (f.count ? "_" + std::to_string(i + 1) : "");
            SCOPED_TRACE(mask);
            EXPECT_EQ(std::string(table[row].mask_name()), mask);
            EXPECT_EQ(table[row].record, &f.records[i]);
            EXPECT_EQ(table[row].setting, f.setting(s, i));
        }
    }
    EXPECT_EQ(row, table.size());
}

TEST(Seeder_alarm_table, names_each_of_the_pools_63_alarm_masks_once)
{
    module_man manager;
    Data_store store(&manager, "1.0");
    NV_quvel::parameters_t parameters(&manager, 0, "PS");
    std::set<std::string> keys;
    for (const Seeder_alarm& alarm : seeder_alarms(store.body.alarms, parameters.app.alarms))
        keys.insert(alarm.key);
    std::set<std::string> pool;
    for (const VT::Seeder_texts::Alarm& alarm : VT::Seeder_texts::alarms)
        pool.insert(alarm.key);
    EXPECT_EQ(keys, pool);
    EXPECT_EQ(keys.size(), 63u);
}

}
