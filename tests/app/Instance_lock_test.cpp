#include "app/Instance_lock.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Instance_lock_test : public ::testing::Test {
protected:
    Temp_folder root;
    const std::string data = root.path() + "var/data/kx4/data/";
};

TEST_F(Instance_lock_test, a_second_holder_is_turned_away_with_the_first_ones_id_until_it_lets_go)
{
    auto first = std::make_unique<Instance_lock>();
    ASSERT_EQ(first->take(data), Instance_lock::taken);
    const std::string pid = std::to_string(getpid());
    EXPECT_EQ(text_of(data + "kx4.lock"), pid + "\n");

    Debug_capture capture;
    Instance_lock second;
    EXPECT_EQ(second.take(data), Instance_lock::held_by_another);
    EXPECT_EQ(capture.text(), "Another kx4 (process " + pid + ") already runs on the files in " + data +
                                  ": this one ends\n");
    first.reset();
    Instance_lock third;
    EXPECT_EQ(third.take(data), Instance_lock::taken);
}

// However the holder ends, even by SIGKILL, its lock goes with it.
TEST_F(Instance_lock_test, the_lock_of_a_killed_holder_is_free_at_once)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        Instance_lock lock;
        const char taken = lock.take(data) == Instance_lock::taken ? 'y' : 'n';
        if (write(ready[1], &taken, 1) == 1)
            pause();
        _exit(1);
    }
    close(ready[1]);
    pollfd wait_for{ready[0], POLLIN, 0};
    char taken = 0;
    ASSERT_EQ(poll(&wait_for, 1, 20000), 1);
    ASSERT_EQ(read(ready[0], &taken, 1), 1);
    close(ready[0]);
    EXPECT_EQ(taken, 'y');

    Instance_lock lock;
    Debug_capture capture;
    EXPECT_EQ(lock.take(data), Instance_lock::held_by_another);
    kill(holder, SIGKILL);
    ASSERT_EQ(waitpid(holder, nullptr, 0), holder);
    Instance_lock after;
    EXPECT_EQ(after.take(data), Instance_lock::taken);
}

TEST_F(Instance_lock_test, a_lock_file_that_cannot_be_made_is_reported_and_holds_nothing_back)
{
    write_bytes(root.path() + "var", {1}); // a file where the folders should be
    Debug_capture capture;
    Instance_lock lock;
    EXPECT_EQ(lock.take(data), Instance_lock::no_lock);
    EXPECT_EQ(capture.text().rfind("Cannot lock " + data + "kx4.lock (cannot make folder", 0), 0u) << capture.text();
    EXPECT_NE(capture.text().find("a second kx4 on these files would go unnoticed\n"), std::string::npos);
}

}
