// The tables of the eight alarm settings screens: which list and alarm point
// writes which alarm records.
#include "params/parameters_t.h"
#include "ui/screens/FanAlarmsMask.h"
#include "ui/screens/NoFlowAlarmsMask.h"
#include "ui/screens/OtherAlarmsMask.h"
#include "ui/screens/ShaftAlarmsMask.h"
#include "ui/screens/TankAlarmsMask.h"
#include "ui/screens/TankGearAlarmsMask.h"
#include "ui/screens/TankMotorAlarmsMask.h"
#include "ui/screens/TankPressureAlarmsMask.h"
#include "ui/screens/Seeder_tanks.h"

namespace {

using Alarm_array = NV_store::NV_item_array<10, NV_quvel::alarm_t>;
using Fan_alarm_array = NV_store::NV_item_array<4, NV_quvel::alarm_t>;

// The screens reach fans 1 and 2 only.
std::vector<NV_quvel::alarm_t*> fans_1_and_2(Fan_alarm_array& alarms)
{
    return {alarms[0], alarms[1]};
}

std::vector<NV_quvel::alarm_t*> tanks_1_to_4(Alarm_array& alarms)
{
    return {alarms[0], alarms[1], alarms[2], alarms[3]};
}

template <class Ids>
Alarm_table table_of(const Ids& ids)
{
    Alarm_table t;
    t.mask = ids.mask;
    t.keys = ids.keys;
    return t;
}

// A screen of one row per tank, hidden with the tank.
template <class Ids>
Alarm_table tank_table_of(const Ids& ids)
{
    Alarm_table t = table_of(ids);
    t.per_tank = true;
    t.left_cells = ids.left_cells;
    t.right_cells = ids.right_cells;
    return t;
}

// One list per tank and alarm, the tank's record alone.
void add_tank_rows(Alarm_table& t, const std::array<Input_list_id, 4>& lists, Alarm_array& alarms)
{
    for (int i = 0; i < Seeder_tanks::count; ++i)
        t.rows.push_back({lists[i], {alarms[i]}});
}

}

Alarm_table FanAlarmsMask::table() const
{
    const Fan_alarms_ids& ids = objects_.ids.fan_alarms;
    NV_quvel::alarms_t& a = objects_.parameters.app.alarms;
    Alarm_table t = table_of(ids);
    const struct {
        Fan_alarm_array& alarms;
        const Alarm_point_kind& kind;
        Alarm_row::Point shows;
    } rows[] = {
        {a.fan_pressure_low, fan_pressure, Alarm_row::Point::largest},
        {a.fan_pressure_high, fan_pressure, Alarm_row::Point::smallest},
        {a.fan_speed_low, fan_speed, Alarm_row::Point::largest},
        {a.fan_speed_high, fan_speed, Alarm_row::Point::smallest},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        t.rows.push_back({ids.lists[i], fans_1_and_2(rows[i].alarms), Alarm_row::Shows::any, ids.alarm_points[i],
                          &rows[i].kind, rows[i].shows});
    return t;
}

Alarm_table TankAlarmsMask::table() const
{
    const Tank_alarms_ids& ids = objects_.ids.tank_alarms;
    NV_quvel::alarms_t& a = objects_.parameters.app.alarms;
    Alarm_table t = tank_table_of(ids);
    add_tank_rows(t, ids.first_lists, a.tank_low);
    add_tank_rows(t, ids.second_lists, a.tank_empty);
    return t;
}

Alarm_table ShaftAlarmsMask::table() const
{
    const Shaft_alarms_ids& ids = objects_.ids.shaft_alarms;
    Alarm_table t = tank_table_of(ids);
    add_tank_rows(t, ids.lists, objects_.parameters.app.alarms.tank_shaft);
    return t;
}

Alarm_table TankMotorAlarmsMask::table() const
{
    const Tank_motor_alarms_ids& ids = objects_.ids.tank_motor_alarms;
    NV_quvel::alarms_t& a = objects_.parameters.app.alarms;
    Alarm_table t = tank_table_of(ids);
    add_tank_rows(t, ids.first_lists, a.tank_motor_sensor);
    add_tank_rows(t, ids.second_lists, a.tank_motor_jam);
    return t;
}

Alarm_table TankGearAlarmsMask::table() const
{
    const Tank_gear_alarms_ids& ids = objects_.ids.tank_gear_alarms;
    Alarm_table t = tank_table_of(ids);
    add_tank_rows(t, ids.lists, objects_.parameters.app.alarms.tank_gear);
    return t;
}

Alarm_table TankPressureAlarmsMask::table() const
{
    const Tank_pressure_alarms_ids& ids = objects_.ids.tank_pressure_alarms;
    NV_quvel::alarms_t& a = objects_.parameters.app.alarms;
    Alarm_table t = tank_table_of(ids);
    t.editable_lists = true;
    t.edit_trace = "TankPressureAlarmsMask::handle_stat_update ()\n";
    for (int i = 0; i < Seeder_tanks::count; ++i)
        t.rows.push_back({ids.low_lists[i], {a.liquid_pressure_min[i]}, Alarm_row::Shows::first, ids.low_points[i],
                          &tank_pressure});
    for (int i = 0; i < Seeder_tanks::count; ++i)
        t.rows.push_back({ids.high_lists[i], {a.liquid_pressure_max[i]}, Alarm_row::Shows::first, ids.high_points[i],
                          &tank_pressure});
    return t;
}

Alarm_table OtherAlarmsMask::table() const
{
    const Other_alarms_ids& ids = objects_.ids.other_alarms;
    NV_quvel::alarms_t& a = objects_.parameters.app.alarms;
    Alarm_table t = table_of(ids);
    // The all-tank rows show tank 1's record.
    t.rows = {
        {ids.lists[0], tanks_1_to_4(a.tank_off_master_on)},
        {ids.lists[1], tanks_1_to_4(a.tank_alt_rate_in_use)},
        {ids.lists[2], {&a.case_drain}},
        {ids.lists[3], {&a.blocked_head}},
    };
    return t;
}

Alarm_table NoFlowAlarmsMask::table() const
{
    const No_flow_alarms_ids& ids = objects_.ids.no_flow_alarms;
    NV_quvel::alarms_t& a = objects_.parameters.app.alarms;
    Alarm_table t = table_of(ids);
    t.rows = {
        {ids.lists[0], {&a.no_flow_tanks_off}},
        {ids.lists[1], {&a.no_flow_no_speed}},
        {ids.lists[2], {&a.no_flow_no_fan}},
        {ids.lists[3], {&a.no_flow_no_fan_pressure}},
    };
    return t;
}
