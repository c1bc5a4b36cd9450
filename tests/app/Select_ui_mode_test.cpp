#include "app/select_ui_mode.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

TEST(Select_ui_mode, the_display_the_time_out_a_shutdown_or_a_stop_decide_the_mode)
{
    using Setup = std::function<void(App_fixture&)>;
    struct Case {
        const char* what;
        bool non_vtt_configured;
        Setup before;
        int mode;
        std::string said;
        bool reset;
    } cases[] = {
        {"no non-VT display configured", false, [](App_fixture&) {}, 1, "Starting in VT Mode\n", false},
        {"the display has connected", true,
         [](App_fixture& f) { f.store->head.set(f.system().non_vtt_connected, true); }, 0,
         "Looking for Solvane...\nStarting in Solvane Mode\n", false},
        {"the display's time-out passed", true,
         [](App_fixture& f) { f.store->head.set(f.system().non_vtt_timeout, true); }, 1,
         "Looking for Solvane...\nSwitching to VT Mode\nReset params with non_vtt_mode = 0\n", true},
        {"a shutdown is asked for", true,
         [](App_fixture& f) { f.store->head.set(f.system().initiate_shutdown, 2); }, 0,
         "Looking for Solvane...\nInitiating Shutdown\n", false},
        {"a stop signal came", true,
         [](App_fixture& f) {
             f.stop_requested = true;
             send_anonymous_event(f.waiter, &f.stop_requested);
         },
         0, "Looking for Solvane...\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        App_fixture f;
        f.parameters->system.non_vtt_connected.set(c.non_vtt_configured);
        f.parameters->app.num_channels.set(4); // a reset puts it back to 1
        c.before(f);
        Debug_capture capture;
        EXPECT_EQ(select_ui_mode(f.objects), c.mode);
        EXPECT_EQ(capture.text(), c.said);
        EXPECT_EQ(f.parameters->app.num_channels.get(), c.reset ? 1 : 4);
        EXPECT_EQ(exists(f.cache + "params"), c.reset);
        EXPECT_EQ(f.parameters->system.non_vtt_connected.get(), c.non_vtt_configured && !c.reset);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(f.parameters->app.swbox_mapping[i]->channel.get(), c.mode == 1 ? i : -1);
        // Nothing is left queued or registered.
        EXPECT_EQ(f.waiter.pending(), 0u);
        f.store->head.set(f.system().non_vtt_connected, false);
        f.store->head.set(f.system().initiate_shutdown, 3);
        EXPECT_EQ(f.waiter.pending(), 0u);
    }
}

TEST(Select_ui_mode, a_display_that_connects_while_it_waits_ends_the_wait)
{
    App_fixture f;
    f.parameters->system.non_vtt_connected.set(true);
    Debug_capture capture;
    std::thread display([&f] { f.store->head.set(f.system().non_vtt_connected, true); });
    EXPECT_EQ(select_ui_mode(f.objects), 0);
    display.join();
    EXPECT_EQ(capture.text(), "Looking for Solvane...\nStarting in Solvane Mode\n");
}

}
