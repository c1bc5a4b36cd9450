#include "app/Command_line.h"
#include "platform/rtos/Debug_base.h"

#include <cstring>
#include <getopt.h>

namespace {

// "-a" and "-b" take no value on purpose: only --abus= and --bus= change the buses.
const char short_options[] = "qhTabi:p:d:";

const option long_options[] = {
    {"help", no_argument, nullptr, 'h'},
    {"test", no_argument, nullptr, 'T'},
    {"bus", required_argument, nullptr, 'b'},
    {"abus", required_argument, nullptr, 'a'},
    {"port", required_argument, nullptr, 'p'},
    {"id", required_argument, nullptr, 'i'},
    {"debug", required_argument, nullptr, 'd'},
    {"quiet", no_argument, nullptr, 'q'},
    {nullptr, 0, nullptr, 0},
};

// A value option without its text leaves the setting as it was.
void take_value(std::string& setting, const char* value)
{
    if (value && *value)
        setting = value;
}

// A bus must be named: an empty spec would silently leave the default bus.
bool take_bus(std::string& setting, const char* value, const char* option)
{
    if (value && !*value) {
        Debug_print::dprint("--%s= needs a bus spec, such as --%s=%s\n", option, option, setting.c_str());
        return false;
    }
    take_value(setting, value);
    return true;
}

// Pairs of hexadecimal digits, one pair per debug identifier.
bool is_hex_pairs(const char* text)
{
    size_t n = std::strlen(text);
    return n % 2 == 0 && std::strspn(text, "0123456789abcdefABCDEF") == n;
}

// The debug argument reads "JDB=<filter>" (use that filter) or "BDB=..."
// (accepted, no effect); false for anything else.
bool take_debug(std::string& filter, const char* value)
{
    if (!value || std::strlen(value) < 4 || std::strncmp(value + 1, "DB=", 3) != 0)
        return false;
    if (value[0] == 'J') {
        if (!is_hex_pairs(value + 4))
            return false;
        filter = value + 4;
    }
    return value[0] == 'J' || value[0] == 'B';
}

void print_usage()
{
    const Command_line defaults;
    Debug_print::dprint(
        "Usage: kx4 [options]\n"
        "  --bus=SPEC          the ISOBUS (default %s)\n"
        "  --abus=SPEC         the slave ECUs' bus (default %s)\n"
        "  -i, --id=TEXT       the slave ECU's identity, instead of the one its processor gives\n"
        "  -p, --port=DEVICE   the slave processors' serial port; without it the simulator runs\n"
        "  -d, --debug=JDB=HEX debug identifiers to print, two hex digits each (e.g. JDB=082e)\n"
        "  -T, --test          the text test console\n"
        "  -q, --quiet         accepted, no effect\n"
        "  -h, --help          this text\n"
        "A bus SPEC is \"tcp,addr=A,port=P\" (a CAN server), \"mem,name=X\" or \"socketcan,if=IF\".\n",
        defaults.bus_spec.c_str(), defaults.abus_spec.c_str());
}

}

std::optional<int> Command_line::parse(int argc, char* argv[])
{
    optind = 0; // 0, not 1: glibc then forgets a half-read group of short options too
    for (;;) {
        int option = getopt_long(argc, argv, short_options, long_options, nullptr);
        switch (option) {
        case -1:
            // A word that belongs to no option would otherwise be dropped unseen.
            if (optind < argc) {
                Debug_print::dprint("kx4: unexpected argument \"%s\"; see -h\n", argv[optind]);
                return 1;
            }
            return std::nullopt;
        case 'b':
            if (!take_bus(bus_spec, optarg, "bus"))
                return 1;
            break;
        case 'a':
            if (!take_bus(abus_spec, optarg, "abus"))
                return 1;
            break;
        case 'i':
            take_value(slave_id, optarg);
            break;
        case 'p':
            take_value(serial_port, optarg);
            break;
        case 'd':
            if (!take_debug(debug_filter, optarg)) {
                Debug_print::dprint("Bad argument for debug\n");
                return 1;
            }
            break;
        case 'T':
            test_console = true;
            break;
        case 'q':
            break;
        case 'h':
            print_usage();
            return 0;
        default:
            // getopt has named the option.
            Debug_print::dprint("kx4: see -h\n");
            return 1;
        }
    }
}
