#pragma once
#include <cstdint>
#include <vector>

// The replies of the monitor ECUs (57 and 68..71) to the controller, from
// their protocol: a setup (command 9) gives 6 data bytes ending in the
// firmware version; a read (command 2 or 3) gives the state byte and four
// sensor bytes, no sensor blocked; a section-monitor read (command 1) gives a
// 24-bit shaft period and two spare bytes. Fills reply (a whole frame, sum
// included) and returns true for a monitor request; false for any other.
bool fake_monitor_reply(const std::vector<uint8_t>& request, std::vector<uint8_t>& reply);
