#include "control_logic/Alarm_list.h"
#include "params/alarms_t.h"

Alarm_list::Alarm_list(Data_store& store, NV_quvel::alarms_t& settings) : store_(store)
{
    ds_alarms& a = store_.body.alarms;
    // The four fan alarms are single records but have a setting per fan: the
    // record takes fan 0's setting; the fan tests use each fan's own threshold.
    add(a.fan_pressure_low, settings.fan_pressure_low[0]);
    add(a.fan_pressure_high, settings.fan_pressure_high[0]);
    add(a.fan_speed_low, settings.fan_speed_low[0]);
    add(a.fan_speed_high, settings.fan_speed_high[0]);
    for (int k = 0; k < 4; ++k)
        add(a.fan_sensor_fail[k], settings.fan_sensor_fail[k]);
    for (int i = 0; i < 10; ++i)
        add(a.tank_low[i], settings.tank_low[i]);
    for (int i = 0; i < 10; ++i)
        add(a.tank_empty[i], settings.tank_empty[i]);
    for (int i = 0; i < 10; ++i)
        add(a.liquid_pressure_min[i], settings.liquid_pressure_min[i]);
    for (int i = 0; i < 10; ++i)
        add(a.liquid_pressure_max[i], settings.liquid_pressure_max[i]);
    add(a.temperature, &settings.temperature);
    for (int i = 0; i < 10; ++i)
        add(a.tank_motor_sensor[i], settings.tank_motor_sensor[i]);
    for (int i = 0; i < 10; ++i)
        add(a.tank_motor_jam[i], settings.tank_motor_jam[i]);
    for (int i = 0; i < 10; ++i)
        add(a.tank_gear[i], settings.tank_gear[i]);
    for (int i = 0; i < 10; ++i)
        add(a.tank_shaft[i], settings.tank_shaft[i]);
    for (int i = 0; i < 10; ++i)
        add(a.tank_alt_rate_in_use[i], settings.tank_alt_rate_in_use[i]);
    for (int i = 0; i < 10; ++i)
        add(a.tank_incorrect_rate[i], settings.tank_incorrect_rate[i]);
    for (int i = 0; i < 10; ++i)
        add(a.tank_off_master_on[i], settings.tank_off_master_on[i]);
    for (int i = 0; i < 10; ++i)
        add(a.tank_active_no_rate[i], settings.tank_active_no_rate[i]);
    add(a.no_flow_tanks_off, &settings.no_flow_tanks_off);
    add(a.no_flow_no_speed, &settings.no_flow_no_speed);
    add(a.no_flow_no_fan, &settings.no_flow_no_fan);
    add(a.no_flow_no_fan_pressure, &settings.no_flow_no_fan_pressure);
    add(a.master_off, &settings.master_off);
    add(a.no_comms, &settings.no_comms);
    add(a.blocked_head, &settings.blocked_head);
    for (int i = 0; i < 10; ++i)
        add(a.shaft_moving_tank_off[i], settings.shaft_moving_tank_off[i]);
    for (int i = 0; i < 10; ++i)
        add(a.tank_no_liquid_flow[i], settings.tank_no_liquid_flow[i]);
    add(a.section_switching, &settings.section_switching);
    for (int k = 0; k < 4; ++k)
        add(a.pump_speed_low[k], settings.pump_speed_low[k]);
    for (int k = 0; k < 4; ++k)
        add(a.pump_speed_high[k], settings.pump_speed_high[k]);
    add(a.case_drain, &settings.case_drain);
    add(a.ladder_switch, &settings.ladder_switch);
    add(a.aux_rpm_speed_low, &settings.aux_rpm_speed_low);
    add(a.aux_rpm_speed_high, &settings.aux_rpm_speed_high);
    add(a.down_force_off_master_on, &settings.down_force_off_master_on);
    add(a.drill_raised_master_on, &settings.drill_raised_master_on);
    add(a.hydraulic_pressure_low, &settings.hydraulic_pressure_low);
    add(a.master_on_tillage_off, &settings.master_on_tillage_off);
}

void Alarm_list::add(ds_alarm& record, const NV_quvel::alarm_t* setting)
{
    entries_.push_back({&record, setting, 0, false, false, false});
}

void Alarm_list::delay_step(bool calibrating)
{
    for (Entry& e : entries_) {
        store_.head.lock();
        ds_alarm record = *e.record;
        store_.head.unlock();
        // Every second over every alarm: only a change is written.
        if (calibrating || !e.setting->enabled.get() || !record.triggered) {
            store_.head.set_changed(*e.record, ds_alarm{});
            e.countdown = 0;
            e.started = e.raised = e.is_new = false;
            continue;
        }
        if (!e.started) {
            e.started = true;
            e.countdown = e.setting->delay_count.get();
            if (e.countdown == 0)
                e.raised = e.is_new = true;
        } else if (e.countdown > 0 && --e.countdown == 0) {
            e.raised = e.is_new = true;
        }
        record.pending = e.started;
        record.new_alarm = e.is_new;
        record.active = e.raised;
        store_.head.set_changed(*e.record, record);
    }
}
