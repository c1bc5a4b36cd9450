// kx4_load_bench: the CPU time of kx4 -T over a minute, running its
// demonstration simulator and with everything live, beside a bare 10 ms
// thread and against the 1 % of one core that kx4 may take.
#include "app/Parameter_file.h"
#include "bench/Bench_arguments.h"
#include "bench/Drained_process.h"
#include "bench/Driving_seeder.h"
#include "bench/Idle_load.h"
#include "params/parameters_t.h"
#include "tests/app/Kx4_driving.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int minute_ms = 60000;
constexpr int timeout_ms = 20000;
constexpr double limit_percent = 1.0;

const char* const about =
    "The CPU time of kx4 -T on can_hub over one minute after start-up, in % of one core, from the\n"
    "scheduler's own counts:\n"
    "  - running its demonstration simulator (no --port);\n"
    "  - with everything live: the control task driving channel 0 of fake_slave, fake_tc_server\n"
    "    attached with the seeder's pool active, the remote store and diagnostics running; held\n"
    "    against the limit of 1 % of one core, as a ratio;\n"
    "  - a bare thread waking every 10 ms, for comparison.\n"
    "kx4's figures are followed by those of each of its threads that wakes at least once a second.\n"
    "Runs about three minutes.\n";

void print_load(const char* what, const Idle_load& load)
{
    std::printf("  %-30s %7.0f ms CPU per minute (%5.2f %% of one core), %5.0f wake-ups per s\n", what,
                load.cpu_ms_per_s * 60, load.cpu_ms_per_s / 10, load.wake_ups_per_s);
    for (const Idle_load::Thread& thread : load.threads)
        if (thread.wake_ups_per_s >= 1)
            std::printf("  %32s %-16s %7.0f ms CPU per minute, %5.0f wake-ups per s\n", "thread",
                        thread.name.c_str(), thread.cpu_ms_per_s * 60, thread.wake_ups_per_s);
}

// kx4's load over a minute once it runs; false when it did not start.
bool measure(Spawned_process& kx4, Idle_load& load)
{
    // Text it never prints: each wait reads its output for the whole time.
    kx4.wait_for_output("\x01", 2000);
    load = process_load(kx4.pid(), [&] { kx4.wait_for_output("\x01", minute_ms); });
    kx4.write_input("shutdown\n");
    return kx4.wait_for_exit(timeout_ms).has_value();
}

void simulator(const std::string& root)
{
    Hub_process hub(CAN_HUB_PROGRAM);
    Spawned_process kx4({KX4_PROGRAM, "-T", "--bus=" + hub.isobus(), "--abus=" + hub.abus()}, {"KX4_ROOT=" + root},
                        Spawned_process::Input::fed);
    Idle_load load;
    if (!hub.listening() || !kx4.wait_for_output("Starting in", timeout_ms)) {
        std::printf("  simulator: kx4 did not start:\n%s\n", kx4.output().c_str());
        return;
    }
    measure(kx4, load);
    print_load("simulator (no --port):", load);
}

// The Task Controller enabled, with no wait for a preferred one.
bool save_tc_parameters(const std::string& root)
{
    NV_quvel::parameters_t stored;
    stored.system.tc_enabled.set(true);
    stored.system.specific_tc_timeout.set(0);
    Parameter_file file(stored, root + "var/data/kx4/cache/");
    return file.create_folder() && file.save();
}

// The limit held: true; says what did not come up otherwise.
bool everything_live(const std::string& root)
{
    if (!save_tc_parameters(root)) {
        std::printf("  everything live: cannot write the parameter file under %s\n", root.c_str());
        return false;
    }
    Hub_process hub(CAN_HUB_PROGRAM);
    const std::string link = root + "slaves";
    Drained_process slaves({FAKE_SLAVE_PROGRAM, "--link", link}, "fake_slave: serving", timeout_ms);
    Drained_process tc({FAKE_TC_SERVER_PROGRAM, hub.isobus()}, "fake_tc_server: Task Controller version",
                       timeout_ms);
    if (!hub.listening() || !slaves.ready() || !tc.ready()) {
        std::printf("  everything live: a peer did not start:\n%s%s%s\n", hub.output().c_str(),
                    slaves.start_output().c_str(), tc.start_output().c_str());
        return false;
    }
    Spawned_process kx4({KX4_PROGRAM, "-T", "--port=" + link, "--bus=" + hub.isobus(), "--abus=" + hub.abus()},
                        {"KX4_ROOT=" + root}, Spawned_process::Input::fed);
    if (!kx4.wait_for_output("Starting in", timeout_ms)) {
        std::printf("  everything live: kx4 did not start:\n%s\n", kx4.output().c_str());
        return false;
    }
    for (const std::string& line : driving_seeder_lines())
        kx4.write_input(line + "\n");
    auto non_zero = [](double value) { return value != 0; };
    double value;
    if (!wait_for_value(kx4, "get data_store.system.tc_alive", non_zero, &value, timeout_ms) ||
        !wait_for_value(kx4, "get data_store.channels.channels.0.set_period", non_zero, &value, timeout_ms)) {
        std::printf("  everything live: the Task Controller or the drive did not come up:\n%s\n",
                    kx4.output().c_str());
        return false;
    }
    Idle_load load;
    measure(kx4, load);
    print_load("everything live:", load);
    const double percent = load.cpu_ms_per_s / 10;
    std::printf("  %-30s %5.2f %% of one core against the limit of %.0f %%: ratio %.2f (at most 1)\n", "",
                percent, limit_percent, percent / limit_percent);
    return percent < limit_percent;
}

}

int main(int argc, char** argv)
{
    int status;
    if (!bench_arguments(argc, argv, about, status))
        return status;
    char folder[] = "/tmp/kx4_load_bench.XXXXXX";
    if (!mkdtemp(folder)) {
        std::printf("no temporary folder\n");
        return 1;
    }
    const std::string root = std::string(folder) + "/";
    std::printf("kx4 -T on can_hub, over one minute after start-up\n");
    simulator(root + "simulator/");
    everything_live(root + "live/");
    print_load("a bare thread every 10 ms:", ten_ms_thread_load(10000));
    std::filesystem::remove_all(folder);
    return 0;
}
