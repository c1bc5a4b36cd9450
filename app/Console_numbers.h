#pragma once
#include <cstdint>

// The numbers typed at the console: whole texts only, so that "12x" or "abc"
// is refused instead of being read as 12 or 0.

// A number (as strtod reads it) and nothing else.
bool parse_number(const char* text, double& value);
// A decimal whole number and nothing else.
bool parse_index(const char* text, long& index);

// Truncated toward zero and saturated at the type's limits; NaN gives 0.
int32_t to_int32(double value);
uint32_t to_uint32(double value);
