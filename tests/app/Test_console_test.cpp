// The text test console, driven line by line and through its reading loop.
#include "app/Main_loop.h"
#include "app/Test_console.h"
#include "app/seeder_app.h"
#include "app/seeder_globals.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <unistd.h>

namespace {

struct Console_test : App_fixture, ::testing::Test {
    // Every parameter as text, for seeing that nothing changed.
    std::string parameter_dump()
    {
        Debug_capture dump;
        Debug::Dumper dumper;
        parameters->_print(dumper);
        return dump.text();
    }

    std::vector<uint8_t> store_bytes()
    {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&store->body);
        return {bytes, bytes + sizeof store->body};
    }

    // Runs the console's reading loop on the input; what it printed.
    std::string run(const std::string& input)
    {
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        EXPECT_EQ(write(fds[1], input.data(), input.size()), ssize_t(input.size()));
        close(fds[1]);
        FILE* in = fdopen(fds[0], "r");
        FILE* out = std::fopen("/dev/null", "w");
        Debug_capture said;
        console.run(in, out);
        std::fclose(out);
        std::fclose(in);
        return said.text();
    }

    Test_console console{*store, *parameters};
};

// A line padded with blanks to the length, which leaves its meaning as it is.
std::string padded(const std::string& line, size_t length)
{
    return line + std::string(length - line.size(), ' ');
}

TEST_F(Console_test, each_line_answers_and_changes_only_what_it_names)
{
    using Effect = std::function<bool(Console_test&)>;
    const Effect unchanged; // nothing in the store or the parameters changes
    struct Case {
        std::string line;
        std::string said; // the whole answer; "..." stands for lines left out
        Effect effect;
    } cases[] = {
        // Parameters: the item's own conversion keeps a float's digits.
        {"set params.app.machine_width=12.7", "machine_width = 12.7\n\n",
         [](Console_test& t) { return t.parameters->app.machine_width.get() == 12.7f; }},
        {"set params.app.channels[3].preset_rate_1 = 0.25", "preset_rate_1 = 0.25\n\n",
         [](Console_test& t) { return t.parameters->app.channels[3]->preset_rate_1.get() == 0.25f; }},
        {"set params.system.app_preferred_address=143", "app_preferred_address = 143\n\n",
         [](Console_test& t) { return t.parameters->system.app_preferred_address.get() == 143; }},
        {"get params.app.speed_source", "speed_source = 1\n\n", unchanged},
        {"get params.app.channels.3", "channel_t {\n    preset_rate_1 = 0\n...}\n\n", unchanged},
        {"set params.app.speed_source=300", "Not a value for speed_source: [300]\nspeed_source = 1\n\n", unchanged},
        {"set params.app.no_such=1", "Could not find parameter:no_such\n", unchanged},
        {"set params.app.channels.10.preset_rate_1=1", "Could not find parameter:10\n", unchanged},
        {"set params.app.machine_width", "Parse error for input: [set params.app.machine_width]\n"
                                         "For supported commands, enter [help|h]\n", unchanged},
        {"set params.app=1", "Could not find parameter:1\n", unchanged},
        // Data store: paths keep their full stops, values their digits.
        {"set data_store.vehicle.gps_speed=12.7", "float gps_speed = 12.7; \"The gps speed\"\n",
         [](Console_test& t) { return t.store->body.vehicle.gps_speed == 12.7f; }},
        {"set data_store.channels.channels.2.requested_rate 1.25",
         "double requested_rate = 1.25; \"The current rate requested by the user\"\n",
         [](Console_test& t) { return t.store->body.channels.channels[2].requested_rate == 1.25; }},
        {"get data_store.vehicle.speed", "float speed = 0; \"The current implement speed\"\n", unchanged},
        {"get data_store.vehicle",
         "struct ds_vehicle { \"\"\n    struct ds_ground_speed_sensor { \"\"\n...} vehicle;\n", unchanged},
        {"set data_store.vehicle=1", "struct ds_vehicle { \"\"\n...} vehicle;\nSet failed, not a basic type! type=1\n",
         unchanged},
        {"set data_store.vehicle.gps_speed=fast",
         "float gps_speed = 0; \"The gps speed\"\nSet failed, not a basic type! type=10\n", unchanged},
        {"set data_store.vehicle.no_such=1", "Could not find data store item:vehicle.no_such\n", unchanged},
        {"get data_store.vehicle.", "Could not find data store item:vehicle.\n", unchanged},
        {"set data_store.vehicle.gps_speed", "Parse error for input: [set data_store.vehicle.gps_speed]\n"
                                             "For supported commands, enter [help|h]\n", unchanged},
        // Commands.
        {"frobnicate params", "Received unknown command: [frobnicate]\nSee supported commands, enter [help|h]\n",
         unchanged},
        {"Set params.app.speed_source=4", "Received unknown command: [Set]\nSee supported commands, enter [help|h]\n",
         unchanged},
        {"get", "Parse error for input: [get]\nFor supported commands, enter [help|h]\n", unchanged},
        {"set parameters.app.speed_source=4",
         "Parse error for input: [set parameters.app.speed_source=4]\nFor supported commands, enter [help|h]\n",
         unchanged},
        {"  ", "Parse error for input: [  ]\nFor supported commands, enter [help|h]\n", unchanged},
        // The longest line the buffer takes, and one beyond it.
        {padded("set params.app.speed_source=4", 255), "speed_source = 4\n\n",
         [](Console_test& t) { return t.parameters->app.speed_source.get() == 4; }},
        {padded("set params.app.speed_source=4", 256),
         "Line of 256 characters refused: the console takes at most 255\n", unchanged},
        {padded("set data_store.vehicle.gps_speed=12.7", 300),
         "Line of 300 characters refused: the console takes at most 255\n", unchanged},
    };
    for (const Case& c : cases) {
        Console_test& t = *this;
        parameters->set_default(true);
        store->body = initial_data_store_body("1.0");
        const std::string parameters_before = parameter_dump();
        const std::vector<uint8_t> store_before = store_bytes();

        Debug_capture said;
        EXPECT_TRUE(console.handle_line(c.line.c_str())) << c.line;
        const std::string text = said.text();
        const size_t dots = c.said.find("...");
        if (dots == std::string::npos) {
            EXPECT_EQ(text, c.said) << c.line;
        } else {
            const std::string head = c.said.substr(0, dots), tail = c.said.substr(dots + 3);
            EXPECT_EQ(text.substr(0, head.size()), head) << c.line;
            ASSERT_GE(text.size(), head.size() + tail.size()) << c.line;
            EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << c.line;
        }

        if (c.effect) {
            EXPECT_TRUE(c.effect(t)) << c.line;
        } else {
            EXPECT_EQ(parameter_dump(), parameters_before) << c.line;
            EXPECT_TRUE(store_bytes() == store_before) << c.line;
        }
    }
}

