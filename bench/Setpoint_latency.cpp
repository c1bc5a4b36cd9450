// kx4_setpoint_bench: how long a new requested rate typed at kx4's test
// console takes to reach the drive, as the drive target with the new period
// that the fake slave processors receive. Held against one 100 ms control
// tick plus one poll cycle, the cycle measured on the same run.
#include "bench/Bench_arguments.h"
#include "bench/Driving_seeder.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Fake_slave.h"
#include "tests/support/Spawned_process.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int changes = 60;
constexpr double tick_ms = 100;
constexpr int timeout_ms = 20000;
// The drive target of channel 1 of ECU 50, sent once a cycle (slot 1).
const std::string drive_target = "request to 50 command 2:";
const std::string period_word = "(channel 1 period ";

// The drive targets the fake received: when, and the period field.
class Drive_targets {
public:
    void add(const std::string& line)
    {
        const size_t at = line.find(period_word);
        if (line.find(drive_target) == std::string::npos || at == std::string::npos)
            return;
        const long period = std::strtol(line.c_str() + at + period_word.size(), nullptr, 10);
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.push_back({Clock::now(), period});
        changed_.notify_all();
    }

    // Waits for a target whose period differs from `from`; its time.
    bool wait_for_other(long from, Clock::time_point& when)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        size_t next = seen_.size();
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
        for (;;) {
            for (; next < seen_.size(); ++next) {
                if (seen_[next].period != from) {
                    when = seen_[next].when;
                    return true;
                }
            }
            if (changed_.wait_until(lock, deadline) == std::cv_status::timeout)
                return false;
        }
    }

    long last_period()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_.empty() ? -1 : seen_.back().period;
    }

    // Median time between successive targets: one poll cycle.
    double cycle_ms()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<double> gaps;
        for (size_t i = 1; i < seen_.size(); ++i)
            gaps.push_back(std::chrono::duration<double, std::milli>(seen_[i].when - seen_[i - 1].when).count());
        if (gaps.empty())
            return 0;
        std::sort(gaps.begin(), gaps.end());
        return gaps[gaps.size() / 2];
    }

private:
    struct Seen {
        Clock::time_point when;
        long period;
    };
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Seen> seen_;
};

// Takes what kx4 printed so far, so that its output never fills the pipe.
void drain(Spawned_process& kx4)
{
    std::string line;
    while (kx4.read_line(line, 0)) {
    }
}

int run(const std::string& root)
{
    Drive_targets targets;
    Fake_slave::Settings settings;
    settings.link = root + "slaves";
    Fake_slave slaves(settings, [&targets](const std::string& line) { targets.add(line); });
    std::string error;
    if (!slaves.start(error)) {
        std::printf("  the fake slave did not start: %s\n", error.c_str());
        return 1;
    }
    Hub_process hub(CAN_HUB_PROGRAM);
    Spawned_process kx4({KX4_PROGRAM, "-T", "--port=" + settings.link, "--bus=" + hub.isobus(), "--abus=" + hub.abus()},
                        {"KX4_ROOT=" + root}, Spawned_process::Input::fed);
    if (!hub.listening() || !kx4.wait_for_output("Starting in", timeout_ms)) {
        std::printf("  kx4 did not start:\n%s\n", kx4.output().c_str());
        return 1;
    }
    for (const std::string& line : driving_seeder_lines())
        kx4.write_input(line + "\n");
    Clock::time_point when;
    if (!targets.wait_for_other(0, when)) {
        std::printf("  the drive never ran:\n%s\n", kx4.output().c_str());
        return 1;
    }

    std::mt19937 random(14);
    std::uniform_int_distribution<int> pause_ms(0, 300);
    std::vector<double> latencies;
    for (int i = 0; i < changes; ++i) {
        // Let the last change settle, then a new rate at a random moment of the tick and the cycle.
        std::this_thread::sleep_for(std::chrono::milliseconds(pause_ms(random)));
        drain(kx4);
        const long before = targets.last_period();
        const double rate = i % 2 ? 100 : 120 + i;
        const auto asked = Clock::now();
        kx4.write_input("set data_store.channels.channels.0.requested_rate=" + std::to_string(rate) + "\n");
        if (!targets.wait_for_other(before, when)) {
            std::printf("  change %d: no new period reached the drive\n", i + 1);
            return 1;
        }
        latencies.push_back(std::chrono::duration<double, std::milli>(when - asked).count());
        // The same period may still be on its way in the cycle that follows.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const double cycle = targets.cycle_ms();
    const double limit = tick_ms + cycle;
    std::sort(latencies.begin(), latencies.end());
    const double median = latencies[latencies.size() / 2];
    std::printf("  %d changes of requested_rate, console to the drive target with the new period:\n"
                "    median  %7.1f ms: ratio %.2f to the limit (at most 1)\n"
                "    maximum %7.1f ms: ratio %.2f to the limit (at most 1)\n"
                "    limit   %7.1f ms: one control tick (%.0f ms) plus one poll cycle (%.1f ms, the median\n"
                "                      time between two drive targets of channel 1 on this run)\n",
                changes, median, median / limit, latencies.back(), latencies.back() / limit, limit, tick_ms, cycle);
    kx4.write_input("shutdown\n");
    kx4.wait_for_exit(timeout_ms);
    return 0;
}

}

const char* const about =
    "How long a new requested rate typed at kx4's test console takes to reach the fake slave\n"
    "processors as the drive target with the new period: median and maximum of 60 changes at\n"
    "random moments, each as a ratio to one 100 ms control tick plus one poll cycle measured on\n"
    "the same run. Runs about half a minute.\n";

int main(int argc, char** argv)
{
    int status;
    if (!bench_arguments(argc, argv, about, status))
        return status;
    std::printf("A new requested rate from kx4's test console to the fake slave processors\n");
    char folder[] = "/tmp/kx4_setpoint_bench.XXXXXX";
    if (!mkdtemp(folder)) {
        std::printf("  no temporary folder\n");
        return 1;
    }
    status = run(std::string(folder) + "/");
    std::filesystem::remove_all(folder);
    return status;
}
