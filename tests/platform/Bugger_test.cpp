#include "platform/rtos/Bugger.h"
#include "tests/support/Child_process.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(Bugger, report_bug_prints_its_line_and_ends_the_process_in_every_build)
{
    Child_result r = run_in_child([] {
        Bugger::report_bug("x");
    });
    EXPECT_EQ(r.output, "BUG: x\r\n");
    EXPECT_EQ(r.signal, SIGABRT);
}

}
