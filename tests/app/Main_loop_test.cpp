#include "app/Main_loop.h"
#include "platform/io/File_util.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>

namespace {

// Runs the loop on a thread of its own, so that a loop that waits for an
// event that never comes fails here instead of hanging the test; the stop
// signal then lets it go.
int run_within_deadline(Main_loop& loop, App_fixture& f)
{
    std::future<int> result = std::async(std::launch::async, [&loop] { return loop.run(); });
    if (result.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << "the loop waits for an event that never comes";
        f.stop_requested = true;
        send_anonymous_event(f.waiter, &f.stop_requested);
    }
    return result.get();
}

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
        {"stop signal", stop_signal, 0, false, 1, true},
        {"stop signal whose event was flushed", stop_flag_only, 0, false, 1, true},
        {"stop signal with the non-VT display", stop_signal, 0, true, 1, false},
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
        EXPECT_EQ(run_within_deadline(shutting, f), c.code);
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
    EXPECT_EQ(run_within_deadline(loop, *this), 2);
    store->head.set(system().initiate_shutdown, 7);
    EXPECT_EQ(loop.finish(folder.path() + "first/"), 7);
    EXPECT_EQ(text_of(folder.path() + "first/AppExitCode.txt"), "7");
    stop_requested = true;
    EXPECT_EQ(loop.finish(folder.path() + "second/"), 1);
    EXPECT_EQ(text_of(folder.path() + "second/AppExitCode.txt"), "1");
}

// Each step that can fail names itself: a rename that fails is no failure to open.
TEST_F(Main_loop_test, an_exit_code_file_that_cannot_be_written_says_which_step_failed_and_the_code_stays)
{
    loop.start();
    stop_requested = true;
    EXPECT_EQ(run_within_deadline(loop, *this), 1);
    struct Case {
        const char* what;
        std::function<void(const std::string& folder)> fault;
        const char* said;
        const char* reason;
    } cases[] = {
        {"a file where the folder should be", [](const std::string& folder) { write_bytes(folder, {1}); },
         "Failed to open AppExitCode for writing\n", "cannot make folder"},
        {"a folder where the file should be",
         [](const std::string& folder) { std::filesystem::create_directories(folder + "/AppExitCode.txt/x"); },
         "Failed to rename AppExitCode into place\n", "cannot rename"},
        {"a disk that cannot sync",
         [](const std::string& folder) {
             std::filesystem::create_directories(folder);
             File_util::set_sync_function([](int) {
                 errno = EIO;
                 return -1;
             });
         },
         "Failed to write AppExitCode\n", "cannot sync"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string app = folder.path() + "app" + std::to_string(++n);
        c.fault(app);
        Debug_capture capture;
        testing::internal::CaptureStderr();
        EXPECT_EQ(loop.finish(app + "/"), 1);
        File_util::set_sync_function(nullptr);
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(errors.rfind(c.said, 0), 0u) << errors;
        EXPECT_NE(errors.find(c.reason), std::string::npos) << errors;
        EXPECT_EQ(capture.text().find("Writing exit code"), std::string::npos) << capture.text();
        EXPECT_FALSE(std::filesystem::is_regular_file(app + "/AppExitCode.txt"));
    }
}

}
