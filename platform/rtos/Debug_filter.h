#pragma once
#include <cstdint>

// The process-wide set of enabled debug identifiers: up to 12 one-byte ids,
// kept in the leading slots without gaps; 0 marks an empty slot and can
// never be enabled.
namespace Debug_filter {

constexpr int slots = 12;

// Empties the set, then enables each non-zero pair of hexadecimal digits in
// the text, in order. Stops at the end, a line end, a lone last digit or any
// other character; anything after the twelfth id is ignored with a warning.
void parse(const char* text);
// Removes every slot equal to id; true when something was removed.
bool remove(uint8_t id);
// Moves or adds id to the end of the used slots; false when all are in use.
bool add(uint8_t id);
int count();
// The id in that slot, or 0 past the used slots.
uint8_t get(int index);
bool is_enabled(uint8_t id);
// Prints (at most 255 characters) only when id is enabled; returns the
// characters printed or 0.
int dprint(uint8_t id, const char* format, ...) __attribute__((format(printf, 2, 3)));

}
