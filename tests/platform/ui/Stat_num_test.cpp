#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/ui/Stat_num.h"
#include "tests/platform/ui/Recording_screen.h"
#include "tests/support/Ui_fixture.h"

#include <algorithm>
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

    // The VT knows the range and takes no entry beyond it.
    enter_number(input, 600); // 60 km/h, above 50 km/h
    EXPECT_EQ(vt->lines_with("refused number 600 for " + std::to_string(input)), 1);
    EXPECT_EQ(vt->shown_number(input), "9.0");

    // A range narrowed while the VT still holds the wider one: the field
    // refuses the entry itself and shows the old value again.
    vt->clear_lines();
    speed.set_range(0, 5.0); // 18 km/h
    enter_number(input, 300);
    advance(100);
    EXPECT_EQ(speed.get_val(), 2.5);
    EXPECT_TRUE(screen.edits.empty());
    EXPECT_EQ(vt->lines_with("numeric value " + std::to_string(input) + " = 90,"), 1);
    EXPECT_EQ(vt->shown_number(input), "9.0");

    enter_number(input, 180); // the bound itself is taken
    EXPECT_NEAR(speed.get_val(), 5.0, 1e-9);
    EXPECT_EQ(screen.edits.size(), 1u);
    EXPECT_EQ(vt->shown_number(input), "18.0");
}

namespace {

struct Shown_case {
    const char* what;
    Stat_num_format metric;
    Stat_num_format imperial;
    Units_man::System system;
    bool ranged;
    double min, max;
    double value;
    const char* shown;
    uint32_t min_value, max_value; // of the input number
    int32_t offset;
};

const Shown_case shown_cases[] = {
    {"1 decimal", {0, 0.1, 1}, {0, 0.1, 1}, Units_man::metric, true, 0, 100, 12.0, "12.0", 0, 1000, 0},
    {"3 decimals", {2, 0.001, 3}, {2, 0.0003048, 3}, Units_man::metric, true, 0, 100, 12.0, "12.000", 0, 100000, 0},
    {"feet", {2, 0.001, 3}, {2, 0.0003048, 3}, Units_man::imperial, true, 0, 100, 12.0, "39.370", 0, 328084, 0},
    {"0 decimals, no range", {0, 1.0, 0}, {0, 1.0, 0}, Units_man::metric, false, 0, 0, 250, "250", 0, 4294967295u, 0},
    {"below zero", {0, 0.1, 1}, {0, 0.1, 1}, Units_man::metric, true, -40, 60, -12.5, "-12.5", 0, 1000, -400},
    {"bounds between steps", {0, 0.1, 1}, {0, 0.1, 1}, Units_man::metric, true, 0.05, 0.95, 0.5, "0.5", 1, 9, 0},
    {"bounds nearer the outer steps", {0, 0.1, 1}, {0, 0.1, 1}, Units_man::metric, true, 0.04, 0.96, 0.5, "0.5", 0, 10,
     0},
    {"mph", speed_metric, speed_imperial, Units_man::imperial, true, 0, 13.88888888888889, 4.4704, "10.0", 0, 311, 0},
};

}

