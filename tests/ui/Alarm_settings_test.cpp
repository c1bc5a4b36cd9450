#include "tests/ui/Screen_rig.h"
#include "ui/screens/FanAlarmsMask.h"
#include "ui/screens/NoFlowAlarmsMask.h"
#include "ui/screens/OtherAlarmsMask.h"
#include "ui/screens/ShaftAlarmsMask.h"
#include "ui/screens/TankAlarmsMask.h"
#include "ui/screens/TankGearAlarmsMask.h"
#include "ui/screens/TankMotorAlarmsMask.h"
#include "ui/screens/TankPressureAlarmsMask.h"

#include <set>

namespace {

using NV_quvel::alarm_t;

void collect_alarms(NV_store::NV_item& item, std::vector<alarm_t*>& out)
{
    if (auto* alarm = dynamic_cast<alarm_t*>(&item)) {
        out.push_back(alarm);
        return;
    }
    if (auto* container = dynamic_cast<NV_store::NV_container*>(&item))
        for (NV_store::NV_item* child = container->get_first_child(); child; child = child->get_next_sibling())
            collect_alarms(*child, out);
}

// An alarm settings screen on the test pool: its mask and keys, two-item
// lists, alarm-point inputs and the tank rows' cells, as the pool has them.
template <class S>
class Alarm_rig : public Screen_rig<S> {
protected:
    using Rig = Screen_rig<S>;
    explicit Alarm_rig(const char* key)
        : Rig(key)
    {
    }
    template <class Ids>
    void make(Ids& own)
    {
        std::vector<uint16_t> keys;
        for (Key_id* key : {&own.keys.alarms_menu_key, &own.keys.settings_key, &own.keys.main_key})
            keys.push_back(this->record(*key, this->pool->key()));
        this->record(own.mask, this->pool->data_mask(this->pool->soft_key_mask(keys)));
    }
    void lists(std::array<Input_list_id, 4>& ids)
    {
        for (auto& id : ids)
            this->record(id, this->list_of(2));
    }
    void points(std::array<Input_number_id, 4>& ids)
    {
        for (auto& id : ids)
            this->record(id, this->pool->input_number(0, 10000000));
    }
    void cells(std::array<Container_id, 4>& left, std::array<Container_id, 4>& right)
    {
        for (int t = 0; t < 4; ++t) {
            this->record(left[t], this->pool->container());
            this->record(right[t], this->pool->container());
        }
    }

    NV_quvel::alarms_t& alarms() { return this->parameters->app.alarms; }
    // The records whose `enabled` is set, among all the alarm records.
    std::set<alarm_t*> enabled()
    {
        std::vector<alarm_t*> all;
        collect_alarms(alarms(), all);
        std::set<alarm_t*> on;
        for (alarm_t* a : all)
            if (a->enabled.get())
                on.insert(a);
        return on;
    }
    // Each list switched on writes `enabled` of exactly its records, and
    // switched off clears them again.
    void expect_lists_write(const std::vector<std::pair<uint16_t, std::set<alarm_t*>>>& rows)
    {
        for (const auto& [list, records] : rows) {
            SCOPED_TRACE(list);
            this->pick(list, 1);
            EXPECT_EQ(enabled(), records);
            this->pick(list, 0);
            EXPECT_TRUE(enabled().empty());
        }
    }
    void expect_tank_rows_follow_channels(uint16_t main_key, std::array<Container_id, 4>& left,
                                          std::array<Container_id, 4>& right)
    {
        this->channel(0).enabled.set(true);
        this->channel(2).enabled.set(true);
        this->start();
        for (int t = 0; t < 4; ++t) {
            const bool on = t == 0 || t == 2;
            EXPECT_EQ(this->hidden(left[t]), !on) << t;
            EXPECT_EQ(this->hidden(right[t]), !on) << t;
        }
        this->channel(1).enabled.set(true);
        this->pump();
        EXPECT_TRUE(this->hidden(left[1])) << "not before the next activation";
        this->add_target("main");
        this->press(main_key);
        this->man().switch_to_screen(this->screen->get_key());
        this->pump();
        EXPECT_FALSE(this->hidden(left[1]));
        EXPECT_FALSE(this->hidden(right[1]));
    }
};

struct Fan_alarms : Alarm_rig<FanAlarmsMask> {
    Fan_alarms()
        : Alarm_rig("fan_alarms_mask")
    {
        make(own);
        lists(own.lists);
        points(own.alarm_points);
    }
    Fan_alarms_ids& own = ids.fan_alarms;
};

}

TEST_F(Fan_alarms, a_row_writes_fans_1_and_2_only)
{
    start();
    auto& a = alarms();
    expect_lists_write({
        {own.lists[0], {a.fan_pressure_low[0], a.fan_pressure_low[1]}},
        {own.lists[1], {a.fan_pressure_high[0], a.fan_pressure_high[1]}},
        {own.lists[2], {a.fan_speed_low[0], a.fan_speed_low[1]}},
        {own.lists[3], {a.fan_speed_high[0], a.fan_speed_high[1]}},
    });
}

