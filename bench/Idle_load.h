#pragma once
#include <functional>
#include <string>
#include <vector>
#include <sys/types.h>

// What the threads of a process cost over a span of time, from the
// scheduler's own counts (/proc/PID/task/*/): time on a CPU, and how often a
// thread went to sleep of its own accord, which is how often it woke.
struct Idle_load {
    double cpu_ms_per_s = 0;
    double wake_ups_per_s = 0;
    // The same for each thread of the process, by its name, busiest first.
    struct Thread {
        std::string name;
        double cpu_ms_per_s = 0;
        double wake_ups_per_s = 0;
    };
    std::vector<Thread> threads;
};

// The threads of a running process while `span` runs (for example reading
// the process's output for a few seconds).
Idle_load process_load(pid_t pid, const std::function<void()>& span);

// A bare thread of this process that sleeps 10 ms at a time and does nothing
// else, over `ms` milliseconds.
Idle_load ten_ms_thread_load(int ms);
