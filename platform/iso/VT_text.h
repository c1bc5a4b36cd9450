#pragma once
#include <cstddef>

namespace VT {

// Writes text into a counted value of length bytes: cut to the length, the
// rest filled with spaces, no terminator. A missing buffer takes nothing.
void fill_text(char* value, size_t length, const char* text);

}