std::string name_text(const NV_quvel::nv_name& name)
{
    char text[NV_quvel::nv_name::length + 1] = {};
    name.copy_to(text, NV_quvel::nv_name::length);
    return text;
}

// A text parameter takes the rest of its line, blanks and '=' included; each
// line works on what the one before left.
TEST_F(Console_test, a_text_parameter_takes_the_rest_of_the_line)
{
    const std::string path = "set params.app.products.0.name";
    struct Case {
        std::string line;
        const char* stored;
        bool refused;
    } cases[] = {
        {path + "=Wheat bin", "Wheat bin", false},
        {path + "=A=B", "A=B", false},
        {path + " = Spring barley", "Spring barley", false},
        {path + "=", "", false},
        {path + "=Canola", "Canola", false},
        {path, "Canola", true},
        {path + " Oats", "Canola", true},
        {path + "=" + std::string(21, 'x'), "Canola", true},
        {path + "=" + std::string(20, 'y'), "yyyyyyyyyyyyyyyyyyyy", false},
    };
    for (const Case& c : cases) {
        Debug_capture said;
        EXPECT_TRUE(console.handle_line(c.line.c_str()));
        EXPECT_EQ(name_text(parameters->app.products[0]->name), c.stored) << c.line;
        const std::string& text = said.text();
        const bool refused =
            text.find("Parse error") != std::string::npos || text.find("Not a value") != std::string::npos;
        EXPECT_EQ(refused, c.refused) << c.line << ": " << text;
    }
}

// The loop reads until quit, the end of the input or an empty line, or
// until a line finds alive cleared; no line after its end is run.
TEST_F(Console_test, the_loop_ends_at_quit_end_of_input_an_empty_line_or_alive_cleared)
{
    const std::string after = "set params.app.speed_source=4\n";
    const std::string runs_on = "kx4 runs on without its console; Ctrl-C stops it\n";
    struct Case {
        std::string input;
        std::string last_words;
        bool after_run; // whether the line after the end was run
    } cases[] = {
        {after, "Got nothing!\n" + runs_on, true},
        {"get params.app.speed_source\nquit\n" + after, "Exiting test console\n" + runs_on, false},
        {"get params.app.speed_source\n\n" + after, "Got nothing!\n" + runs_on, false},
        {"set data_store.system.alive=0\n" + after, "shutdown event detected...test console terminating\n", false},
    };
    for (const Case& c : cases) {
        parameters->app.speed_source.set(1);
        store->body.system.alive = true;
        const std::string said = run(c.input);
        ASSERT_GE(said.size(), c.last_words.size()) << c.input;
        EXPECT_EQ(said.substr(said.size() - c.last_words.size()), c.last_words) << c.input << said;
        EXPECT_EQ(parameters->app.speed_source.get() == 4, c.after_run) << c.input << said;
    }
}

// "shutdown" raises SIGTERM in the process: the program's stop handler then
// gives the main loop shutdown code 1, and the console reads on.
TEST_F(Console_test, shutdown_brings_the_main_loop_code_1_through_the_stop_signal)
{
    struct sigaction program_handler {}, previous {};
    program_handler.sa_handler = on_stop_signal;
    sigemptyset(&program_handler.sa_mask);
    ASSERT_EQ(sigaction(SIGTERM, &program_handler, &previous), 0);
    Main_loop loop({*store, *parameters, parameter_file, ::main_waiter, ::stop_requested});
    loop.start();

    Debug_capture said;
    EXPECT_TRUE(console.handle_line("shutdown"));
    EXPECT_EQ(said.text(), "Shutting down\n");
    ASSERT_TRUE(::stop_requested); // else the loop would wait for ever
    EXPECT_EQ(loop.pass(), 1);
    EXPECT_EQ(loop.finish(folder.path()), 1);

    sigaction(SIGTERM, &previous, nullptr);
    ::stop_requested = false;
}

}
