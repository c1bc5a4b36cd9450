#include "tests/ui/Main_screen_rig.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace {

class Busy_store : public Main_screen_rig {};

}

TEST_F(Busy_store, a_writer_thread_on_the_tanks_while_the_screen_follows_them_deadlocks_nothing)
{
    for (int k = 0; k < 4; ++k)
        set_tank(k, {});
    start();
    const pid_t ui_thread = pid_t(syscall(SYS_gettid));
    std::atomic<bool> done{false};
    std::thread writer([&] {
        // What the control task does all day: rates, contents, switches.
        for (int i = 0; i < 3000; ++i) {
            ds_channel& c = record(i % 4);
            head().set(c.actual_rate, double(i));
            head().set(c.remaining_volume, double(3000 - i));
            head().set(c.active, i % 2 == 0);
            head().set(c.requested_rate, double(i % 200));
        }
        done = true;
    });
    int handled = 0;
    while (!done) {
        advance(5);
        ++handled;
        // No handler leaves the store locked behind it.
        ASSERT_NE(head().owner_tid(), ui_thread) << "after " << handled << " rounds";
        if (handled % 10 == 0)
            press(id(ids.main.tank_on_off_key));
    }
    writer.join();
    pump();
    EXPECT_EQ(head().owner_tid(), 0);
    EXPECT_DOUBLE_EQ(screen().channel(3).actual_rate.get_val(), get(record(3).actual_rate));
}