TEST_F(Fan_alarms, the_snapshot_shows_either_fan_enabled_the_larger_low_and_the_smaller_high_point)
{
    auto& a = alarms();
    a.fan_speed_low[1]->enabled.set(true);
    a.fan_pressure_high[2]->enabled.set(true); // fan 3: not shown
    a.fan_pressure_low[0]->threshold.set(2.0f);
    a.fan_pressure_low[1]->threshold.set(3.5f);
    a.fan_pressure_high[0]->threshold.set(9.0f);
    a.fan_pressure_high[1]->threshold.set(8.0f);
    a.fan_speed_low[0]->threshold.set(700.0f);
    a.fan_speed_high[1]->threshold.set(4000.0f);
    a.fan_speed_high[0]->threshold.set(4200.0f);
    start();
    const int shown_items[] = {0, 0, 1, 0};
    const double shown_points[] = {3.5, 8.0, 700.0, 4000.0};
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(screen->list(row).get_item(), shown_items[row]);
        EXPECT_DOUBLE_EQ(screen->point(row).get_val(), shown_points[row]);
    }
}

TEST_F(Fan_alarms, an_alarm_point_goes_to_both_fans_within_its_range)
{
    start();
    auto& a = alarms();
    const struct {
        int row;
        uint32_t raw; // tenths
        NV_store::NV_item_array<4, alarm_t>& records;
        float stored;
    } cases[] = {
        {0, 1000, a.fan_pressure_low, 100.0f},   {0, 1001, a.fan_pressure_low, 100.0f}, // refused
        {1, 55, a.fan_pressure_high, 5.5f},      {2, 200000, a.fan_speed_low, 20000.0f},
        {2, 200001, a.fan_speed_low, 20000.0f}, // refused
        {3, 12345, a.fan_speed_high, 1234.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        enter_number(own.alarm_points[c.row], c.raw);
        EXPECT_FLOAT_EQ(c.records[0]->threshold.get(), c.stored);
        EXPECT_FLOAT_EQ(c.records[1]->threshold.get(), c.stored);
        EXPECT_FLOAT_EQ(c.records[2]->threshold.get(), 0.0f);
    }
}

namespace {

template <class S>
struct Tank_pair_rig : Alarm_rig<S> {
    Tank_pair_rig(const char* key, Tank_alarm_pair_ids Seeder_pool_ids::*field)
        : Alarm_rig<S>(key), own(this->ids.*field)
    {
        this->make(own);
        this->lists(own.first_lists);
        this->lists(own.second_lists);
        this->cells(own.left_cells, own.right_cells);
    }
    Tank_alarm_pair_ids& own;
};
struct Tank_alarms : Tank_pair_rig<TankAlarmsMask> {
    Tank_alarms()
        : Tank_pair_rig("tank_alarms_mask", &Seeder_pool_ids::tank_alarms)
    {
    }
};
struct Tank_motor_alarms : Tank_pair_rig<TankMotorAlarmsMask> {
    Tank_motor_alarms()
        : Tank_pair_rig("tank_motor_alarms_mask", &Seeder_pool_ids::tank_motor_alarms)
    {
    }
};

template <class S>
struct Tank_row_rig : Alarm_rig<S> {
    Tank_row_rig(const char* key, Tank_alarm_row_ids Seeder_pool_ids::*field)
        : Alarm_rig<S>(key), own(this->ids.*field)
    {
        this->make(own);
        this->lists(own.lists);
        this->cells(own.left_cells, own.right_cells);
    }
    Tank_alarm_row_ids& own;
};
struct Shaft_alarms : Tank_row_rig<ShaftAlarmsMask> {
    Shaft_alarms()
        : Tank_row_rig("shaft_alarms_mask", &Seeder_pool_ids::shaft_alarms)
    {
    }
};
struct Tank_gear_alarms : Tank_row_rig<TankGearAlarmsMask> {
    Tank_gear_alarms()
        : Tank_row_rig("tank_gear_alarms_mask", &Seeder_pool_ids::tank_gear_alarms)
    {
    }
};

// Each tank's list to its own record of the array.
std::vector<std::pair<uint16_t, std::set<alarm_t*>>> per_tank(const std::array<Input_list_id, 4>& lists,
                                                              NV_store::NV_item_array<10, alarm_t>& records)
{
    std::vector<std::pair<uint16_t, std::set<alarm_t*>>> rows;
    for (int t = 0; t < 4; ++t)
        rows.push_back({lists[t], {records[t]}});
    return rows;
}

}

TEST_F(Tank_alarms, each_list_writes_its_tanks_record)
{
    start();
    expect_lists_write(per_tank(own.first_lists, alarms().tank_low));
    expect_lists_write(per_tank(own.second_lists, alarms().tank_empty));
}

TEST_F(Tank_alarms, rows_of_disabled_tanks_are_hidden_at_each_activation)
{
    expect_tank_rows_follow_channels(own.keys.main_key, own.left_cells, own.right_cells);
}

TEST_F(Tank_motor_alarms, each_list_writes_its_tanks_record_and_rows_follow_the_tanks)
{
    alarms().tank_motor_jam[2]->enabled.set(true);
    expect_tank_rows_follow_channels(own.keys.main_key, own.left_cells, own.right_cells);
    EXPECT_EQ(screen->list(6).get_item(), 1) << "tank 3's jam alarm";
    alarms().tank_motor_jam[2]->enabled.set(false);
    expect_lists_write(per_tank(own.first_lists, alarms().tank_motor_sensor));
    expect_lists_write(per_tank(own.second_lists, alarms().tank_motor_jam));
}

TEST_F(Shaft_alarms, each_list_writes_its_tanks_record_and_rows_follow_the_tanks)
{
    expect_tank_rows_follow_channels(own.keys.main_key, own.left_cells, own.right_cells);
    expect_lists_write(per_tank(own.lists, alarms().tank_shaft));
}

TEST_F(Tank_gear_alarms, each_list_writes_its_tanks_record_and_rows_follow_the_tanks)
{
    expect_tank_rows_follow_channels(own.keys.main_key, own.left_cells, own.right_cells);
    expect_lists_write(per_tank(own.lists, alarms().tank_gear));
}

namespace {

struct Tank_pressure_alarms : Alarm_rig<TankPressureAlarmsMask> {
    Tank_pressure_alarms()
        : Alarm_rig("tank_pressure_alarms_mask")
    {
        make(own);
        lists(own.low_lists);
        lists(own.high_lists);
        points(own.low_points);
        points(own.high_points);
        cells(own.left_cells, own.right_cells);
    }
    Tank_pressure_alarms_ids& own = ids.tank_pressure_alarms;
};

}

TEST_F(Tank_pressure_alarms, lists_and_points_write_their_tanks_record_within_the_range)
{
    alarms().liquid_pressure_max[3]->threshold.set(77.5f);
    expect_tank_rows_follow_channels(own.keys.main_key, own.left_cells, own.right_cells);
    EXPECT_DOUBLE_EQ(screen->point(7).get_val(), 77.5) << "tank 4's own high point";
    expect_lists_write(per_tank(own.low_lists, alarms().liquid_pressure_min));
    expect_lists_write(per_tank(own.high_lists, alarms().liquid_pressure_max));

    const struct {
        uint16_t point;
        uint32_t raw;
        alarm_t* record;
        float stored;
    } cases[] = {
        {own.high_points[1], 100000, alarms().liquid_pressure_max[1], 10000.0f},
        {own.high_points[1], 100001, alarms().liquid_pressure_max[1], 10000.0f}, // refused
        {own.low_points[2], 25, alarms().liquid_pressure_min[2], 2.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        enter_number(c.point, c.raw);
        EXPECT_FLOAT_EQ(c.record->threshold.get(), c.stored);
    }
    EXPECT_FLOAT_EQ(alarms().liquid_pressure_max[2]->threshold.get(), 0.0f);
    EXPECT_FLOAT_EQ(alarms().liquid_pressure_min[1]->threshold.get(), 0.0f);
}

namespace {

struct Other_alarms : Alarm_rig<OtherAlarmsMask> {
    Other_alarms()
        : Alarm_rig("other_alarms_mask")
    {
        make(own);
        lists(own.lists);
    }
    Other_alarms_ids& own = ids.other_alarms;
};

struct No_flow_alarms : Alarm_rig<NoFlowAlarmsMask> {
    No_flow_alarms()
        : Alarm_rig("no_flow_alarms_mask")
    {
        make(own);
        lists(own.lists);
    }
    No_flow_alarms_ids& own = ids.no_flow_alarms;
};

}

TEST_F(Other_alarms, the_all_tank_rows_write_tanks_1_to_4_and_show_tank_1)
{
    auto& a = alarms();
    a.tank_off_master_on[2]->enabled.set(true);
    a.tank_alt_rate_in_use[0]->enabled.set(true);
    start();
    EXPECT_EQ(screen->list(0).get_item(), 0) << "tank 3's record alone";
    EXPECT_EQ(screen->list(1).get_item(), 1);
    a.tank_off_master_on[2]->enabled.set(false);
    a.tank_alt_rate_in_use[0]->enabled.set(false);

    expect_lists_write({
        {own.lists[0], {a.tank_off_master_on[0], a.tank_off_master_on[1], a.tank_off_master_on[2],
                        a.tank_off_master_on[3]}},
        {own.lists[1], {a.tank_alt_rate_in_use[0], a.tank_alt_rate_in_use[1], a.tank_alt_rate_in_use[2],
                        a.tank_alt_rate_in_use[3]}},
        {own.lists[2], {&a.case_drain}},
        {own.lists[3], {&a.blocked_head}},
    });
}

TEST_F(No_flow_alarms, each_list_writes_its_record)
{
    auto& a = alarms();
    a.no_flow_no_fan.enabled.set(true);
    start();
    EXPECT_EQ(screen->list(2).get_item(), 1);
    a.no_flow_no_fan.enabled.set(false);
    expect_lists_write({
        {own.lists[0], {&a.no_flow_tanks_off}},
        {own.lists[1], {&a.no_flow_no_speed}},
        {own.lists[2], {&a.no_flow_no_fan}},
        {own.lists[3], {&a.no_flow_no_fan_pressure}},
    });
}
