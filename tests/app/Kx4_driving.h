#pragma once
// Driving a running kx4 from a test: its test console and a speed on the ISOBUS.
#include "platform/can/Can_frame.h"
#include "tests/support/Spawned_process.h"

#include <cstdint>
#include <functional>
#include <string>

// Asks the console for the item until an answer line holds the text (true),
// or the time is up or the console is gone (false). An answer of the same
// item with another value asks again.
bool wait_for_answer(Spawned_process& kx4, const std::string& request, const std::string& text,
                     int timeout_ms = 20000);

// Asks the console for a number until it satisfies the test (true), or the
// time is up or the console is gone (false); the last value read in value.
bool wait_for_value(Spawned_process& kx4, const std::string& request, const std::function<bool(double)>& good,
                    double& value, int timeout_ms = 20000);

// PGN 65096 (wheel-based speed) to all, priority 3, from address 0x80; raw
// in mm/s, 0xFFFF meaning not available.
Can_frame wheel_speed(uint16_t raw);
