#include "platform/rtos/Bugger.h"

#include <cstdio>
#include <cstdlib>

void Bugger::report_bug(const char* text)
{
    std::printf("BUG: %s\r\n", text ? text : "");
    std::fflush(stdout);
    std::abort();
}
