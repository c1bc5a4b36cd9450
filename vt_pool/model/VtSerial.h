#pragma once
#include <cstdint>

// The next serial number of a list entry: one counter for the whole process,
// so the first entry built gets 1.
uint32_t nextVtSerial();
