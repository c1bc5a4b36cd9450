#pragma once

struct Command_line;

// Builds the system in its fixed order, runs the main loop until a shutdown
// and ends the process with the shutdown code; never returns. A start-up
// that cannot go on (no ISOBUS, no slave-ECU bus, no address) ends the
// process with status 255 after saying why.
[[noreturn]] void seeder_app_thread(const Command_line& settings);

// The SIGINT and SIGTERM handler: sets stop_requested and wakes the main
// loop, nothing else.
void on_stop_signal(int signal);
