#include "tests/control_logic/Controller_rig.h"

#include <gtest/gtest.h>

namespace {

struct Queries : Controller_rig {
    State_queries queries{store, parameters.app};
};

TEST(State_queries, speed_present_above_2_cm_per_s)
{
    Queries q;
    q.write(q.store.body.vehicle.source_speed, 0.02f);
    EXPECT_FALSE(q.queries.speed_present());
    q.write(q.store.body.vehicle.source_speed, 0.021f);
    EXPECT_TRUE(q.queries.speed_present());
}

TEST(State_queries, master_allowed_by_display_mode)
{
    struct Case {
        bool inhibit, non_vtt, tc_alive, vt_uploaded;
        bool allowed, ui_ready;
    };
    const Case cases[] = {
        {false, false, false, true, true, true},  {false, false, true, false, false, false},
        {false, true, true, false, true, true},   {false, true, false, true, false, false},
        {true, false, false, true, false, true},  {true, true, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.inhibit << c.non_vtt << c.tc_alive << c.vt_uploaded);
        Queries q;
        q.write(q.store.body.operation.inhibit_master_switch, c.inhibit);
        q.write(q.store.body.system.non_vtt_connected, c.non_vtt);
        q.write(q.store.body.system.tc_alive, c.tc_alive);
        q.write(q.store.body.system.vt_uploaded, c.vt_uploaded);
        EXPECT_EQ(q.queries.master_allowed(), c.allowed);
        EXPECT_EQ(q.queries.user_interface_ready(), c.ui_ready);
        EXPECT_EQ(q.queries.vt_mode(), !c.non_vtt);
    }
}

TEST(State_queries, run_condition_with_the_tillage_rule)
{
    struct Case {
        bool using_tillage, tillage, master, allowed;
        int32_t calibration;
        bool run;
    };
    const Case cases[] = {
        {false, false, true, true, 0, true},  {false, false, false, true, 0, false},
        {false, false, true, false, 0, false}, {true, false, true, true, 0, false},
        {true, true, true, true, 0, true},    {true, false, true, true, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.using_tillage << c.tillage << c.master << c.allowed << c.calibration);
        Queries q;
        q.app().using_tillage_master_switch.set(c.using_tillage);
        q.write(q.store.body.operation.tillage_switch_active, c.tillage);
        q.write(q.store.body.operation.master_switch_active, c.master);
        q.write(q.store.body.operation.inhibit_master_switch, !c.allowed);
        q.write(q.store.body.system.vt_uploaded, true);
        q.write(q.store.body.operation.calibration_state, c.calibration);
        EXPECT_EQ(q.queries.run_condition(), c.run);
        EXPECT_EQ(q.queries.calibrating(), c.calibration != 0);
        EXPECT_EQ(q.queries.calibration_run(), c.calibration == 1);
    }
}

TEST(State_queries, channel_running)
{
    struct Case {
        bool enabled, to_rpm, master, preload, active;
        bool running;
    };
    const Case cases[] = {
        {true, false, true, false, true, true},  {true, false, true, false, false, false},
        {false, true, true, true, true, false},  {true, true, false, false, true, true},
        {true, false, false, true, true, true},  {true, false, false, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enabled << c.to_rpm << c.master << c.preload << c.active);
        Queries q;
        q.channel(6).enabled.set(c.enabled);
        q.channel(6).control_to_rpm.set(c.to_rpm);
        if (c.master)
            q.master_on();
        q.write(q.ds(6).remote_preload, c.preload);
        q.write(q.ds(6).active, c.active);
        EXPECT_EQ(q.queries.channel_running(6), c.running);
        EXPECT_EQ(q.queries.remote_preload(6), c.preload);
        EXPECT_EQ(q.queries.any_remote_preload(), c.preload);
    }
}

TEST(State_queries, boom_has_no_active_tank)
{
    Queries q;
    q.channel(2).assigned_to_boom.set(3);
    q.channel(2).enabled.set(true);
    EXPECT_TRUE(q.queries.boom_has_no_active_tank(3));
    q.write(q.ds(2).active, true);
    EXPECT_FALSE(q.queries.boom_has_no_active_tank(3));
    EXPECT_TRUE(q.queries.boom_has_no_active_tank(0));
    q.channel(2).enabled.set(false);
    EXPECT_TRUE(q.queries.boom_has_no_active_tank(3));
}

TEST(State_queries, section_state_is_the_setpoint_work_state_in_every_mode)
{
    struct Case {
        const char* what;
        bool non_vtt, coverage, priming;
        int boom, downforce_boom;
        uint32_t state;
    };
    // Setpoint work state 1, actual work state 2 (the boom step's own output).
    const Case cases[] = {
        {"display, coverage in use", true, true, false, 1, 0, 1},
        {"VT mode", false, true, false, 1, 0, 1},
        {"display, no coverage", true, false, false, 1, 0, 1},
        {"priming", true, true, true, 1, 0, 1},
        {"the downforce boom", true, true, false, 1, 1, 1},
        {"a boom out of range", true, true, false, 6, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Queries q;
        q.app().downforces[0]->assigned_to_boom.set(uint8_t(c.downforce_boom));
        q.write(q.store.body.system.non_vtt_connected, c.non_vtt);
        ds_boom& boom = q.store.body.booms.boom[1];
        q.write(boom.use_asc_coverage, c.coverage);
        q.write(boom.sections[7].setpoint_work_state, 1u);
        q.write(boom.sections[7].actual_work_state, 2u);
        q.write(q.ds(0).remote_preload, c.priming);
        q.write(q.store.body.operation.priming, c.priming);
        EXPECT_EQ(q.queries.section_state(c.boom, 7), c.state);
        EXPECT_EQ(q.queries.section_states(c.boom)[7], c.state);
    }
    Queries q;
    q.write(q.store.body.booms.boom[5].sections[9].setpoint_work_state, 3u);
    EXPECT_EQ(q.queries.section_state(5, 10), 0u) << "no section 10";
    EXPECT_EQ(q.queries.section_state(5, -1), 0u);
    EXPECT_EQ(q.queries.section_states(5)[9], 3u);
    EXPECT_EQ(q.queries.section_states(-1)[0], 0u);
}

TEST(State_queries, the_name_of_the_ecu_at_an_address)
{
    Queries q;
    ds_isoecu* list = q.store.body.ecu_config.isoecu_list;
    q.write(list[3], ds_isoecu{0xA00000000000002Bull, 0x26, 7});
    q.write(list[7], ds_isoecu{0x1122, 0x80, 2});
    q.write(list[30], ds_isoecu{0x3344, 0x80, 2});
    q.write(list[12], ds_isoecu{0, 0x90, 0}); // an empty slot
    EXPECT_EQ(uint64_t(q.queries.isoecu_name(0x26)), 0xA00000000000002Bull);
    EXPECT_EQ(q.queries.isoecu_name(0x80), 0x1122) << "the first of two";
    EXPECT_EQ(q.queries.isoecu_name(0x90), -1);
    EXPECT_EQ(q.queries.isoecu_name(0), -1) << "empty slots hold address 0";
    EXPECT_EQ(q.queries.isoecu_name(0xFE), -1);
}

TEST(State_queries, cultural_practise_by_mode_and_product)
{
    struct Case {
        uint8_t mode, product;
        int32_t practise;
    };
    const Case cases[] = {{0, 0, 2}, {0, 1, 1}, {0, 2, 0}, {1, 0, 1}, {2, 5, 1}, {3, 0, 0}};
    for (const Case& c : cases) {
        Queries q;
        q.channel(8).mode.set(c.mode);
        q.channel(8).product_type.set(c.product);
        q.queries.update_cultural_practise(8);
        EXPECT_EQ(q.read(q.ds(8).cultural_practise), c.practise) << int(c.mode) << " " << int(c.product);
    }
}

TEST(State_queries, drill_control_only_with_a_non_vt_display)
{
    Queries q;
    q.app().drill_control_enabled.set(true);
    EXPECT_FALSE(q.queries.is_drill_control_enabled());
    q.write(q.store.body.system.non_vtt_connected, true);
    EXPECT_TRUE(q.queries.is_drill_control_enabled());
    q.app().drill_control_enabled.set(false);
    EXPECT_FALSE(q.queries.is_drill_control_enabled());
}

}