TEST_F(Numbers, the_vt_shows_the_value_in_the_format_in_use_and_takes_entries_within_the_range)
{
    start();
    for (const Shown_case& c : shown_cases) {
        SCOPED_TRACE(c.what);
        // A new field each time, so that one without a range has none.
        Stat_num field;
        field.init(&screen, pool->object<VT::Input_number_obj>(four_input),
                   pool->object<VT::Output_number_obj>(four_output), pool->object<VT::Object_pointer_obj>(pointer),
                   pool->object<VT::Number_variable_obj>(variable), c.metric, c.imperial, 0, pool.get());
        Units_man units(c.system);
        field.set_units(units);
        if (c.ranged)
            field.set_range(c.min, c.max);
        field.set_val(c.value);
        screen.send_val_updates(false);
        advance(100);

        EXPECT_EQ(vt->shown_number(four_input), c.shown);
        EXPECT_EQ(vt->shown_number(four_output), c.shown);
        Iop_check::Object in, out;
        ASSERT_TRUE(vt->object(four_input, in));
        ASSERT_TRUE(vt->object(four_output, out));
        EXPECT_EQ(in.min_value, c.min_value);
        EXPECT_EQ(in.max_value, c.max_value);
        EXPECT_EQ(in.number_offset, c.offset);
        EXPECT_EQ(out.number_offset, c.offset);
        EXPECT_EQ(in.decimals, c.metric.get_decimals());
        EXPECT_EQ(out.decimals, c.metric.get_decimals());

        // The lowest and the highest entry the VT takes are the steps shown
        // for the range's bounds, and they store the bounds.
        const auto stored = [&c, &field](uint32_t entry) {
            const double value = (double(entry) + c.offset) * field.get_format().get_step();
            return c.ranged ? std::min(std::max(value, c.min), c.max) : value;
        };
        enter_number(four_input, c.min_value);
        EXPECT_NEAR(field.get_val(), stored(c.min_value), 1e-9);
        if (c.max_value < UINT32_MAX) {
            enter_number(four_input, c.max_value + 1);
            EXPECT_EQ(vt->lines_with("refused number " + std::to_string(c.max_value + 1)), 1);
            enter_number(four_input, c.max_value);
            EXPECT_NEAR(field.get_val(), stored(c.max_value), 1e-9);
        }
        if (c.ranged) {
            field.set_val(c.max);
            EXPECT_EQ(uint32_t(field.get_raw() - c.offset), c.max_value) << "a bound shows as its step";
        }
        if (c.ranged) {
            EXPECT_GE(field.get_val(), c.min - 1e-9);
            EXPECT_LE(field.get_val(), c.max + 1e-9);
        }
        vt->clear_lines();
    }
}

TEST_F(Numbers, a_change_of_units_changes_how_the_vt_shows_the_number_and_what_it_takes)
{
    start();
    bind();
    speed.set_val(10.0); // 36 km/h, 22.4 mph
    screen.send_val_updates(false);
    advance(100);
    EXPECT_EQ(vt->shown_number(input), "36.0");

    use(Units_man::imperial);
    advance(100);
    EXPECT_EQ(vt->shown_number(input), "22.4");
    enter_number(input, 320); // 32 mph, above 50 km/h
    EXPECT_EQ(vt->lines_with("refused number 320 for " + std::to_string(input)), 1);
    EXPECT_EQ(speed.get_val(), 10.0);

    use(Units_man::metric);
    advance(100);
    EXPECT_EQ(vt->shown_number(input), "36.0");
    enter_number(input, 320);
    EXPECT_NEAR(speed.get_val(), 8.888888888888889, 1e-9);
}

TEST_F(Numbers, a_vt_that_shows_the_pool_again_shows_the_numbers_as_before_whether_sent_or_loaded)
{
    start();
    bind();
    shown.set_range(-10, 10);
    shown.set_val(-2.5); // -9.0 km/h
    screen.send_val_updates(false);
    advance(100);
    ASSERT_EQ(vt->shown_number(four_output), "-9.0");

    // The first time the pool the VT keeps is the one built; the second,
    // the one sent the first time.
    for (const char* how : {"end of pool", "loaded"}) {
        SCOPED_TRACE(how);
        vt->set_silent(true);
        for (int waited = 0; waited < 20000 && pool->is_shown(); waited += 100)
            advance(100);
        ASSERT_FALSE(pool->is_shown());
        vt->clear_lines();
        vt->set_silent(false);
        for (int waited = 0; waited < 20000 && !pool->is_shown(); waited += 100)
            advance(100);
        ASSERT_TRUE(pool->is_shown());
        advance(500);
        EXPECT_EQ(vt->lines_with(how), 1);
        EXPECT_EQ(vt->shown_number(four_input), "-9.0");
        EXPECT_EQ(vt->shown_number(four_output), "-9.0");
    }
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
