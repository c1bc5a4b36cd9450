#pragma once
#include <cstdint>

// A vt_receive input is a list of steps, each a step byte (taken modulo
// vt_step_count) and its arguments; the Virtual Terminal is the input's:
//   vt_status    active: the VT's status to all, naming the client as the
//                active working set when bit 0 is set
//   vt_message   8 bytes: a VT-to-ECU message (PGN 0xE600) to the client
//   vt_sized     length (mod 40), that many bytes: a message of any length
//                to the client (by TP when longer than 8)
//   vt_wait      n: the clock moves on n x 10 ms, in 5 ms steps
//   vt_change    which, value: a screen changes an object of the pool under
//                the pool lock (which mod 6: variable, container, string,
//                list item, data mask shown, soft key mask)
//   vt_enable    on (bit 0): the client is enabled or disabled
enum Vt_step : uint8_t { vt_status, vt_message, vt_sized, vt_wait, vt_change, vt_enable, vt_step_count };
