// The parameter save of the main loop under a steady stream of changes.
#include "app/Main_loop.h"
#include "control_logic/Seed_simulator.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

namespace {

class Save_bound_test : public ::testing::Test, public App_fixture {
protected:
    Manual_clock clock;
    Main_loop loop{objects};

    // The passes that have something to do (a pass with nothing to do would
    // wait for ever on the manual clock).
    void run_ready()
    {
        while (waiter.pending() > 0 || (loop.is_save_armed() && Atime::now() >= loop.get_save_deadline()))
            loop.pass();
    }
    bool saved() const { return exists(cache + "params"); }
    NV_quvel::parameters_t on_file()
    {
        NV_quvel::parameters_t read;
        EXPECT_TRUE(NV_store::NV_file_iterator::load(read, (cache + "params").c_str()));
        return read;
    }
};

// A change every 500 ms, each one in time to push the one-second delay on.
TEST_F(Save_bound_test, changes_that_never_pause_are_saved_10_s_after_the_first_unsaved_one)
{
    loop.start();
    const Atime first = Atime::now();
    uint8_t value = 1;
    for (int i = 0; i < 2; ++i) {
        const Atime start = Atime::now();
        while (!saved()) {
            parameters->app.num_channels.set(++value);
            run_ready();
            clock.advance(500);
            run_ready();
            ASSERT_LE(Atime::now() - start, Rtime(Main_loop::save_bound_ms)) << "no save within the bound";
        }
        EXPECT_EQ(Atime::now() - start, Rtime(Main_loop::save_bound_ms));
        EXPECT_FALSE(loop.is_save_armed());
        EXPECT_EQ(on_file().app.num_channels.get(), value);
        std::remove((cache + "params").c_str());
        // The next change starts a bound of its own.
        clock.advance(200);
    }
    EXPECT_EQ(Atime::now() - first, Rtime(2 * (Main_loop::save_bound_ms + 200)));
}

// The simulator writes parameters every second, just as the one-second
// delay runs out; it runs first at each step here, the worst order.
TEST_F(Save_bound_test, with_the_simulator_running_its_changes_reach_the_file_within_10_s)
{
    loop.start();
    Debug_capture quiet;
    Seed_simulator simulator(*store, *parameters);
    ASSERT_TRUE(simulator.set_up(&manager)); // its demonstration values: the first change
    const Atime first = Atime::now();
    run_ready();
    ASSERT_TRUE(loop.is_save_armed());
    while (!saved() && Atime::now() - first < Rtime(60000)) {
        clock.advance(Seed_simulator::tick_ms);
        simulator.run_pending();
        run_ready();
    }
    ASSERT_TRUE(saved()) << "no save in a minute";
    EXPECT_EQ(Atime::now() - first, Rtime(Main_loop::save_bound_ms));
    // As the tenth tick left it: channel 1's rate 11 plus the phase 10 mod 4.
    EXPECT_EQ(simulator.get_ticks(), 10u);
    EXPECT_EQ(on_file().app.products[1]->preset_rate_1.get(), 13.0f);
    EXPECT_EQ(on_file().app.manual_speed.get(), 10.1f);
}

}
