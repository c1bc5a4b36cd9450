#include "orrvan_comms/private/include/Ecu_assert.h"

#include <cstdio>
#include <cstdlib>

namespace Next_gen {

void assert_failed(const char* expression, const char* file, unsigned line, const char* function)
{
    std::fflush(stdout);
    std::fprintf(stderr, "%s:%u: %s: Assertion `%s' failed.\n", file, line, function, expression);
    std::fflush(stderr);
    std::abort();
}

}
