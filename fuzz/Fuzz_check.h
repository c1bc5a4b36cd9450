#pragma once
#include <cstdio>
#include <cstdlib>

// A property that must hold for every input: when it does not, the run ends
// with the reason, and the fuzzer keeps the input as a crash.
inline void fuzz_check(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
