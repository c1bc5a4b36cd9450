#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "tests/ui/Seeder_screens_fixture.h"
#include "ui/screens/ActuatorDiagnostics.h"
#include "ui/screens/Diagnostics2.h"

#include <functional>

// The two live diagnostics pages on the code-built pool: the slave
// processors' figures as the store holds them, the rows of the fans and
// tanks in use, the page switch and the counter reset.
namespace {

class Diagnostics_screens : public Seeder_screens {
protected:
    ActuatorDiagnostics& actuator()
    {
        return *static_cast<ActuatorDiagnostics*>(rig.man().find_screen("actuator_diagnostics"));
    }
    Diagnostics2& pressures()
    {
        return *static_cast<Diagnostics2*>(rig.man().find_screen("diagnostics2"));
    }
    template <class T>
    void store(T& field, const T& value)
    {
        rig.store.head.set(field, value);
        rig.pump();
    }
    bool hidden(uint16_t container)
    {
        return state<VT::Container_obj>(container, [](auto& o) { return o.get_hidden(); });
    }
    uint32_t shown_number(uint16_t output)
    {
        return state<VT::Output_number_obj>(output, [](auto& o) { return o.get_value(); });
    }
    uint16_t soft_keys()
    {
        return state<VT::Data_mask_obj>(ids.actuator_diagnostics.mask,
                                        [](auto& o) { return o.get_soft_key_mask(); });
    }
    bool showing() { return rig.store.head.get(rig.store.body.diagnostics.showing_diagnostics); }
    NV_quvel::channel_t& channel(int t) { return *rig.parameters.app.channels[t]; }
    void set_tank(int t, bool enabled, uint8_t mode, bool senses_pressure)
    {
        channel(t).enabled.set(enabled);
        channel(t).mode.set(mode);
        channel(t).liquid_pressure_sense.set(senses_pressure);
    }

    ds_diagnostics& diags = rig.store.body.diagnostics;
    const Actuator_diagnostics_ids& own = ids.actuator_diagnostics;
};

}

TEST_F(Diagnostics_screens, each_reported_figure_shows_scaled_in_its_field_and_follows_the_store_while_hidden)
{
    show("actuator_diagnostics");
    struct Case {
        const char* what;
        std::function<void()> report;
        std::function<const Stat_num&()> field;
        double value;
        uint32_t shown; // what the VT object holds: tenths or whole counts
    };
    const Case cases[] = {
        {"drive output at full scale", [&] { store(diags.actuator[0].adc.adc_val, 255u); },
         [&]() -> const Stat_num& { return actuator().drive_outputs[0]; }, 100.0, 1000},
        {"drive output at 128", [&] { store(diags.actuator[3].adc.adc_val, 128u); },
         [&]() -> const Stat_num& { return actuator().drive_outputs[3]; }, 128 * 100.0 / 255.0, 502},
        {"shaft period in microseconds", [&] { store(diags.shaft[1].period, 12345u); },
         [&]() -> const Stat_num& { return actuator().shaft_periods[1]; }, 12.345, 123},
        {"shaft pulses", [&] { store(diags.shaft[2].pulse_count, 4321u); },
         [&]() -> const Stat_num& { return actuator().shaft_pulses[2]; }, 4321, 4321},
        // The current lies outside the diagnostics block: it shows at the block's next change.
        {"motor current",
         [&] {
             store(rig.store.body.channels.channels[1].motor_current, 2.5f);
             store(diags.shaft[0].period, 0u);
         },
         [&]() -> const Stat_num& { return actuator().motor_currents[1]; }, 2.5, 25},
        {"fan 2 period", [&] { store(diags.fans[1].shaft.period, 2000u); },
         [&]() -> const Stat_num& { return actuator().fan_periods[1]; }, 2.0, 20},
        {"fan 1 pulses", [&] { store(diags.fans[0].shaft.pulse_count, 77u); },
         [&]() -> const Stat_num& { return actuator().fan_pulses[0]; }, 77, 77},
        {"fan 2 sensor", [&] { store(diags.fans[1].adc.adc_val, 512u); },
         [&]() -> const Stat_num& { return actuator().fan_sensors[1]; }, 512, 512},
        {"ground speed period", [&] { store(diags.ground_speed.period, 500u); },
         [&]() -> const Stat_num& { return actuator().ground_speed_period; }, 0.5, 5},
        {"ground speed pulses", [&] { store(diags.ground_speed.pulse_count, 9u); },
         [&]() -> const Stat_num& { return actuator().ground_speed_pulses; }, 9, 9},
        {"tank 3's pressure sensor", [&] { store(diags.liquid_pressure_sensor[2].adc_val, 1234u); },
         [&]() -> const Stat_num& { return pressures().pressures[2]; }, 1234, 1234},
    };
    const uint16_t outputs[] = {own.drive_outputs[0],    own.drive_outputs[3],       own.shaft_periods[1],
                                own.shaft_pulses[2],     own.motor_currents[1],      own.fan_periods[1],
                                own.fan_pulses[0],       own.fan_sensors[1],         own.ground_speed_period,
                                own.ground_speed_pulses, ids.diagnostics2.pressure_values[2]};
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.what);
        c.report();
        EXPECT_NEAR(c.field().get_val(), c.value, 1e-6);
        EXPECT_EQ(shown_number(outputs[i]), c.shown);
    }
}

