#include "app/Main_loop.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

namespace {

class Main_loop_test : public ::testing::Test, public App_fixture {
protected:
    Manual_clock clock;
    Main_loop loop{objects};

    // Runs the passes that have something to do: queued events, or a save
    // deadline that has come. (A pass with nothing to do would wait for ever
    // on the manual clock.)
    void run_ready()
    {
        while (waiter.pending() > 0 || (loop.is_save_armed() && Atime::now() >= loop.get_save_deadline()))
            loop.pass();
    }
    bool saved() const { return exists(cache + "params"); }
};

TEST_F(Main_loop_test, ten_changes_200_ms_apart_give_one_save_1000_ms_after_the_last)
{
    loop.start();
    Atime last;
    for (int i = 0; i < 10; ++i) {
        if (i > 0)
            clock.advance(200);
        parameters->app.num_channels.set(uint8_t(i + 2));
        last = Atime::now();
        run_ready();
        EXPECT_FALSE(saved()) << "change " << i;
    }
    EXPECT_TRUE(loop.is_save_armed());
    EXPECT_EQ(loop.get_save_deadline(), last + Rtime(1000));
    clock.advance(999);
    run_ready();
    EXPECT_FALSE(saved());
    clock.advance(1);
    run_ready();
    ASSERT_TRUE(saved());
    EXPECT_FALSE(loop.is_save_armed());
    EXPECT_EQ(loop.get_shutdown_code(), 0);

    NV_quvel::parameters_t on_disk;
    EXPECT_TRUE(NV_store::NV_file_iterator::load(on_disk, (cache + "params").c_str()));
    EXPECT_EQ(on_disk.app.num_channels.get(), 11);
    EXPECT_EQ(read_bytes(cache + "params.bak"), read_bytes(cache + "params"));
}

TEST_F(Main_loop_test, with_the_non_vtt_display_only_a_change_of_that_mode_schedules_a_save)
{
    loop.start();
    store->head.set(system().non_vtt_connected, true);
    parameters->app.num_channels.set(4);
    run_ready();
    EXPECT_FALSE(loop.is_save_armed());
    parameters->system.non_vtt_connected.set(true);
    run_ready();
    EXPECT_TRUE(loop.is_save_armed());
    clock.advance(1000);
    run_ready();
    EXPECT_TRUE(saved());
}

TEST_F(Main_loop_test, a_request_of_zero_or_below_keeps_the_loop_running)
{
    loop.start();
    store->head.set(system().initiate_shutdown, -3);
    run_ready();
    EXPECT_EQ(loop.get_shutdown_code(), -3);
    parameters->app.num_channels.set(4);
    run_ready();
    EXPECT_TRUE(loop.is_save_armed());
}

// How a shutdown comes, with a parameter change still waiting for its save.
TEST_F(Main_loop_test, shutdown_codes_decide_the_save_and_end_in_the_exit_code_file)
{
    enum How { stop_signal, stop_flag_only, request, request_before_start };
    struct Case {
        const char* what;
        How how;
        int32_t request;
        bool non_vtt_display;
        int code;
        bool saves;
    } cases[] = {
        {"stop signal", stop_signal, 0, false, 1, false},
        {"stop signal whose event was flushed", stop_flag_only, 0, false, 1, false},
        {"request 2", request, 2, false, 2, true},
        {"request 7", request, 7, false, 7, true},
        {"request 2 with the non-VT display", request, 2, true, 2, false},
        {"request 2 before the loop starts", request_before_start, 2, false, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        App_fixture f;
        Main_loop shutting(f.objects);
        f.store->head.set(f.system().non_vtt_connected, c.non_vtt_display);
        if (c.how == request_before_start)
            f.store->head.set(f.system().initiate_shutdown, c.request);
        shutting.start();
        f.parameters->app.num_channels.set(6);
        if (c.how == request_before_start) {
            EXPECT_EQ(shutting.get_shutdown_code(), c.request); // so run() does not wait
        }
        if (c.how == request)
            f.store->head.set(f.system().initiate_shutdown, c.request);
        if (c.how == stop_signal || c.how == stop_flag_only)
            f.stop_requested = true;
        if (c.how == stop_signal)
            send_anonymous_event(f.waiter, &f.stop_requested);

        Debug_capture capture;
        const Atime before = Atime::now();
        EXPECT_EQ(shutting.run(), c.code);
        EXPECT_EQ(Atime::now() - before, Rtime(100));
        EXPECT_FALSE(f.system().alive);
        EXPECT_EQ(exists(f.cache + "params"), c.saves);
        EXPECT_EQ(shutting.finish(f.folder.path() + "app/"), c.code);

        const std::string code = std::to_string(c.code);
        EXPECT_EQ(capture.text(), "\nShutdown code: " + code + "\nWriting exit code to file: " + code + "\n");
        EXPECT_EQ(text_of(f.folder.path() + "app/AppExitCode.txt"), code);
        EXPECT_EQ(f.waiter.pending(), 0u);
        f.parameters->app.num_channels.set(8);
        f.store->head.set(f.system().initiate_shutdown, 9);
        EXPECT_EQ(f.waiter.pending(), 0u) << "the waiter is still registered";
    }
}

// The process ends with the code as it stands after the last save, not as
// the loop first saw it: a stop signal meanwhile makes it 1.
TEST_F(Main_loop_test, the_exit_code_is_read_again_after_the_loop_has_ended)
{
    loop.start();
    store->head.set(system().initiate_shutdown, 2);
    EXPECT_EQ(loop.run(), 2);
    store->head.set(system().initiate_shutdown, 7);
    EXPECT_EQ(loop.finish(folder.path() + "first/"), 7);
    EXPECT_EQ(text_of(folder.path() + "first/AppExitCode.txt"), "7");
    stop_requested = true;
    EXPECT_EQ(loop.finish(folder.path() + "second/"), 1);
    EXPECT_EQ(text_of(folder.path() + "second/AppExitCode.txt"), "1");
}

TEST_F(Main_loop_test, an_exit_code_file_that_cannot_be_written_is_reported_and_the_code_stays)
{
    loop.start();
    stop_requested = true;
    EXPECT_EQ(loop.run(), 1);
    write_bytes(folder.path() + "app", {1}); // a file where the folder should be
    testing::internal::CaptureStderr();
    EXPECT_EQ(loop.finish(folder.path() + "app/"), 1);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.rfind("Failed to open AppExitCode for writing\n", 0), 0u) << errors;
}

}
