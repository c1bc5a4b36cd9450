#include "app/Main_loop.h"
#include "tests/app/App_fixture.h"

#include <gtest/gtest.h>

namespace {

// The control task's totals go into the parameters before they are saved,
// on every orderly way out, unless the non-VT display keeps them.
TEST(Main_loop_totals, are_saved_before_the_parameters_on_every_stop_but_with_the_non_vt_display)
{
    struct Case {
        const char* what;
        bool stop_signal;
        bool non_vtt_display;
        bool saves_totals;
    } cases[] = {
        {"request 2", false, false, true},
        {"stop signal", true, false, true},
        {"request 2 with the non-VT display", false, true, false},
        {"stop signal with the non-VT display", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Manual_clock clock;
        App_fixture f;
        Main_loop loop(f.objects);
        f.store->head.set(f.system().non_vtt_connected, c.non_vtt_display);
        loop.start();
        if (c.stop_signal) {
            f.stop_requested = true;
            send_anonymous_event(f.waiter, &f.stop_requested);
        } else {
            f.store->head.set(f.system().initiate_shutdown, 2);
        }
        int saves = 0;
        bool parameters_saved_first = false;
        loop.run([&] {
            ++saves;
            parameters_saved_first = exists(f.cache + "params");
        });
        EXPECT_EQ(saves, c.saves_totals ? 1 : 0);
        EXPECT_FALSE(parameters_saved_first);
        EXPECT_EQ(exists(f.cache + "params"), c.saves_totals);
        loop.finish(f.folder.path() + "app/");
    }
}

}