TEST_F(Diagnostics_screens, a_bin_shows_full_while_its_level_sensor_is_on_and_empty_otherwise)
{
    show("actuator_diagnostics");
    store(diags.level_sensor_on[0], false);
    store(diags.level_sensor_on[1], true);
    EXPECT_FALSE(hidden(own.bin_full[1]));
    EXPECT_TRUE(hidden(own.bin_empty[1]));
    EXPECT_TRUE(hidden(own.bin_full[0]));
    EXPECT_FALSE(hidden(own.bin_empty[0]));
    store(diags.level_sensor_on[1], false);
    EXPECT_TRUE(hidden(own.bin_full[1]));
    EXPECT_FALSE(hidden(own.bin_empty[1]));
}

TEST_F(Diagnostics_screens, a_tank_shows_the_rows_and_label_of_its_drive_only_while_enabled)
{
    struct Case {
        bool enabled;
        uint8_t drive;
        bool act, elec, pv, current;
    };
    const Case cases[] = {
        {true, 0, false, true, false, true},   {true, 1, true, false, false, false},
        {true, 3, false, false, true, false},  {true, 2, false, false, false, false},
        {false, 0, false, false, false, false}, {false, 1, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "enabled " << c.enabled << ", drive " << int(c.drive));
        channel(2).enabled.set(c.enabled);
        channel(2).granular_controller_type.set(c.drive);
        show("main");
        show("actuator_diagnostics");
        EXPECT_EQ(!hidden(own.act_labels[2]), c.act);
        EXPECT_EQ(!hidden(own.elec_labels[2]), c.elec);
        EXPECT_EQ(!hidden(own.pv_labels[2]), c.pv);
        EXPECT_EQ(!hidden(own.shaft_rows[2]), c.enabled);
        EXPECT_EQ(!hidden(own.bin_rows[2]), c.enabled);
        EXPECT_EQ(pointer_value(own.drive_pointers[2]), c.enabled ? own.drive_outputs[2].oid : Screen::NULL_ID);
        EXPECT_EQ(pointer_value(own.current_pointers[2]), c.current ? own.motor_currents[2].oid : Screen::NULL_ID);
    }
}

TEST_F(Diagnostics_screens, a_fan_shows_its_column_and_values_only_while_enabled)
{
    for (const bool second : {true, false}) {
        SCOPED_TRACE(second);
        rig.parameters.app.fans[0]->enabled.set(true);
        rig.parameters.app.fans[1]->enabled.set(second);
        show("main");
        show("actuator_diagnostics");
        EXPECT_FALSE(hidden(own.fan_rows[0]));
        EXPECT_EQ(pointer_value(own.fan_pointers[0]), own.fan_values[0].oid);
        EXPECT_EQ(!hidden(own.fan_rows[1]), second);
        EXPECT_EQ(pointer_value(own.fan_pointers[1]), second ? own.fan_values[1].oid : Screen::NULL_ID);
    }
}

