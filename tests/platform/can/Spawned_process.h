#pragma once
#include <string>
#include <sys/types.h>
#include <vector>

// A program run by a test, its standard output read line by line; killed
// (SIGKILL) if it still runs when the object goes.
class Spawned_process {
public:
    explicit Spawned_process(const std::vector<std::string>& argv);
    ~Spawned_process();
    Spawned_process(const Spawned_process&) = delete;
    Spawned_process& operator=(const Spawned_process&) = delete;

    bool started() const { return pid_ > 0; }
    // The next line of output (without its line end); false at the end of
    // the output or after timeout_ms.
    bool read_line(std::string& line, int timeout_ms = 10000);
    // Sends the signal and waits up to timeout_ms for the end: the exit
    // status, or -1 when it did not end normally in time.
    int stop(int signal, int timeout_ms = 10000);

private:
    pid_t pid_ = -1;
    int out_fd_ = -1;
    std::string pending_;
};
