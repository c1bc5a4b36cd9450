#pragma once
#include <cstdint>

// An fs_answers input is a list of steps, each a step byte (taken modulo
// fs_step_count) and its arguments; the server is the input's:
//   fs_status      flags: the server's status to all (bits 0-1: busy)
//   fs_properties  version: the server's properties, to the client
//   fs_answer      mode, error, u16 length (mod 2048), that many bytes: an
//                  answer to the last request the server got: function
//                  code, TAN, error and the bytes. Mode bit 0: the function
//                  code is the next byte instead of the request's; bit 1:
//                  the TAN is the next byte instead of the request's
//   fs_read_file   the client starts reading "\\V\f.bin" into "f.bin"
//   fs_list        the client starts listing the volumes ("\\")
//   fs_cancel      the client cancels what runs
//   fs_wait        n: the clock moves on n x 10 ms, in 5 ms steps
enum Fs_step : uint8_t { fs_status, fs_properties, fs_answer, fs_read_file, fs_list, fs_cancel, fs_wait,
                         fs_step_count };
