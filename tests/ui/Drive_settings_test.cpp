#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "tests/ui/Seeder_screens_fixture.h"

#include <functional>
#include <string>

// The drive settings screens on the code-built pool: the tank they edit is
// the one the tank settings screen put in `current_channel_index`.
namespace {

using Channel_number = std::function<double(NV_quvel::channel_t&)>;

class Drive_settings : public Seeder_screens {
protected:
    NV_quvel::channel_t& channel(int i) { return *rig.parameters.app.channels[i]; }
    void select_tank(uint32_t index)
    {
        rig.store.head.set(rig.store.body.internal.current_channel_index, index);
        rig.pump();
    }
    void enter(uint16_t input, uint32_t raw) { pick(input, raw); }
    uint32_t input_value(uint16_t id)
    {
        return state<VT::Input_number_obj>(id, [](auto& o) { return o.get_value(); });
    }
    uint32_t output_value(uint16_t id)
    {
        return state<VT::Output_number_obj>(id, [](auto& o) { return o.get_value(); });
    }
    bool hidden(uint16_t id)
    {
        return state<VT::Container_obj>(id, [](auto& o) { return o.get_hidden(); });
    }
};

// One number field of each screen that has one: the field, its tank number,
// its step and the channel member it edits.
struct Number_case {
    const char* screen;
    uint16_t tank_number;
    uint16_t input;
    double step;
    Channel_number member;
    std::function<void(NV_quvel::channel_t&, float)> store;
};

std::vector<Number_case> number_cases(const Seeder_pool_ids& ids)
{
    return {
        {"electric_drive_settings_mask", ids.electric_drive.tank_number, ids.electric_drive.gear_ratio, 0.01,
         [](NV_quvel::channel_t& c) { return c.motor_gear_ratio.get(); },
         [](NV_quvel::channel_t& c, float v) { c.motor_gear_ratio.set(v); }},
        {"actuator_drive_settings_mask", ids.actuator_drive.tank_number, ids.actuator_drive.encoder_teeth, 0.1,
         [](NV_quvel::channel_t& c) { return c.act_encoder_ratio.get(); },
         [](NV_quvel::channel_t& c, float v) { c.act_encoder_ratio.set(v); }},
        {"liquid_prop_valve_settings_mask", ids.liquid_prop_valve.tank_number, ids.liquid_prop_valve.num_nozzles, 1.0,
         [](NV_quvel::channel_t& c) { return double(c.liquid_number_of_nozzles.get()); },
         [](NV_quvel::channel_t& c, float v) { c.liquid_number_of_nozzles.set(uint8_t(v)); }},
    };
}

}

TEST_F(Drive_settings, tank_index_2_shows_tank_3_with_channel_2s_values_and_an_edit_lands_in_channel_2_only)
{
    for (const Number_case& c : number_cases(ids)) {
        SCOPED_TRACE(c.screen);
        for (int t = 0; t < 4; ++t)
            c.store(channel(t), float(10 + t));
        select_tank(2);
        show(c.screen);

        EXPECT_EQ(output_value(c.tank_number), 3u);
        EXPECT_EQ(input_value(c.input), uint32_t(12 / c.step + 0.5));

        const double entered = c.step < 1 ? 12.5 : 25;
        enter(c.input, uint32_t(entered / c.step + 0.5));

        for (int t = 0; t < 4; ++t)
            EXPECT_DOUBLE_EQ(c.member(channel(t)), t == 2 ? entered : 10 + t) << "channel " << t;
    }
}

TEST_F(Drive_settings, tank_index_4_shows_tank_5_keeps_the_fields_and_drops_the_edits)
{
    for (const Number_case& c : number_cases(ids)) {
        SCOPED_TRACE(c.screen);
        for (int t = 0; t < 5; ++t)
            c.store(channel(t), float(10 + t));
        select_tank(1);
        show(c.screen);
        select_tank(4);

        EXPECT_EQ(output_value(c.tank_number), 5u);
        EXPECT_EQ(input_value(c.input), uint32_t(11 / c.step + 0.5)) << "the fields keep tank 2's values";

        enter(c.input, uint32_t(20 / c.step + 0.5));

        for (int t = 0; t < 5; ++t)
            EXPECT_DOUBLE_EQ(c.member(channel(t)), 10 + t) << "channel " << t;
    }
}

