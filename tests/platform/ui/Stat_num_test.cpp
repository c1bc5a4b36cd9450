#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/ui/Stat_num.h"
#include "tests/platform/ui/Recording_screen.h"
#include "tests/support/Ui_fixture.h"

#include <cmath>
#include <string>

namespace {

// The ground speed's formats: 0.1 km/h and 0.1 mph in metres per second.
const Stat_num_format speed_metric(6, 0.02777777777777778, 1);
const Stat_num_format speed_imperial(6, 0.044704, 1);

class Numbers : public Ui_fixture {
protected:
    Numbers()
    {
        iface.on_setup = [this](VT::vtui_pool&, UI::Setup_config& config) { config.home = &screen; };
    }
    // The speed as an input number with a range, and as the four-object
    // form: input, output, pointer and variable.
    void bind()
    {
        VT::vtui_pool* p = pool.get();
        speed.init(&screen, pool->object<VT::Input_number_obj>(input), speed_metric, speed_imperial, 1000, p);
        speed.set_range(0, 13.88888888888889);
        shown.init(&screen, pool->object<VT::Input_number_obj>(four_input),
                   pool->object<VT::Output_number_obj>(four_output), pool->object<VT::Object_pointer_obj>(pointer),
                   pool->object<VT::Number_variable_obj>(variable), speed_metric, speed_imperial, 200, p);
    }
    // The value the fake VT holds for the object.
    uint32_t vt_value(uint16_t id)
    {
        Iop_check::Object o;
        EXPECT_TRUE(vt->object(id, o)) << id;
        return o.value;
    }
    bool vt_enabled(uint16_t id)
    {
        Iop_check::Object o;
        EXPECT_TRUE(vt->object(id, o)) << id;
        return o.enabled;
    }
    void use(Units_man::System system)
    {
        Units_man units(system);
        screen.set_units(units);
        screen.send_val_updates(false);
    }

    const uint16_t input = pool->input_number(0, 100000);
    const uint16_t variable = pool->number_variable();
    const uint16_t four_input = pool->input_number(0, 100000, 0, variable);
    const uint16_t four_output = pool->output_number(0, variable);
    const uint16_t pointer = pool->object_pointer(four_output);
    Recording_screen screen{"numbers", &man(), pool->data_mask()};
    Stat_num speed;
    Stat_num shown;
};

struct Raw_case {
    Units_man::System system;
    double value;
    int64_t raw;
};

const Raw_case raw_cases[] = {
    {Units_man::metric, 4.4704, 161},   // 16.09 km/h
    {Units_man::imperial, 4.4704, 100}, // 10.0 mph
    {Units_man::metric, 10.0, 360},
    {Units_man::imperial, 0.0, 0},
    {Units_man::metric, -1.0, -36},
};

}

TEST_F(Numbers, the_raw_number_is_the_value_in_steps_of_the_system_in_use)
{
    start_without_vt();
    bind();
    for (const Raw_case& c : raw_cases) {
        Units_man units(c.system);
        speed.set_units(units);
        speed.set_val(c.value);
        EXPECT_EQ(speed.get_raw(), c.raw) << c.value << (c.system == Units_man::metric ? " metric" : " imperial");
        EXPECT_EQ(speed.get_val(), c.value);
    }
}

TEST_F(Numbers, an_imperial_entry_is_kept_in_metres_per_second_and_shown_again_in_kilometres_per_hour)
{
    start();
    bind();
    use(Units_man::imperial);

    enter_number(input, 100);

    EXPECT_NEAR(speed.get_val(), 4.4704, 1e-12);
    EXPECT_EQ(screen.edits, std::vector<Stat*>{&speed});
    use(Units_man::metric);
    advance(100);
    EXPECT_EQ(vt_value(input), 161u);
}

TEST_F(Numbers, an_entry_outside_the_range_is_refused_and_the_vt_shown_the_old_value)
{
    start();
    bind();
    speed.set_val(2.5); // 9.0 km/h
    screen.send_val_updates(false);
    advance(100);
    ASSERT_EQ(vt_value(input), 90u);

    vt->clear_lines();
    enter_number(input, 600); // 60 km/h, above 50 km/h
    advance(100);

    EXPECT_EQ(speed.get_val(), 2.5);
    EXPECT_TRUE(screen.edits.empty());
    EXPECT_EQ(vt->lines_with("numeric value " + std::to_string(input) + " = 90,"), 1);

    enter_number(input, 500); // the bound itself is taken
    EXPECT_NEAR(speed.get_val(), 13.88888888888889, 1e-9);
    EXPECT_EQ(screen.edits.size(), 1u);
}

TEST_F(Numbers, the_value_reaches_the_variable_both_numbers_show)
{
    start();
    bind();
    shown.set_val(10.0);
    screen.send_val_updates(false);
    advance(100);
    EXPECT_EQ(vt_value(variable), 360u);
}

TEST_F(Numbers, editable_points_at_the_input_and_not_editable_at_the_output)
{
    start();
    bind();
    for (const bool editable : {true, false, true}) {
        shown.set_editable(editable);
        speed.set_editable(editable);
        advance(100);
        EXPECT_EQ(vt_value(pointer), editable ? four_input : four_output) << editable;
        EXPECT_EQ(vt_enabled(input), editable) << editable;
    }
}

TEST_F(Numbers, init_again_rebuilds_the_formats_keeps_the_value_and_without_collector_the_screen)
{
    start();
    bind();
    speed.set_val(10.0);
    screen.send_val_updates(false);
    advance(100);
    ASSERT_EQ(vt_value(input), 360u);

    speed.init(nullptr, pool->object<VT::Input_number_obj>(input), Stat_num_format(0, 1.0, 0),
               Stat_num_format(0, 1.0, 0), 1000, pool.get());
    screen.send_val_updates(false);
    advance(100);

    EXPECT_EQ(speed.get_val(), 10.0);
    EXPECT_EQ(vt_value(input), 10u);
    enter_number(input, 12);
    EXPECT_EQ(speed.get_val(), 12.0);
    EXPECT_EQ(screen.edits, std::vector<Stat*>{&speed});
}
