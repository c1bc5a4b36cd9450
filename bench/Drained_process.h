#pragma once
#include "tests/support/Spawned_process.h"

#include <atomic>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

// A peer program of a benchmark (a fake slave, a fake Task Controller) whose
// output a thread of its own reads to the end, so that a chatty one never
// stops on a full pipe while the benchmark measures something else.
class Drained_process {
public:
    // Starts it and waits up to timeout_ms for the text that says it is ready.
    Drained_process(const std::vector<std::string>& arguments, const std::string& ready_text, int timeout_ms);
    ~Drained_process(); // SIGTERM, then waits for its end
    Drained_process(const Drained_process&) = delete;
    Drained_process& operator=(const Drained_process&) = delete;

    bool ready() const { return ready_; }
    // What it printed until it was ready, or until it gave up.
    const std::string& start_output() const { return start_output_; }

private:
    Spawned_process process_;
    const pid_t pid_;
    bool ready_;
    std::string start_output_;
    std::atomic<bool> ended_{false};
    std::thread drain_;
};
