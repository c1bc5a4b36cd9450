#include "tests/control_logic/Controller_rig.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

size_t count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

struct Section_rig : Controller_rig {
    ds_section& section(int boom, int s) { return store.body.booms.boom[boom].sections[s]; }
    NV_quvel::boom_t& boom(int b) { return *app().booms.booms[b]; }
    void steps(int n)
    {
        for (int i = 0; i < n; ++i)
            controller->boom_section_step();
    }
};

TEST(Boom_sections, a_section_works_at_once_and_delivers_after_its_own_times)
{
    // Channel 0 on the display's section 0 of boom 0 (3 m), measuring the
    // 100 kg/ha it is asked for; its drive switches without delay.
    Section_rig rig;
    rig.write(rig.store.body.system.non_vtt_connected, true);
    rig.granular_channel(0);
    rig.boom(0).num_sections.set(1);
    rig.boom(0).sections[0]->on_time.set(0.5);
    rig.boom(0).sections[0]->off_time.set(0.2);
    rig.boom(0).sections[0]->width.set(3.0);
    rig.controller->refresh_parameters();
    rig.write(rig.store.body.system.tc_alive, true); // the display's master
    rig.master_on();
    rig.write(rig.ds(0).controller_section_state, 1u);
    rig.write(rig.ds(0).requested_rate, 100.0);
    rig.write(rig.ds(0).actual_period, 600000u);
    rig.controller->tick_500ms();
    rig.write(rig.ds(0).set_period, 1000u);
    rig.steps(20);

    ds_section& section = rig.section(0, 0);
    rig.write(section.setpoint_work_state, 1u);
    for (int tick = 1; tick <= 8; ++tick) {
        rig.controller->boom_section_step();
        EXPECT_EQ(rig.read(section.actual_work_state), 1u) << tick;
        EXPECT_EQ(rig.read(section.delayed_work_state), tick > 5 ? 1 : 0) << tick;
    }
    rig.write(section.setpoint_work_state, 0u);
    for (int tick = 1; tick <= 4; ++tick) {
        rig.controller->boom_section_step();
        EXPECT_EQ(rig.read(section.actual_work_state), 0u) << tick;
        EXPECT_EQ(rig.read(section.delayed_work_state), tick > 2 ? 0 : 1) << tick;
    }
}

TEST(Boom_sections, with_the_display_a_section_follows_its_setpoint_work_state_on_every_boom)
{
    // A granular channel of 100 kg/ha at 10 km/h on one 6 m section, its
    // drive measured at the period asked for, the display's master on; the
    // section switched off, on and off again through its setpoint work state.
    for (uint8_t boom : {1, 0}) {
        SCOPED_TRACE(testing::Message() << "boom " << int(boom));
        Section_rig rig;
        rig.write(rig.store.body.system.non_vtt_connected, true);
        rig.granular_channel(0);
        rig.channel(0).assigned_to_boom.set(boom);
        rig.channel(0).tank_on_time.set(0.1f);
        rig.channel(0).tank_off_time.set(0.1f);
        rig.boom(boom).num_sections.set(1);
        rig.boom(boom).sections[0]->width.set(6.0);
        rig.boom(boom).sections[0]->on_time.set(0.1);
        rig.boom(boom).sections[0]->off_time.set(0.1);
        rig.controller->refresh_parameters();
        rig.write(rig.store.body.system.tc_alive, true);
        rig.master_on();
        rig.write(rig.ds(0).controller_section_state, 1u);
        rig.write(rig.ds(0).requested_rate, 100.0);
        ds_section& section = rig.section(boom, 0);
        for (uint32_t setpoint : {0u, 1u, 0u}) {
            SCOPED_TRACE(testing::Message() << "setpoint " << setpoint);
            rig.write(section.setpoint_work_state, setpoint);
            for (int half_second = 0; half_second < 6; ++half_second) {
                for (int tick = 0; tick < 5; ++tick)
                    rig.controller->tick_100ms();
                rig.write(rig.ds(0).actual_period, rig.read(rig.ds(0).set_period));
                rig.controller->tick_500ms();
            }
            EXPECT_TRUE(rig.read(rig.store.body.booms.boom[boom].use_asc_coverage));
            EXPECT_EQ(rig.read(section.actual_work_state), setpoint);
            EXPECT_EQ(rig.read(section.delayed_work_state), setpoint);
            EXPECT_EQ(rig.read(rig.ds(0).active_width), setpoint * 6.0);
        }
    }
}

