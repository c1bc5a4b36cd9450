#pragma once

namespace Next_gen {

// Reports a broken invariant the way assert does ("file:line: function:
// Assertion `expression' failed.") and ends the process.
[[noreturn]] void assert_failed(const char* expression, const char* file, unsigned line,
                                const char* function);

}

// The library's assertion, checked in every build: a caller error such as a
// tick interval that is not a multiple of the tick must not run on silently
// in a release build.
#define ECU_ASSERT(expression)                                                             \
    ((expression) ? void(0)                                                                \
                  : ::Next_gen::assert_failed(#expression, __FILE__, __LINE__, __PRETTY_FUNCTION__))