TEST_F(Drive_settings, a_new_tank_index_while_shown_reloads_the_screen)
{
    for (const Number_case& c : number_cases(ids)) {
        SCOPED_TRACE(c.screen);
        c.store(channel(0), 7);
        c.store(channel(3), 9);
        select_tank(0);
        show(c.screen);
        ASSERT_EQ(input_value(c.input), uint32_t(7 / c.step + 0.5));

        select_tank(3);

        EXPECT_EQ(output_value(c.tank_number), 4u);
        EXPECT_EQ(input_value(c.input), uint32_t(9 / c.step + 0.5));
        enter(c.input, uint32_t(8 / c.step + 0.5));
        EXPECT_DOUBLE_EQ(c.member(channel(3)), 8);
        EXPECT_DOUBLE_EQ(c.member(channel(0)), 7);
    }
}

TEST_F(Drive_settings, a_fixed_motor_shows_its_values_and_hides_the_custom_inputs_which_keep_theirs)
{
    const Electric_drive_ids& own = ids.electric_drive;
    const uint16_t custom_containers[] = {own.pulses_per_rev_containers.custom, own.max_rpm_containers.custom,
                                          own.min_rpm_containers.custom};
    const uint16_t fixed_containers[] = {own.pulses_per_rev_containers.fixed, own.max_rpm_containers.fixed,
                                         own.min_rpm_containers.fixed};
    const uint16_t fixed_values[] = {own.pulses_per_rev.fixed, own.max_rpm.fixed, own.min_rpm.fixed};
    const uint16_t custom_values[] = {own.pulses_per_rev.custom, own.max_rpm.custom, own.min_rpm.custom};
    NV_quvel::channel_t& c = channel(0);
    c.motor_encoder_ratio.set(7);
    c.motor_max_rpm.set(900);
    c.motor_min_rpm.set(40);

    const struct {
        bool pick; // picked by the operator, else stored by another path
        unsigned item;
        bool fixed;
        uint32_t values[3];
    } cases[] = {
        {false, 1, true, {4, 2000, 30}},
        {true, 2, false, {7, 900, 40}},
        {true, 0, true, {2, 1500, 30}},
        {false, 5, false, {7, 900, 40}},
        {true, 1, true, {4, 2000, 30}},
    };
    for (const auto& step : cases) {
        SCOPED_TRACE(step.item);
        if (step.pick) {
            pick(own.motor_selection, step.item);
        } else {
            c.motor_pulse_encoder.set(uint8_t(step.item));
            show("electric_drive_settings_mask");
        }
        EXPECT_EQ(c.motor_pulse_encoder.get(), step.item);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(hidden(fixed_containers[i]), !step.fixed) << i;
            EXPECT_EQ(hidden(custom_containers[i]), step.fixed) << i;
            EXPECT_EQ(step.fixed ? output_value(fixed_values[i]) : input_value(custom_values[i]), step.values[i]) << i;
        }
        EXPECT_EQ(c.motor_encoder_ratio.get(), 7.0f) << "a fixed motor leaves the custom values";
        EXPECT_EQ(c.motor_max_rpm.get(), 900.0f);
        EXPECT_EQ(c.motor_min_rpm.get(), 40.0f);
    }
}

TEST_F(Drive_settings, encoder_teeth_above_255_are_refused_at_entry_and_mended_when_stored)
{
    const Actuator_drive_ids& own = ids.actuator_drive;
    NV_quvel::channel_t& c = channel(1);
    c.act_encoder_ratio.set(100);
    select_tank(1);
    show("actuator_drive_settings_mask");

    enter(own.encoder_teeth, 3000); // 300.0
    EXPECT_EQ(c.act_encoder_ratio.get(), 100.0f);
    EXPECT_EQ(input_value(own.encoder_teeth), 1000u) << "the VT shown the old value again";
    enter(own.encoder_teeth, 2550);
    EXPECT_EQ(c.act_encoder_ratio.get(), 255.0f);

    c.act_encoder_ratio.set(300);
    select_tank(1); // any change of the group refreshes the screen

    EXPECT_EQ(c.act_encoder_ratio.get(), 255.0f);
    EXPECT_EQ(input_value(own.encoder_teeth), 2550u);
}

