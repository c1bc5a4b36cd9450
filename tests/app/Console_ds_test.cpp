// The test console's "ds" commands, line by line against a fresh store.
#include "app/Test_console.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <sstream>

namespace {

struct Ds_test : App_fixture, ::testing::Test {
    // What the line printed.
    std::string said(const std::string& line)
    {
        Debug_capture capture;
        EXPECT_TRUE(console.handle_line(line.c_str())) << line;
        return capture.text();
    }

    std::vector<uint8_t> store_bytes()
    {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&store->body);
        return {bytes, bytes + sizeof store->body};
    }
    ds_channel& channel(int c) { return store->body.channels.channels[c]; }

    Test_console console{*store, *parameters};
};

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The banner as the operator sees it: the title from column 31.
std::string banner(const std::string& title)
{
    const std::string rule(79, '=');
    std::string middle = "==" + std::string(28, ' ') + title;
    middle += std::string(77 - middle.size(), ' ') + "==";
    return rule + "\n" + middle + "\n" + rule + "\n";
}

// A name printed right-aligned in a field of width (as "%<width>s").
std::string right(const std::string& name, size_t width)
{
    return std::string(width > name.size() ? width - name.size() : 0, ' ') + name;
}
std::string at40(const std::string& name)
{
    return right(name, 40) + "=";
}

