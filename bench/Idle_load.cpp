#include "bench/Idle_load.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <dirent.h>
#include <fstream>
#include <map>
#include <string>
#include <sys/syscall.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

struct Figures {
    double cpu_ns = 0;
    double wake_ups = 0;
};

struct Sample {
    Figures total;
    // By thread id, with the thread's name.
    std::map<std::string, std::pair<std::string, Figures>> threads;
};

// One thread's figures from its folder under /proc: the time on a CPU from
// schedstat ("RUN_NS WAIT_NS SLICES"), and its wake-ups as the times it went
// to sleep of its own accord (voluntary_ctxt_switches in status). The slices
// are not wake-ups: on a busy machine they also count each time the thread
// was pre-empted and put back.
Figures read_thread(const std::string& folder)
{
    Figures f;
    std::ifstream schedstat(folder + "/schedstat");
    schedstat >> f.cpu_ns;
    std::ifstream status(folder + "/status");
    const std::string key = "voluntary_ctxt_switches:";
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, key.size(), key) == 0) {
            f.wake_ups = std::stod(line.substr(key.size()));
            break;
        }
    }
    return f;
}

void add(Figures& sum, const Figures& f)
{
    sum.cpu_ns += f.cpu_ns;
    sum.wake_ups += f.wake_ups;
}

Sample sample_process(pid_t pid)
{
    Sample sample;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* dir = opendir(tasks.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            const std::string folder = tasks + "/" + entry->d_name;
            const Figures f = read_thread(folder);
            std::string name;
            std::getline(std::ifstream(folder + "/comm"), name);
            sample.threads[entry->d_name] = {name, f};
            add(sample.total, f);
        }
        closedir(dir);
    }
    return sample;
}

Idle_load load_of(const Figures& before, const Figures& after, double seconds)
{
    return Idle_load{(after.cpu_ns - before.cpu_ns) / 1e6 / seconds, (after.wake_ups - before.wake_ups) / seconds, {}};
}

// Threads of one name are summed; one that came during the span counts from naught.
Idle_load load_between(const Sample& before, const Sample& after, double seconds)
{
    Idle_load load = load_of(before.total, after.total, seconds);
    std::map<std::string, std::pair<Figures, Figures>> by_name;
    for (const auto& [tid, thread] : after.threads) {
        auto& [was, is] = by_name[thread.first];
        const auto earlier = before.threads.find(tid);
        if (earlier != before.threads.end())
            add(was, earlier->second.second);
        add(is, thread.second);
    }
    for (const auto& [name, figures] : by_name) {
        const Idle_load one = load_of(figures.first, figures.second, seconds);
        load.threads.push_back({name, one.cpu_ms_per_s, one.wake_ups_per_s});
    }
    std::sort(load.threads.begin(), load.threads.end(),
              [](const Idle_load::Thread& a, const Idle_load::Thread& b) { return a.wake_ups_per_s > b.wake_ups_per_s; });
    return load;
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
    const std::string path = "/proc/self/task/" + std::to_string(tid);
    const Figures before = read_thread(path);
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    const Figures after = read_thread(path);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    stop = true;
    ticker.join();
    return load_of(before, after, seconds);
}
