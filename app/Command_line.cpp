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

// The debug argument reads "JDB=<filter>" (use that filter) or "BDB=..."
// (accepted, no effect); false for anything else.
bool take_debug(std::string& filter, const char* value)
{
    if (!value || std::strlen(value) < 4 || std::strncmp(value + 1, "DB=", 3) != 0)
        return false;
    if (value[0] == 'J')
        filter = value + 4;
    return value[0] == 'J' || value[0] == 'B';
}

}

std::optional<int> Command_line::parse(int argc, char* argv[])
{
    optind = 0; // 0, not 1: glibc then forgets a half-read group of short options too
    for (;;) {
        int option = getopt_long(argc, argv, short_options, long_options, nullptr);
        switch (option) {
        case -1:
            return std::nullopt;
        case 'b':
            take_value(bus_spec, optarg);
            break;
        case 'a':
            take_value(abus_spec, optarg);
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
            return 0;
        default:
            return 1;
        }
    }
}
