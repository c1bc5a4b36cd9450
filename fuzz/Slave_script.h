#pragma once
#include <cstdint>

// A slave_messages input is a list of steps, each a step byte (taken modulo
// slave_step_count) and its arguments:
//   slave_raw     PGN (0: process data, 1: proprietary A, else a u32 PGN
//                 follows), length (mod 13), the data bytes: a message
//   slave_value   element (0 to 4: device information, discrete inputs,
//                 relays, comms, block probe of the slave's table; else a u16
//                 element ID follows), u16 data ID, u32 value, command
//                 (mod 16): a process-data message
//   slave_tick    n: n + 1 ticks of the ECU
//   slave_silent  bit 0: whether the slave answers and reports
//   slave_report  the slave reports its mode
//   slave_output  value (mod 4): the digital output is set
enum Slave_step : uint8_t { slave_raw, slave_value, slave_tick, slave_silent, slave_report, slave_output, slave_step_count };