TEST(Boom_sections, latency_and_rate_window)
{
    struct Case {
        const char* what;
        bool non_vtt;
        int32_t calibration;
        float latency;
        int32_t window;
    };
    const Case cases[] = {
        {"VT: every delay 0.1 s", false, 0, 0.2f, 300},
        {"display: section mean 0.35 s and tank mean 0.3 s", true, 0, 0.65f, 750},
        {"display, tank calibration: 0.1 s each", true, 1, 0.2f, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Section_rig rig;
        rig.write(rig.store.body.system.non_vtt_connected, c.non_vtt);
        rig.write(rig.store.body.operation.calibration_state, c.calibration);
        rig.channel(0).tank_on_time.set(0.4f);
        rig.channel(0).tank_off_time.set(0.2f);
        rig.boom(0).num_sections.set(1);
        rig.boom(0).sections[0]->on_time.set(0.5);
        rig.boom(0).sections[0]->off_time.set(0.2);
        rig.controller->refresh_parameters();
        rig.controller->update_delay_times();
        EXPECT_FLOAT_EQ(rig.read(rig.ds(0).physical_setpoint_time_latency), c.latency);
        EXPECT_EQ(rig.controller->rate_delay(0).window(), c.window);
    }
}

TEST(Boom_sections, the_rate_on_the_ground)
{
    // Channel 0 measures 3e7 / period kg/ha (6 m at 10 km/h); its filter
    // takes every reading as it is.
    struct Case {
        const char* what;
        double requested;
        int32_t rate_control_mode;
        uint32_t periods[2]; // 500 ms ticks
        double actual_rate;
        double width;
    };
    const Case cases[] = {
        {"within 5 %: the request", 100.0, 0, {291262, 291262}, 100.0, 6.0},
        {"off, unsettled: the measured rate", 100.0, 0, {272727, 272727}, 110.0, 6.0},
        {"off, settling: the request", 100.0, 1, {300000, 272727}, 100.0, 6.0},
        {"no request: nothing delivered", 0.0, 0, {300000, 300000}, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Section_rig rig;
        rig.granular_channel(0);
        rig.channel(0).filter_rate.set(false);
        rig.boom(0).num_sections.set(1);
        rig.boom(0).sections[0]->width.set(6.0);
        rig.controller->refresh_parameters();
        rig.master_on();
        rig.write(rig.ds(0).rate_control_mode, c.rate_control_mode);
        rig.write(rig.ds(0).requested_rate, c.requested);
        rig.write(rig.section(0, 0).setpoint_work_state, 1u);
        for (uint32_t period : c.periods) {
            rig.write(rig.ds(0).actual_period, period);
            rig.controller->tick_500ms();
        }
        for (int tick = 0; tick < 5; ++tick)
            rig.controller->tick_100ms();
        EXPECT_NEAR(rig.read(rig.ds(0).actual_rate), c.actual_rate, 1e-3);
        EXPECT_EQ(rig.read(rig.ds(0).active_width), c.width);
    }
}

TEST(Boom_sections, a_section_works_while_either_of_two_channels_on_its_boom_drives)
{
    Section_rig rig;
    rig.boom(0).num_sections.set(2);
    rig.controller->refresh_parameters();
    rig.controller->update_delay_times();
    for (int s = 0; s < 2; ++s)
        rig.write(rig.section(0, s).setpoint_work_state, 1u);
    rig.write(rig.ds(0).set_period, 1000u);
    rig.steps(3);
    EXPECT_EQ(rig.read(rig.section(0, 1).actual_work_state), 1u);
    rig.write(rig.ds(0).set_period, 0u);
    rig.write(rig.ds(1).set_period, 1000u);
    for (int tick = 0; tick < 5; ++tick) {
        rig.controller->boom_section_step();
        EXPECT_EQ(rig.read(rig.section(0, 1).actual_work_state), 1u) << tick;
    }
    rig.write(rig.ds(1).set_period, 0u);
    rig.steps(2);
    EXPECT_EQ(rig.read(rig.section(0, 1).actual_work_state), 0u);
}

TEST(Boom_sections, the_drill_lift_works_the_sections_of_the_downforce_boom)
{
    Section_rig rig;
    rig.boom(1).num_sections.set(3);
    rig.app().downforces[0]->assigned_to_boom.set(1);
    rig.app().drill_control_enabled.set(true);
    rig.controller->refresh_parameters();
    rig.controller->update_delay_times();
    rig.write(rig.section(1, 0).setpoint_work_state, 1u);
    bool& lift = rig.store.body.operation.setpoint_drill_lift;
    for (bool lifted : {true, false}) {
        SCOPED_TRACE(lifted);
        rig.write(lift, lifted);
        rig.controller->boom_section_step();
        EXPECT_EQ(rig.read(rig.section(1, 0).actual_work_state), uint32_t(!lifted)); // one tick late
        rig.controller->boom_section_step();
        // The VT's leading delay makes four: sections 0 to 3.
        for (int s = 0; s < 10; ++s) {
            EXPECT_EQ(rig.read(rig.section(1, s).actual_work_state), uint32_t(lifted && s < 4)) << s;
            EXPECT_EQ(rig.read(rig.section(1, s).delayed_work_state), lifted && s < 4 ? 1 : 0) << s;
        }
    }
}

TEST(Boom_sections, the_first_second_of_the_master_asks_for_preloads_and_holds_asc_coverage_off_while_standing)
{
    Debug_capture capture;
    Section_rig rig;
    rig.granular_channel(0);
    rig.granular_channel(1);
    rig.app().speed_source.set(4);
    rig.app().preload_time.set(30.0f);
    rig.controller->refresh_parameters();
    rig.write(rig.store.body.operation.use_manual_speed, false);
    rig.controller->ground_speed_step();
    rig.write(rig.ds(0).product_assigned, true); // channel 1 has none
    rig.write(rig.ds(0).requested_rate, 100.0);
    rig.write(rig.ds(1).requested_rate, 100.0);
    rig.controller->update_delay_times();
    rig.steps(5);
    rig.master_on();

    bool& coverage = rig.store.body.booms.boom[0].use_asc_coverage;
    for (int tick = 1; tick <= 12; ++tick) {
        rig.controller->boom_section_step();
        EXPECT_FALSE(rig.read(coverage)) << tick;
    }
    const std::string said = capture.text();
    EXPECT_EQ(count(said, "Tank Index=0: SetPreloadTimer = 60\n"), 1u) << said;
    EXPECT_EQ(count(said, "Preload not started for tank 1: No product assigned\n"), 10u) << said;
    EXPECT_TRUE(rig.read(rig.ds(0).remote_preload));
    EXPECT_TRUE(rig.read(rig.store.body.booms.boom[1].use_asc_coverage));

    rig.write(rig.store.body.vehicle.gps_speed, 0.2f); // 0.72 km/h
    rig.controller->ground_speed_step();
    rig.controller->boom_section_step();
    EXPECT_TRUE(rig.read(coverage));
}

TEST(Boom_sections, head_systems)
{
    struct Case {
        uint8_t enabled;
        bool active[3];
    };
    const Case cases[] = {
        {0, {true, true, true}}, {1, {true, false, false}}, {2, {false, true, false}}, {3, {true, false, true}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.enabled));
        Section_rig rig;
        rig.app().monitor_ecus.head_systems_enabled.set(c.enabled);
        rig.controller->refresh_parameters();
        bool* active = rig.store.body.monitor_ecus.head_system_active;
        rig.write(active[0], true);
        rig.write(active[2], true);
        rig.controller->boom_section_step();
        for (int h = 0; h < 3; ++h)
            EXPECT_EQ(rig.read(active[h]), c.active[h]) << h;
    }
}

TEST(Boom_sections, section_and_boom_numbers_beyond_the_arrays_are_no_sections)
{
    Debug_capture capture;
    Section_rig rig;
    // VT mode: ten sections and the leading entry make eleven delays.
    rig.boom(0).num_sections.set(10);
    rig.boom(2).num_sections.set(200);
    for (int s = 0; s < 10; ++s)
        rig.boom(2).sections[s]->width.set(0.5);
    for (int i : {0, 1, 2}) {
        rig.granular_channel(i);
        rig.write(rig.ds(i).product_assigned, true);
        rig.write(rig.ds(i).requested_rate, 100.0);
    }
    rig.channel(1).assigned_to_boom.set(7);
    rig.channel(2).assigned_to_boom.set(2);
    rig.app().downforces[0]->assigned_to_boom.set(9);
    rig.app().drill_control_enabled.set(true);
    rig.app().preload_time.set(20.0f);
    rig.controller->refresh_parameters();
    rig.write(rig.store.body.operation.use_manual_speed, false);
    rig.write(rig.ds(2).actual_period, 300000u); // 100 kg/ha at the preload's 10 km/h
    for (int b : {0, 2})
        for (int s = 0; s < 10; ++s)
            rig.write(rig.section(b, s).setpoint_work_state, 1u);
    rig.master_on();
    rig.controller->boom_state_changed(7);
    rig.controller->channel_switch_changed(1);

    for (int tick = 0; tick < 30; ++tick) {
        rig.controller->tick_100ms();
        if (tick % 5 == 4)
            rig.controller->tick_500ms();
    }
    EXPECT_NE(capture.text().find("Tank Index=1: SetPreloadTimer = 40\n"), std::string::npos) << capture.text();
    for (int s = 0; s < 10; ++s) {
        EXPECT_EQ(rig.read(rig.section(0, s).actual_work_state), 1u) << s;
        EXPECT_EQ(rig.read(rig.section(2, s).actual_work_state), 1u) << s;
    }
    EXPECT_EQ(rig.read(rig.ds(1).active_width), 0.0);
    EXPECT_DOUBLE_EQ(rig.read(rig.ds(2).active_width), 5.0); // two hundred sections count as ten
}

}
