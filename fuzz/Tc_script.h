#pragma once
#include <cstdint>

// A tc_receive input is a list of steps, each a step byte (taken modulo
// tc_step_count) and its arguments; the Task Controller is the input's:
//   tc_status    task status: the Task Controller's status to all
//   tc_message   8 bytes: a process-data message (PGN 0xCB00) to the client
//   tc_sized     length (mod 40), that many bytes: a message of any length
//                to the client (by TP when longer than 8)
//   tc_wait      n: the clock moves on n x 10 ms, in 5 ms steps
//   tc_rebuild   the model changed (as after a reset)
//   tc_enable    on (bit 0): the client is enabled or disabled
enum Tc_step : uint8_t { tc_status, tc_message, tc_sized, tc_wait, tc_rebuild, tc_enable, tc_step_count };