// Each setter line against a fresh store: what it answers and what it
// changes. Messages leave everything as it was.
TEST_F(Ds_test, setters_store_the_value_typed_or_refuse_it_and_change_nothing)
{
    using Effect = std::function<bool(Ds_test&)>;
    const Effect unchanged;
    const int32_t int_max = std::numeric_limits<int32_t>::max(), int_min = std::numeric_limits<int32_t>::min();
    struct Case {
        std::string line;
        std::string said;
        Effect effect;
        std::function<void(Ds_test&)> before = nullptr;
    } cases[] = {
        // Float and double items keep the digits typed.
        {"set ds.channels.requested_rate.2=12.7", "", [](Ds_test& t) { return t.channel(2).requested_rate == 12.7; }},
        {"set ds.channels.remaining_volume.9 = -0.125", "",
         [](Ds_test& t) { return t.channel(9).remaining_volume == -0.125; }},
        {"set ds.channels.gear_ratio_calc.0=2.75", "",
         [](Ds_test& t) { return t.channel(0).gear_ratio_calc == 2.75f; }},
        {"set ds.vehicle.speed=12.5", "", [](Ds_test& t) { return t.store->body.vehicle.speed == 12.5f; }},
        // Whole-number items: truncated toward zero, saturated at their limits, NaN as 0.
        {"set ds.channels.product_number.1=-7.9", "", [](Ds_test& t) { return t.channel(1).product_number == -7; }},
        {"set ds.channels.product_number.1=1e12", "",
         [int_max](Ds_test& t) { return t.channel(1).product_number == int_max; }},
        {"set ds.channels.rate_control_mode.1=-1e12", "",
         [int_min](Ds_test& t) { return t.channel(1).rate_control_mode == int_min; }},
        {"set ds.channels.product_number.1=inf", "",
         [int_max](Ds_test& t) { return t.channel(1).product_number == int_max; }},
        {"set ds.channels.product_number.1=nan", "", [](Ds_test& t) { return t.channel(1).product_number == 0; },
         [](Ds_test& t) { t.channel(1).product_number = 5; }},
        {"set ds.channels.set_period.3=4294967295.9", "",
         [](Ds_test& t) { return t.channel(3).set_period == 4294967295u; }},
        {"set ds.channels.set_period.3=-5", "", [](Ds_test& t) { return t.channel(3).set_period == 0u; },
         [](Ds_test& t) { t.channel(3).set_period = 9; }},
        {"set ds.vehicle.gs_period=7000", "",
         [](Ds_test& t) { return t.store->body.vehicle.ground_speed_sensor.period == 7000u; }},
        {"set ds.vehicle.gs_pulse_count=3", "",
         [](Ds_test& t) { return t.store->body.vehicle.ground_speed_sensor.pulse_count == 3u; }},
        // Booleans: whether the truncated value is non-zero.
        {"set ds.channels.active.4=2", "", [](Ds_test& t) { return t.channel(4).active; }},
        {"set ds.channels.active.4=0.5", "", [](Ds_test& t) { return !t.channel(4).active; },
         [](Ds_test& t) { t.channel(4).active = true; }},
        {"set ds.monitor_ecus.detection=1", "",
         [](Ds_test& t) { return t.store->body.monitor_ecus.activate_auto_detect; }},
        {"set ds.monitor_ecus.faulty_detection=1", "",
         [](Ds_test& t) { return t.store->body.monitor_ecus.activate_faulty_sensor_identification; }},
        {"set ds.simulation=1", "", [](Ds_test& t) { return t.store->body.simulation.enabled; }},
        {"set ds.interface.boom_section_state.5.9=1", "",
         [](Ds_test& t) { return t.store->body.booms.boom[5].sections[9].setpoint_work_state == 1u; }},
        // Indices outside the store.
        {"set ds.channels.active.10=1", "Index out of range:10\n", unchanged},
        {"set ds.channels.active.-1=1", "Not an index:-1\n", unchanged},
        {"set ds.interface.boom_section_state.6.0=1", "Index out of range:6\n", unchanged},
        {"set ds.interface.boom_section_state.0.10=1", "Index out of range:10\n", unchanged},
        {"set ds.channels.active.x=1", "Not an index:x\n", unchanged},
        {"set ds.channels.active.99999999999999999999=1", "Not an index:99999999999999999999\n", unchanged},
        // Missing or unusable values.
        {"set ds.channels.active", "Index missing for active\n", unchanged},
        {"set ds.interface.boom_section_state.2", "Index missing for section\n", unchanged},
        {"set ds.channels.active=1", "Value missing for active\n", unchanged},
        {"set ds.vehicle.speed", "Value missing for speed\n", unchanged},
        {"set ds.simulation", "Value missing for simulation\n", unchanged},
        {"set ds.channels.requested_rate.2=abc", "Not a number:abc\n", unchanged},
        {"set ds.channels.requested_rate.2=12x", "Not a number:12x\n", unchanged},
        {"set ds.vehicle.gs_period=12x", "Not a number:12x\n", unchanged},
        {"set ds.channels.requested_rate.2=inf", "Not a finite number:inf\n", unchanged},
        {"set ds.channels.requested_rate.2=-nan", "Not a finite number:-nan\n", unchanged},
        {"set ds.vehicle.speed=1e39", "Out of range for speed:1e39\n", unchanged},
        // Commands and items that are not there, or not settable.
        {"set ds.interface.boom_working_width.0=3", "Interface command not currently supported:boom_working_width\n",
         unchanged},
        {"set ds.interface.width.0=3", "Interface command not found:width\n", unchanged},
        {"set ds.monitor_ecus.status=1", "Monitor ECUs command not currently supported:status\n", unchanged},
        {"set ds.monitor_ecus.speed=1", "Monitor ECUs command not found:speed\n", unchanged},
        {"set ds.channels.rate.0=1", "Channels command not found:rate\n", unchanged},
        {"set ds.channels.speed.0=1", "Channels command not found:speed\n", unchanged},
        {"set ds.vehicle.gps_speed=1", "Vehicle command not found:gps_speed\n", unchanged},
        {"set ds.operation.master_switch_active=1", "Operation command not currently supported:operation\n",
         unchanged},
        {"set ds.diagnostics.shaft.0=1", "Diagnostics command not currently supported:diagnostics\n", unchanged},
        {"set ds.booms.0=1", "Parse error for input: [set ds.booms.0=1]\nFor supported commands, enter [help|h]\n",
         unchanged},
        {"set ds", "Parse error for input: [set ds]\nFor supported commands, enter [help|h]\n", unchanged},
        {"set ds.channels", "Parse error for input: [set ds.channels]\nFor supported commands, enter [help|h]\n",
         unchanged},
    };
    for (const Case& c : cases) {
        Ds_test& t = *this;
        store->body = initial_data_store_body("1.0");
        if (c.before)
            c.before(t);
        const std::vector<uint8_t> before = store_bytes();
        EXPECT_EQ(said(c.line), c.said) << c.line;
        if (c.effect)
            EXPECT_TRUE(c.effect(t)) << c.line;
        else
            EXPECT_TRUE(store_bytes() == before) << c.line;
    }
}

