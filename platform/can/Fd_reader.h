#pragma once
#include <atomic>
#include <functional>
#include <thread>

// A thread that calls on_input each time a file descriptor has input (or is
// closed by the peer), until on_input returns false or stop() is called.
class Fd_reader {
public:
    Fd_reader();
    ~Fd_reader(); // stops
    Fd_reader(const Fd_reader&) = delete;
    Fd_reader& operator=(const Fd_reader&) = delete;

    // The thread is named after name (at most 15 characters kept).
    void start(int fd, std::function<bool()> on_input, const char* name);
    // Ends the thread and joins it; on_input is not running when it returns.
    void stop();

private:
    void run(int fd, const std::function<bool()>& on_input);

    int wake_fd_ = -1;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};
