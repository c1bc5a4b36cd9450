#include "control_logic/Alarm_list.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/waiter_descriptor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Alarms : ::testing::Test {
    Data_store store{nullptr, "0.1.0"};
    NV_quvel::parameters_t parameters;
    Alarm_list list{store, parameters.app.alarms};

    ds_alarm read(const ds_alarm& record)
    {
        store.head.lock();
        ds_alarm r = record;
        store.head.unlock();
        return r;
    }
};

TEST_F(Alarms, every_record_has_one_entry)
{
    EXPECT_EQ(list.size(), sizeof(ds_alarms) / sizeof(ds_alarm));
    EXPECT_EQ(list.size(), 173u);
}

// One record through a run of steps: 'T' triggered, '.' not, 'C' triggered
// during a tank calibration. Each step's expected flags: 'A' active (and
// pending), 'P' pending only, '-' neither.
TEST_F(Alarms, delay_step)
{
    struct Case {
        const char* name;
        uint8_t delay_count;
        bool enabled;
        std::string steps;
        std::string expected;
    };
    const Case cases[] = {
        {"no delay: active at the first step", 0, true, "TT", "AA"},
        {"delay 3: pending first, active at the fourth", 3, true, "TTTTT", "PPPAA"},
        {"a one-step gap restarts the delay", 2, true, "TT.TTT", "PP-PPA"},
        {"a calibration clears everything", 0, true, "TCT", "A-A"},
        {"a disabled setting never raises", 0, false, "TTT", "---"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Alarm_list fresh{store, parameters.app.alarms};
        NV_quvel::alarm_t& setting = *parameters.app.alarms.tank_active_no_rate[3];
        setting.delay_count.set(c.delay_count);
        setting.enabled.set(c.enabled);
        ds_alarm& record = store.body.alarms.tank_active_no_rate[3];
        store.head.set(record, ds_alarm{});
        for (size_t i = 0; i < c.steps.size(); ++i) {
            store.head.set(record.triggered, c.steps[i] != '.');
            fresh.delay_step(c.steps[i] == 'C');
            const ds_alarm r = read(record);
            const char got = r.active ? 'A' : r.pending ? 'P' : '-';
            EXPECT_EQ(got, c.expected[i]) << "step " << i;
            EXPECT_EQ(r.active && r.pending, r.active) << "step " << i;
        }
    }
}

TEST_F(Alarms, new_alarm_follows_active_and_a_cleared_trigger_clears_acknowledged)
{
    NV_quvel::alarm_t& setting = parameters.app.alarms.master_off;
    setting.enabled.set(true);
    ds_alarm& record = store.body.alarms.master_off;
    store.head.set(record.triggered, true);
    list.delay_step(false);
    EXPECT_TRUE(read(record).new_alarm);
    store.head.set(record.acknowledged, true);
    list.delay_step(false);
    EXPECT_TRUE(read(record).acknowledged) << "kept while the alarm holds";
    store.head.set(record.triggered, false);
    list.delay_step(false);
    const ds_alarm r = read(record);
    EXPECT_FALSE(r.acknowledged || r.triggered || r.new_alarm || r.pending || r.active);
}

TEST_F(Alarms, a_step_that_changes_no_record_writes_none)
{
    NV_quvel::alarm_t& setting = parameters.app.alarms.master_off;
    setting.enabled.set(true);
    setting.delay_count.set(1);
    waiter_descriptor listener;
    const unsigned offset = store.head.offset_of(&store.body.alarms);
    const uint32_t word = CDS::event_word(&store.body.alarms, sizeof store.body.alarms);
    store.head.event_register(&listener, offset, sizeof store.body.alarms, CDS::reg_change, word, nullptr, nullptr);

    list.delay_step(false); // every record clear already
    EXPECT_EQ(listener.pending(), 0u);
    store.head.set(store.body.alarms.master_off.triggered, true);
    list.delay_step(false); // pending
    list.delay_step(false); // active
    list.delay_step(false); // as it was
    EXPECT_EQ(listener.pending(), 3u) << "the trigger, then pending, then active";
    store.head.event_unregister(&listener, offset, sizeof store.body.alarms, CDS::reg_change, word, nullptr, nullptr);
}

// The records and the settings are kept in different orders: each record
// must take the setting of its own name.
TEST_F(Alarms, records_pair_with_settings_by_name)
{
    struct Case {
        ds_alarm& record;
        NV_quvel::alarm_t& setting;
    };
    NV_quvel::alarms_t& s = parameters.app.alarms;
    ds_alarms& a = store.body.alarms;
    const Case cases[] = {
        {a.tank_gear[2], *s.tank_gear[2]},
        {a.tank_shaft[2], *s.tank_shaft[2]},
        {a.tank_active_no_rate[9], *s.tank_active_no_rate[9]},
        {a.case_drain, s.case_drain},
        {a.ladder_switch, s.ladder_switch},
        {a.fan_speed_low, *s.fan_speed_low[0]},
        {a.pump_speed_high[1], *s.pump_speed_high[1]},
        {a.master_on_tillage_off, s.master_on_tillage_off},
    };
    for (const Case& c : cases) {
        Alarm_list fresh{store, s};
        store.head.set(c.record.triggered, true);
        fresh.delay_step(false);
        EXPECT_FALSE(read(c.record).active) << "disabled";
        c.setting.enabled.set(true);
        store.head.set(c.record.triggered, true);
        fresh.delay_step(false);
        EXPECT_TRUE(read(c.record).active);
        c.setting.enabled.set(false);
    }
}

}
