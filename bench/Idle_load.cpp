#include "bench/Idle_load.h"

#include <atomic>
#include <chrono>
#include <dirent.h>
#include <fstream>
#include <string>
#include <sys/syscall.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

struct Sample {
    double cpu_ns = 0;
    double slices = 0;
};

// Adds one thread's figures: "RUN_NS WAIT_NS SLICES".
void add_thread(const std::string& path, Sample& sample)
{
    std::ifstream in(path);
    double run = 0, wait = 0, slices = 0;
    if (in >> run >> wait >> slices) {
        sample.cpu_ns += run;
        sample.slices += slices;
    }
}

Sample sample_process(pid_t pid)
{
    Sample sample;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* dir = opendir(tasks.c_str())) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.')
                add_thread(tasks + "/" + entry->d_name + "/schedstat", sample);
        closedir(dir);
    }
    return sample;
}

Idle_load load_between(const Sample& before, const Sample& after, double seconds)
{
    return Idle_load{(after.cpu_ns - before.cpu_ns) / 1e6 / seconds, (after.slices - before.slices) / seconds};
}

}

Idle_load process_load(pid_t pid, const std::function<void()>& span)
{
    const Sample before = sample_process(pid);
    const auto start = std::chrono::steady_clock::now();
    span();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return load_between(before, sample_process(pid), seconds);
}

Idle_load ten_ms_thread_load(int ms)
{
    std::atomic<bool> stop{false};
    std::atomic<pid_t> tid{0};
    std::thread ticker([&] {
        tid = pid_t(syscall(SYS_gettid));
        timespec next;
        clock_gettime(CLOCK_MONOTONIC, &next);
        while (!stop) {
            next.tv_nsec += 10000000;
            if (next.tv_nsec >= 1000000000) {
                next.tv_nsec -= 1000000000;
                ++next.tv_sec;
            }
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
        }
    });
    while (!tid)
        std::this_thread::yield();
    const std::string path = "/proc/self/task/" + std::to_string(tid) + "/schedstat";
    Sample before, after;
    add_thread(path, before);
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    add_thread(path, after);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    stop = true;
    ticker.join();
    return load_between(before, after, seconds);
}