TEST_F(Ds_test, a_value_set_reaches_the_store_as_a_locked_write_with_its_change_event)
{
    waiter_descriptor watcher;
    CDS::Head& head = store->head;
    double& rate = channel(2).requested_rate;
    head.event_register(&watcher, head.offset_of(&rate), sizeof rate, CDS::reg_change, CDS::event_word(&rate, 8),
                        nullptr, nullptr);
    said("set ds.channels.requested_rate.2=12.7");
    EXPECT_EQ(watcher.pending(), 1u);
    said("set ds.channels.requested_rate.12=12.7");
    said("set ds.channels.requested_rate.2=12x");
    EXPECT_EQ(watcher.pending(), 1u);
    head.event_unregister(&watcher, head.offset_of(&rate), sizeof rate, CDS::reg_change, CDS::event_word(&rate, 8),
                          nullptr, nullptr);
    watcher.flush();
}

TEST_F(Ds_test, an_index_selects_one_entry_and_one_out_of_range_prints_only_its_message)
{
    const std::string all = said("get ds.channels");
    EXPECT_EQ(all.rfind(banner("CHANNEL STATUS"), 0), 0u) << all;
    EXPECT_EQ(count_of(all, at40("channel_index")), 10u);
    for (int c = 0; c < 10; ++c)
        EXPECT_NE(all.find(at40("channel_index") + std::to_string(c) + "\n"), std::string::npos) << c;

    channel(2).requested_rate = 12.7;
    const std::string one = said("get ds.channels.2");
    EXPECT_EQ(count_of(one, at40("channel_index")), 1u);
    EXPECT_NE(one.find(at40("channel_index") + "2\n" + at40("assigned_to_boom") + "0\n"), std::string::npos);
    EXPECT_NE(one.find(at40("requested_rate") + "12.7000\n"), std::string::npos) << one;

    struct Case {
        std::string line;
        std::string said;
    } cases[] = {
        {"get ds.channels.12", "Index out of range:12\n"},
        {"get ds.channels.-3", "Not an index:-3\n"},
        {"get ds.channels.two", "Not an index:two\n"},
        {"get ds.fans.4", "Index out of range:4\n"},
        {"get ds.diagnostics.shaft.10", "Index out of range:10\n"},
        {"get ds.diagnostics.fans.4", "Index out of range:4\n"},
        {"get ds.diagnostics.spray_ecu.2", "Index out of range:2\n"},
        {"get ds.interface.boom_section_state.6", "Index out of range:6\n"},
        {"get ds.monitor_ecus.status.5", "Index out of range:5\n"},
        {"get ds.monitor_ecus.inputs.20", "Index out of range:20\n"},
        {"get ds.diagnostics.status", "Diagnostics command not found:status\n"},
        {"get ds.monitor_ecus.detection", "Monitor ECUs command not currently supported:detection\n"},
        {"get ds.interface.width", "Interface command not found:width\n"},
        {"get ds.diagnostics", "Parse error for input: [get ds.diagnostics]\nFor supported commands, enter [help|h]\n"},
        {"get ds.booms", "Parse error for input: [get ds.booms]\nFor supported commands, enter [help|h]\n"},
        {"get ds", "Parse error for input: [get ds]\nFor supported commands, enter [help|h]\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(said(c.line), c.said) << c.line;
}

// Every printer opens with the banner, and prints its lines in their forms.
TEST_F(Ds_test, each_printer_shows_its_banner_and_its_lines)
{
    store->body.vehicle.ground_speed_sensor.period = 7000;
    store->body.vehicle.ground_speed_sensor.pulse_count = 3;
    store->body.vehicle.speed = 12.5f;
    store->body.fans[1].rpm = 12.3f;
    store->body.fans[1].pressure = 14.1f;
    store->body.fans[1].period = 2100;
    store->body.alarms.tank_empty[1].active = true;
    store->body.simulation.enabled = true;
    store->body.diagnostics.shaft[3].period = 66300;
    store->body.diagnostics.spray_ecu[1].boom_state[2] = 0xab;
    store->body.monitor_ecus.monitor_inputs_active[19] = 0x81;
    store->body.monitor_ecus.monitor_inputs_inhibited[19] = 0x0f;
    ds_boom& boom = store->body.booms.boom[4];
    boom.boom_state = 1;
    boom.active_width = 6.25;
    boom.section_sense_state = 0x4;
    boom.sections[2].setpoint_work_state = 1;
    boom.sections[2].actual_work_state = 1;
    parameters->app.booms.booms[4]->sections[2]->width.set(1.5);
    parameters->app.channels[2]->assigned_to_boom.set(4);

    struct Case {
        std::string line;
        std::string title;
        size_t lines; // below the banner
        std::vector<std::string> shows;
    } cases[] = {
        {"get ds.vehicle", "VEHICLE STATUS", 4,
         {at40("ground_speed_sensor.period") + "7000\n" + at40("ground_speed_sensor.pulse_count") + "3\n" +
          at40("gps_speed") + "0.0000\n" + at40("speed") + "12.5000\n"}},
        {"get ds.fans.1", "FAN STATUS", 1,
         {" fans[1]:rpm=00012.3000, raw_rpm=00000.0000, pressure=00014.1000, period=00002100, "
          "stopped_count=00000000\n"}},
        {"get ds.fans", "FAN STATUS", 4, {" fans[3]:rpm="}},
        {"get ds.operation", "OPERATION STATUS", 20,
         {right("use_manual_speed", 30) + "=0\n", right("calibrating_tank[7]", 30) + "=0\n",
          right("simulation.enabled", 30) + "=1\n", right("system.alive", 30) + "=1\n"}},
        {"get ds.simulation", "OPERATION STATUS", 20, {right("simulation.enabled", 30) + "=1\n"}},
        {"get ds.alarms", "ALARM STATUS", 173,
         {right("alarms.fan_pressure_low", 30) + ":ack=0, trig=0, new=0, pend=0, active=0\n",
          right("alarms.tank_empty", 27) + "[1]:ack=0, trig=0, new=0, pend=0, active=1\n",
          right("alarms.master_on_tillage_off", 30) + ":ack=0, trig=0, new=0, pend=0, active=0\n"}},
        {"get ds.channels.2", "CHANNEL STATUS", 3 + 2 + 55,
         {at40("assigned_to_boom") + "4\n", at40("set_period") + "0\n", at40("ecu_version.major") + "0\n",
          at40("product_assigned") + "0\n", at40("last_product_density") + "1.0000\n"}},
        {"get ds.interface.boom_section_state.4", "INTERFACE BOOM STATUS", 11,
         {"    boom[04]boom_state=0x01 active_width=      6.2500 drive_error_state=0x00 sense_state=0x04\n",
          "    boom[04]section[02]=01 sensed=01 reported=01 width=      1.5000\n",
          "    boom[04]section[03]=00 sensed=00 reported=00 width=      0.0000\n"}},
        {"get ds.interface.boom_working_width", "INTERFACE BOOM STATUS", 66, {"    boom[05]section[09]=00"}},
        {"get ds.diagnostics.shaft.3", "DIAG SHAFT STATUS", 3,
         {at40("showing_diagnostics") + "0\n" + std::string(28, ' ') + "shaft.period[3]=66300\n"}},
        {"get ds.diagnostics.ground_speed", "DIAG SHAFT GROUND SPEED", 3, {at40("ground_speed.pulse_count")}},
        {"get ds.diagnostics.fans", "DIAG FAN STATUS", 12, {"fans.adc[3]=0\n"}},
        {"get ds.diagnostics.actuator", "DIAG ACTUATOR", 10, {"actuator.adc[9]=0\n"}},
        {"get ds.diagnostics.motor_current.1", "DIAG MOTOR CURRENT", 1, {"motor_current.adc[1]=0\n"}},
        {"get ds.diagnostics.level_sensor_on", "DIAG LEVEL SENSOR", 10, {"level_sensor_on[0]="}},
        {"get ds.diagnostics.pressure_sensor.9", "DIAG PRESSURE SENSOR STATUS", 1,
         {std::string(18, ' ') + "liquid_pressure_sensor[9].adc_val=0\n"}},
        {"get ds.diagnostics.spray_ecu.1", "DIAG SPRAY ECU STATUS", 4, {"spray_ecu.boom_state[1]=00 00 ab 00 \n"}},
        {"get ds.monitor_ecus.status", "MONITOR ECU STATUS", 4 + 5 * 5, {"monitor_state[4]=00 00 00 00 \n"}},
        {"get ds.monitor_ecus.inputs.19", "MONITOR ECU INPUTS", 1,
         {"                BYTE:19 BITS:152-159 (latched,active,mask)=0x00, 0x81, 0xf0\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::string text = said(c.line);
        const std::vector<std::string> lines = lines_of(text);
        ASSERT_EQ(lines.size(), 3 + c.lines) << text;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(lines[i].size(), 79u) << lines[i];
        EXPECT_EQ(text.rfind(banner(c.title), 0), 0u) << text;
        for (const std::string& part : c.shows)
            EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }
}

TEST_F(Ds_test, help_lists_the_set_and_get_items)
{
    const std::string text = said("help");
    EXPECT_EQ(said("h"), text);
    EXPECT_EQ(text.rfind("Supported commands (case sensitive):\n"
                         "set ds.item=value\n"
                         "    where item = \n"
                         "        channels\n"
                         "          Format:set ds.channel.item.channel_index=value\n"
                         "          product_assigned\n"
                         "          product_number\n",
                         0),
              0u)
        << text;
    const std::string set_tail = "          selected\n"
                                 "        vehicle\n"
                                 "          Format:set ds.vehicle=value\n"
                                 "          gs_period\n"
                                 "          gs_pulse_count\n"
                                 "          speed\n"
                                 "        monitor_ecus\n"
                                 "          Format:set ds.monitor_ecus=value\n"
                                 "          detection\n"
                                 "          faulty_detection\n"
                                 "        interface\n"
                                 "          Format:set ds.interface=value\n"
                                 "          boom_section_state\n"
                                 "        simulation\n"
                                 "get ds.item\n"
                                 "        channels\n"
                                 "        vehicle\n"
                                 "        operation\n"
                                 "        fans\n"
                                 "        alarms\n"
                                 "        diagnostics\n"
                                 "          shaft\n"
                                 "          ground_speed\n"
                                 "          fans\n"
                                 "          actuator\n"
                                 "          motor_current\n"
                                 "          level_sensor_on\n"
                                 "          pressure_sensor\n"
                                 "          spray_ecu\n"
                                 "        monitor_ecus\n"
                                 "          status\n"
                                 "          inputs\n"
                                 "        interface\n"
                                 "          boom_section_state\n"
                                 "          boom_working_width\n"
                                 "        simulation\n";
    ASSERT_GE(text.size(), set_tail.size());
    EXPECT_EQ(text.substr(text.size() - set_tail.size()), set_tail) << text;
    EXPECT_EQ(count_of(text, "\n          "), 20u + 3 + 2 + 1 + 8 + 2 + 2 + 4) << text;
}

}