TEST_F(Diagnostics_screens, the_pressures_page_is_offered_and_its_rows_shown_only_for_a_tank_sensing_liquid_pressure)
{
    struct Case {
        const char* what;
        bool enabled;
        uint8_t mode;
        bool senses;
        bool offered;
    };
    const Case cases[] = {
        {"liquid tank sensing", true, 1, true, true},
        {"NH3 tank sensing", true, 2, true, true},
        {"granular tank with the flag set", true, 0, true, false},
        {"liquid tank not sensing", true, 1, false, false},
        {"disabled liquid tank sensing", false, 1, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        set_tank(3, c.enabled, c.mode, c.senses);
        show("main");
        show("actuator_diagnostics");
        EXPECT_EQ(soft_keys(), c.offered ? own.toggle_keys.oid : own.plain_keys.oid);
        show("diagnostics2");
        EXPECT_EQ(!hidden(ids.diagnostics2.pressure_columns[3]), c.offered);
        EXPECT_TRUE(hidden(ids.diagnostics2.pressure_columns[0]));
    }
}

TEST_F(Diagnostics_screens, a_sensor_fitted_while_the_page_is_shown_brings_the_toggle_key_at_the_next_activation)
{
    set_tank(0, true, 1, false);
    show("actuator_diagnostics");
    EXPECT_EQ(soft_keys(), own.plain_keys.oid);
    channel(0).liquid_pressure_sense.set(true);
    rig.pump();
    EXPECT_EQ(soft_keys(), own.plain_keys.oid);
    show("main");
    show("actuator_diagnostics");
    EXPECT_EQ(soft_keys(), own.toggle_keys.oid);
}

TEST_F(Diagnostics_screens, the_flag_stays_set_across_the_page_switches_and_clears_back_on_main)
{
    set_tank(1, true, 1, true);
    ASSERT_EQ(current(), "main");
    EXPECT_FALSE(showing());
    press(ids.main.diagnostics_key);
    ASSERT_EQ(current(), "actuator_diagnostics");
    EXPECT_TRUE(showing());
    const struct {
        uint16_t key;
        const char* target;
        bool showing;
    } steps[] = {
        {own.toggle_key, "diagnostics2", true},
        {ids.diagnostics2.toggle_key, "actuator_diagnostics", true},
        {own.toggle_key, "diagnostics2", true},
        {ids.diagnostics2.main_key, "main", false},
        {ids.main.diagnostics_key, "actuator_diagnostics", true},
        {own.main_key, "main", false},
    };
    for (const auto& s : steps) {
        press(s.key);
        ASSERT_EQ(current(), s.target);
        EXPECT_EQ(showing(), s.showing) << s.target;
    }
}

TEST_F(Diagnostics_screens, the_other_keys_lead_to_their_screens)
{
    const struct {
        const char* screen;
        uint16_t key;
        const char* target;
    } cases[] = {
        {"actuator_diagnostics", own.system_info_key, "system_info_mask"},
        {"actuator_diagnostics", own.blocked_head_key, "blocked_head_diags_mask"},
        {"diagnostics2", ids.diagnostics2.system_info_key, "system_info_mask"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        show(c.screen);
        press(c.key);
        EXPECT_EQ(current(), c.target);
        EXPECT_FALSE(showing());
    }
}

TEST_F(Diagnostics_screens, reset_writes_the_request_on_each_press_even_when_it_is_still_set)
{
    show("actuator_diagnostics");
    rig.probe.follow(&rig.store.body.operation.reset_diag_data, 1);
    for (int press_no = 1; press_no <= 2; ++press_no) {
        SCOPED_TRACE(press_no);
        press(own.reset_key);
        EXPECT_TRUE(rig.store.head.get(rig.store.body.operation.reset_diag_data));
        EXPECT_EQ(rig.changes_of(rig.store.body.operation.reset_diag_data).size(), 1u);
        EXPECT_EQ(current(), "actuator_diagnostics");
    }
}
