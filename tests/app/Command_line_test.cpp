#include "app/Command_line.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// getopt_long may reorder argv, so it gets its own writable copy.
std::optional<int> parse(Command_line& settings, const std::vector<std::string>& arguments)
{
    std::vector<std::string> texts{"kx4"};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(&text[0]);
    argv.push_back(nullptr);
    return settings.parse(int(texts.size()), argv.data());
}

// The settings that differ from the defaults, as "name=value" words.
std::string changes(const Command_line& settings)
{
    const Command_line defaults;
    std::string text;
    auto add = [&text](const char* name, const std::string& value, const std::string& default_value) {
        if (value != default_value)
            text += std::string(text.empty() ? "" : " ") + name + "=" + value;
    };
    add("bus", settings.bus_spec, defaults.bus_spec);
    add("abus", settings.abus_spec, defaults.abus_spec);
    add("id", settings.slave_id, defaults.slave_id);
    add("port", settings.serial_port, defaults.serial_port);
    add("debug", settings.debug_filter, defaults.debug_filter);
    if (settings.test_console)
        text += std::string(text.empty() ? "" : " ") + "test";
    return text;
}

TEST(Command_line_test, defaults_name_the_two_local_buses_and_the_silent_filter)
{
    Command_line settings;
    EXPECT_EQ(settings.bus_spec, "tcp,addr=127.0.0.1,port=1500");
    EXPECT_EQ(settings.abus_spec, "tcp,addr=127.0.0.1,port=1501");
    EXPECT_EQ(settings.slave_id, "");
    EXPECT_EQ(settings.serial_port, "");
    EXPECT_EQ(settings.debug_filter, "00");
    EXPECT_FALSE(settings.test_console);
}

TEST(Command_line_test, options_give_settings_exit_status_and_messages)
{
    const std::optional<int> go_on;
    const char* const bad_debug = "Bad argument for debug\n";
    const char* const usage = nullptr; // the usage text, checked on its own below
    const char* const empty_bus = "--bus= needs a bus spec, such as --bus=tcp,addr=127.0.0.1,port=1500\n";
    const char* const empty_abus = "--abus= needs a bus spec, such as --abus=tcp,addr=127.0.0.1,port=1501\n";
    const char* const see_help = "kx4: see -h\n"; // after getopt's own complaint
    struct Case {
        std::vector<std::string> arguments;
        std::optional<int> status;
        const char* printed;
        const char* changes;
    };
    const Case cases[] = {
        {{}, go_on, "", ""},
        {{"-h"}, 0, usage, ""},
        {{"--help"}, 0, usage, ""},
        {{"-h", "-d", "XDB=05"}, 0, usage, ""}, // help ends the parse before the bad option
        {{"-d", "JDB=05"}, go_on, "", "debug=05"},
        {{"--debug=JDB=082e"}, go_on, "", "debug=082e"},
        {{"--debug=JDB=0A2eFf"}, go_on, "", "debug=0A2eFf"},
        {{"-d", "JDB="}, go_on, "", "debug="},
        {{"-d", "BDB=05"}, go_on, "", ""},
        {{"-d", "JDB=05", "-d", "BDB=07"}, go_on, "", "debug=05"},
        {{"-d", "XDB=05"}, 1, bad_debug, ""},
        {{"-d", "JDB"}, 1, bad_debug, ""},
        {{"-d", "Jab=0"}, 1, bad_debug, ""},
        {{"-d", ""}, 1, bad_debug, ""},
        // The filter is pairs of hex digits: anything else would be dropped unseen.
        {{"-d", "JDB=zz"}, 1, bad_debug, ""},
        {{"-d", "JDB=5"}, 1, bad_debug, ""},
        {{"-d", "JDB=0x05"}, 1, bad_debug, ""},
        {{"-d", "JDB=08 2e"}, 1, bad_debug, ""},
        {{"-d", "JDB=-1"}, 1, bad_debug, ""},
        {{"-d", "JDB=05", "-d", "JDB=g5"}, 1, bad_debug, "debug=05"},
        {{"-d"}, 1, see_help, ""}, // getopt itself complains of the missing value
        {{"-a", "-b"}, go_on, "", ""},
        {{"-ab"}, go_on, "", ""},
        // "x" is no value of -b: a word of no option is refused, wherever it stands.
        {{"-b", "x"}, 1, "kx4: unexpected argument \"x\"; see -h\n", ""},
        {{"x", "-T"}, 1, "kx4: unexpected argument \"x\"; see -h\n", "test"},
        {{"-T", "--", "-x"}, 1, "kx4: unexpected argument \"-x\"; see -h\n", "test"},
        {{"--bus=x"}, go_on, "", "bus=x"},
        {{"--bus", "x"}, go_on, "", "bus=x"},
        {{"--bus="}, 1, empty_bus, ""},
        {{"--bus", ""}, 1, empty_bus, ""},
        {{"--abus="}, 1, empty_abus, ""},
        {{"--bus"}, 1, see_help, ""},
        {{"--abus=mem,name=e"}, go_on, "", "abus=mem,name=e"},
        {{"--id=", "--port="}, go_on, "", ""},
        {{"-i", "7", "-p", "/dev/ttyS1"}, go_on, "", "id=7 port=/dev/ttyS1"},
        {{"--id=7", "--port=/dev/ttyS1"}, go_on, "", "id=7 port=/dev/ttyS1"},
        {{"-T"}, go_on, "", "test"},
        {{"--test", "-q", "--quiet"}, go_on, "", "test"},
        {{"-x"}, 1, see_help, ""},
        {{"--nonsense"}, 1, see_help, ""},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const std::string& argument : c.arguments)
            shown += " '" + argument + "'";
        Debug_capture capture;
        Command_line settings;
        EXPECT_EQ(parse(settings, c.arguments), c.status) << shown;
        if (c.printed) {
            EXPECT_EQ(capture.text(), c.printed) << shown;
        } else {
            EXPECT_EQ(capture.text().rfind("Usage: kx4", 0), 0u) << shown << ": " << capture.text();
        }
        EXPECT_EQ(changes(settings), c.changes) << shown;
    }
}

TEST(Command_line_test, help_shows_every_option_and_the_default_buses)
{
    Debug_capture capture;
    Command_line settings;
    EXPECT_EQ(parse(settings, {"--help"}), 0);
    for (const char* word : {"--bus=", "--abus=", "--id=", "--port=", "--debug=", "--test", "--quiet", "--help",
                             "-i,", "-p,", "-d,", "-T,", "-q,", "-h,", "tcp,addr=127.0.0.1,port=1500",
                             "tcp,addr=127.0.0.1,port=1501"})
        EXPECT_NE(capture.text().find(word), std::string::npos) << word << " in\n" << capture.text();
}

TEST(Command_line_test, a_parse_stopped_inside_a_group_of_options_does_not_leak_into_the_next)
{
    Command_line first;
    EXPECT_EQ(parse(first, {"-hT"}), 0);
    Command_line second;
    EXPECT_EQ(parse(second, {"-q"}), std::nullopt);
    EXPECT_FALSE(second.test_console);
}

}
