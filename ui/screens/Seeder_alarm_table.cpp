#include "ui/screens/Seeder_alarm_table.h"

namespace {

using NV_quvel::alarm_t;

class Table {
public:
    // The alarm whose mask is entry `mask` of the pool's alarm list.
    void add(size_t mask, ds_alarm& record, alarm_t* setting)
    {
        rows_[n_++] = {VT::Seeder_texts::alarms[mask].key, &record, setting};
    }
    // `count` alarms of a family whose masks follow each other from `first`.
    template <size_t R, unsigned S>
    void add(size_t first, size_t count, ds_alarm (&records)[R], NV_store::NV_item_array<S, alarm_t>& settings)
    {
        static_assert(R >= 4 && S >= 4);
        for (size_t i = 0; i < count; ++i)
            add(first + i, records[i], settings[int(i)]);
    }
    const std::array<Seeder_alarm, seeder_alarm_count>& rows() const { return rows_; }

private:
    std::array<Seeder_alarm, seeder_alarm_count> rows_{};
    size_t n_ = 0;
};

constexpr size_t tanks = 4;

}

std::array<Seeder_alarm, seeder_alarm_count> seeder_alarms(ds_alarms& a, NV_quvel::alarms_t& s)
{
    // The numbers are the masks' places in the pool's alarm list, whose
    // order the pool's IDs fix; the screens are made in the store's order.
    Table t;
    t.add(0, a.fan_pressure_low, s.fan_pressure_low[0]);
    t.add(1, a.fan_pressure_high, s.fan_pressure_high[0]);
    t.add(2, a.fan_speed_low, s.fan_speed_low[0]);
    t.add(3, a.fan_speed_high, s.fan_speed_high[0]);
    t.add(4, 2, a.fan_sensor_fail, s.fan_sensor_fail);
    t.add(6, tanks, a.tank_low, s.tank_low);
    t.add(10, tanks, a.tank_empty, s.tank_empty);
    t.add(55, tanks, a.liquid_pressure_min, s.liquid_pressure_min);
    t.add(59, tanks, a.liquid_pressure_max, s.liquid_pressure_max);
    t.add(14, a.temperature, &s.temperature);
    t.add(43, tanks, a.tank_motor_sensor, s.tank_motor_sensor);
    t.add(47, tanks, a.tank_motor_jam, s.tank_motor_jam);
    t.add(15, tanks, a.tank_shaft, s.tank_shaft);
    t.add(51, tanks, a.tank_gear, s.tank_gear);
    t.add(19, tanks, a.tank_alt_rate_in_use, s.tank_alt_rate_in_use);
    t.add(23, tanks, a.tank_incorrect_rate, s.tank_incorrect_rate);
    t.add(27, tanks, a.tank_off_master_on, s.tank_off_master_on);
    t.add(31, a.no_flow_tanks_off, &s.no_flow_tanks_off);
    t.add(32, a.no_flow_no_speed, &s.no_flow_no_speed);
    t.add(33, a.no_flow_no_fan, &s.no_flow_no_fan);
    t.add(34, a.no_flow_no_fan_pressure, &s.no_flow_no_fan_pressure);
    t.add(35, a.master_off, &s.master_off);
    t.add(36, a.no_comms, &s.no_comms);
    t.add(37, a.case_drain, &s.case_drain);
    t.add(38, a.blocked_head, &s.blocked_head);
    t.add(39, tanks, a.shaft_moving_tank_off, s.shaft_moving_tank_off);
    return t.rows();
}
