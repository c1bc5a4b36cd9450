#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/ui/Stat_num.h"
#include "tests/platform/ui/Recording_screen.h"
#include "tests/support/Ui_fixture.h"

#include <cmath>
#include <string>

// The VT's operator chooses the units on the VT: its Language command
// reaches the interface, which shows every screen's numbers in them.
namespace {

// The ground speed (0.1 km/h or 0.1 mph in metres per second) and a weight
// (0.1 kg or 0.1 lb in kilograms), each with its units string.
const Stat_num_format speed_metric(6, 0.02777777777777778, 1), speed_imperial(6, 0.044704, 1);
const Stat_num_format weight_metric(15, 0.1, 1), weight_imperial(15, 0.045359237, 1);

class Vt_units : public Ui_fixture {
protected:
    Vt_units()
    {
        iface.on_setup = [this](VT::vtui_pool& p, UI::Setup_config& config) {
            config.home = &shown;
            speed.init(&shown, pool->object<VT::Input_number_obj>(speed_input), speed_metric, speed_imperial, 1000, &p,
                       pool->object<VT::Output_string_obj>(speed_units));
            weight.init(&hidden, pool->object<VT::Output_number_obj>(weight_output), weight_metric, weight_imperial,
                        200, &p, pool->object<VT::Output_string_obj>(weight_units));
            speed.set_val(4.4704);  // 16.1 km/h, 10.0 mph
            weight.set_val(45.359237); // 45.4 kg, 100.0 lb
        };
    }
    Iop_check::Object vt_object(uint16_t id)
    {
        Iop_check::Object o;
        EXPECT_TRUE(vt->object(id, o)) << id;
        return o;
    }
    std::string vt_text(uint16_t id)
    {
        const std::string text = vt_object(id).text;
        return text.substr(0, text.find_last_not_of(' ') + 1);
    }
    // The operator's choice on the VT, as the VT sends it to all.
    void choose(const std::string& units)
    {
        ASSERT_TRUE(vt->run_script_line("units " + units));
        advance(20);
    }

    const uint16_t speed_input = pool->input_number(0, 100000);
    const uint16_t speed_units = pool->output_string(5);
    const uint16_t weight_output = pool->output_number();
    const uint16_t weight_units = pool->output_string(5);
    Recording_screen shown{"shown", &man(), pool->data_mask()};
    Recording_screen hidden{"hidden", &man(), pool->data_mask()};
    Stat_num speed;
    Stat_num weight;
};

}

TEST_F(Vt_units, the_shown_screen_sends_its_numbers_and_units_again_when_the_vt_turns_imperial_and_back)
{
    start();
    ASSERT_EQ(vt_object(speed_input).value, 161u);
    ASSERT_EQ(vt_text(speed_units), "km/h");

    const struct {
        const char* units;
        Units_man::System system;
        uint32_t speed_raw;
        const char* speed_text;
    } steps[] = {
        {"imperial", Units_man::imperial, 100, "mph"},
        {"metric", Units_man::metric, 161, "km/h"},
        {"us", Units_man::imperial, 100, "mph"}, // US customary shows as imperial
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.units);
        choose(step.units);
        EXPECT_EQ(ui->get_units().get_system(), step.system);
        EXPECT_EQ(speed.get_system(), step.system);
        EXPECT_EQ(speed.get_raw(), int64_t(step.speed_raw));
        EXPECT_DOUBLE_EQ(speed.get_val(), 4.4704) << "the value stays metric";
        EXPECT_EQ(vt_object(speed_input).value, step.speed_raw);
        EXPECT_EQ(vt_text(speed_units), step.speed_text);
    }
}

TEST_F(Vt_units, an_entry_after_the_change_is_taken_in_the_vts_units)
{
    start();
    choose("imperial");

    enter_number(speed_input, 50); // 5.0 mph

    EXPECT_NEAR(speed.get_val(), 2.2352, 1e-12);
    choose("metric");
    EXPECT_EQ(vt_object(speed_input).value, 80u); // 8.0 km/h
}

TEST_F(Vt_units, a_screen_not_shown_takes_the_units_too)
{
    start();
    choose("imperial");

    EXPECT_EQ(weight.get_system(), Units_man::imperial);
    EXPECT_EQ(weight.get_raw(), 1000); // 100.0 lb
    EXPECT_EQ(vt_object(weight_output).value, 1000u);
    EXPECT_EQ(vt_text(weight_units), "lb");
}

TEST_F(Vt_units, the_units_string_follows_the_units_even_when_the_number_shows_the_same)
{
    start();
    weight.set_val(0);
    hidden.send_val_updates(false);
    advance(20);
    ASSERT_EQ(vt_text(weight_units), "kg");

    choose("imperial");

    EXPECT_EQ(vt_object(weight_output).value, 0u);
    EXPECT_EQ(vt_text(weight_units), "lb");
}

TEST_F(Vt_units, units_chosen_before_the_working_set_came_are_asked_for_and_shown_from_the_start)
{
    vt_settings.units = 1;
    start();

    EXPECT_EQ(vt->lines_with("language request from"), 1);
    EXPECT_EQ(ui->get_units().get_system(), Units_man::imperial);
    EXPECT_EQ(vt_object(speed_input).value, 100u);
    EXPECT_EQ(vt_text(speed_units), "mph");
}
