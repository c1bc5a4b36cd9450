#pragma once
#include <cstdint>

// An iso_receive input is a list of steps, each a step byte (taken modulo
// iso_step_count) and its arguments:
//   iso_frame    priority (bits 0-2) with the data page bits (3-4), PF,
//                PS, source, length (mod 9), the data bytes: one frame from
//                a raw node on the bus
//   iso_wait     n: the clock moves on n x 10 ms, in 5 ms steps
//   iso_send_a,  destination (0: the other node, 1: all, else that address),
//   iso_send_b   PGN (even: a PDU1 one, odd: a PDU2 one), u16 length
//                (mod 2400): node a or b sends a message
//   iso_read     both nodes read every message they hold
enum Iso_step : uint8_t { iso_frame, iso_wait, iso_send_a, iso_send_b, iso_read, iso_step_count };
