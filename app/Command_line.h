#pragma once
#include <optional>
#include <string>

// The settings kx4 takes from its command line.
struct Command_line {
    std::string bus_spec = "tcp,addr=127.0.0.1,port=1500";  // the ISOBUS
    std::string abus_spec = "tcp,addr=127.0.0.1,port=1501"; // the slave ECUs
    std::string slave_id;      // overrides the slave ECU's identity when not empty
    std::string serial_port;   // empty: no slave processors, run the simulator
    std::string debug_filter = "00";
    bool test_console = false;

    // Reads the options into the settings. Returns the status main exits
    // with at once (0 after -h, which prints the usage; 1 for a bad option,
    // an argument that belongs to no option or an empty bus spec), or
    // nothing when the program goes on. Uses
    // getopt_long, whose state it resets first, so it may be called again,
    // but from one thread at a time.
    std::optional<int> parse(int argc, char* argv[]);
};