TEST_F(Drive_settings, setup_leads_to_the_control_screen_of_the_liquid_controller_type)
{
    const struct {
        uint8_t controller_type;
        const char* target;
    } cases[] = {
        {0, "liquid_reg_valve_control_settings_mask"},
        {1, "liquid_prop_valve_control_settings_mask"},
        {2, "liquid_prop_valve_control_settings_mask"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.controller_type));
        channel(2).liquid_controller_type.set(c.controller_type);
        channel(0).liquid_controller_type.set(uint8_t(c.controller_type == 0 ? 1 : 0));
        select_tank(2);
        show("liquid_prop_valve_settings_mask");

        press(ids.liquid_prop_valve.setup_button);

        EXPECT_EQ(current(), c.target);
    }
}

TEST_F(Drive_settings, a_regulating_valve_mode_change_shows_that_modes_settings_and_an_edit_touches_only_its_element)
{
    const Liquid_reg_valve_control_ids& own = ids.liquid_reg_valve_control;
    NV_quvel::channel_t& c = channel(0);
    c.rvalve_liquid_controller[0]->max_on_time.set(1);
    c.rvalve_liquid_controller[3]->max_on_time.set(2);
    show("liquid_reg_valve_control_settings_mask");

    pick(own.controller_mode, 3);

    EXPECT_EQ(c.rvalve_liquid_mode.get(), 3);
    for (int m = 0; m < 4; ++m) {
        EXPECT_EQ(hidden(own.max_on_time_containers[m]), m != 3) << m;
        EXPECT_EQ(hidden(own.pwm_setting_containers[m]), m != 3) << m;
    }
    EXPECT_EQ(list_value(own.max_on_time[3]), 2u);

    pick(own.max_on_time[3], 3);
    pick(own.max_on_time[0], 0); // a hidden mode's list writes nothing

    EXPECT_EQ(c.rvalve_liquid_controller[3]->max_on_time.get(), 3);
    EXPECT_EQ(c.rvalve_liquid_controller[0]->max_on_time.get(), 1);
    for (int m = 0; m < 4; ++m) {
        EXPECT_EQ(c.rvalve_liquid_controller[m]->speed.get(), 0) << m;
        EXPECT_EQ(c.rvalve_liquid_controller[m]->min_on_time.get(), 0) << m;
        EXPECT_EQ(c.rvalve_liquid_controller[m]->gain.get(), 0) << m;
    }
}

TEST_F(Drive_settings, a_stored_regulating_valve_mode_6_shows_mode_0_and_stays_until_the_operator_picks)
{
    const Liquid_reg_valve_control_ids& own = ids.liquid_reg_valve_control;
    NV_quvel::channel_t& c = channel(0);
    c.rvalve_liquid_mode.set(6);
    c.rvalve_liquid_controller[0]->gain.set(2);
    show("liquid_reg_valve_control_settings_mask");
    select_tank(0);

    EXPECT_EQ(list_value(own.controller_mode), 0u);
    EXPECT_EQ(list_value(own.gain_setting[0]), 2u);
    for (int m = 0; m < 4; ++m)
        EXPECT_EQ(hidden(own.gain_setting_containers[m]), m != 0) << m;
    EXPECT_EQ(c.rvalve_liquid_mode.get(), 6);

    pick(own.gain_setting[0], 1);
    EXPECT_EQ(c.rvalve_liquid_controller[0]->gain.get(), 1);
    EXPECT_EQ(c.rvalve_liquid_mode.get(), 6) << "an edit of mode 0's settings keeps the stored mode";

    pick(own.controller_mode, 2);
    EXPECT_EQ(c.rvalve_liquid_mode.get(), 2);
}
