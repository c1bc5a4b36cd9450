// kx4_load_bench: the CPU time of kx4 -T per minute, running its
// demonstration simulator and running its control task on fake_slave, each
// beside a bare 10 ms thread and one core.
#include "tests/support/Hub_process.h"
#include "bench/Idle_load.h"
#include "tests/support/Spawned_process.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int minute_ms = 60000;

// kx4 -T for a minute once it has started; its CPU time and wake-ups over that minute.
void measure(const char* what, const std::vector<std::string>& port_arguments, const std::string& root)
{
    Hub_process hub(CAN_HUB_PROGRAM);
    std::vector<std::string> arguments{KX4_PROGRAM, "-T", "--bus=" + hub.isobus(), "--abus=" + hub.abus()};
    arguments.insert(arguments.end(), port_arguments.begin(), port_arguments.end());
    Spawned_process kx4(arguments, {"KX4_ROOT=" + root}, Spawned_process::Input::fed);
    if (!hub.listening() || !kx4.wait_for_output("Starting in", 20000)) {
        std::printf("  %s: kx4 did not start:\n%s\n", what, kx4.output().c_str());
        return;
    }
    // Text it never prints: each wait reads its output for the whole time.
    kx4.wait_for_output("\x01", 2000);
    const Idle_load load = process_load(kx4.pid(), [&] { kx4.wait_for_output("\x01", minute_ms); });
    std::printf("  %-28s %8.0f ms CPU per minute (%5.2f %% of one core), %6.0f wake-ups per s\n", what,
                load.cpu_ms_per_s * 60, load.cpu_ms_per_s / 10, load.wake_ups_per_s);
    kx4.write_input("shutdown\n");
    kx4.wait_for_exit(20000);
}

}

int main()
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    char folder[] = "/tmp/kx4_load_bench.XXXXXX";
    if (!mkdtemp(folder)) {
        std::printf("no temporary folder\n");
        return 1;
    }
    const std::string root = std::string(folder) + "/";
    std::printf("kx4 -T on can_hub, over one minute after start-up\n");
    measure("simulator (no --port):", {}, root + "simulator/");
    {
        const std::string link = root + "slaves";
        Spawned_process slaves({FAKE_SLAVE_PROGRAM, "--link", link});
        if (slaves.wait_for_output("fake_slave: serving", 10000))
            measure("control task on fake_slave:", {"--port=" + link}, root + "control/");
        else
            std::printf("  fake_slave did not start:\n%s\n", slaves.output().c_str());
        slaves.stop(SIGTERM);
    }
    const Idle_load bare = ten_ms_thread_load(10000);
    std::printf("  %-28s %8.0f ms CPU per minute (%5.2f %% of one core), %6.0f wake-ups per s\n",
                "a bare thread every 10 ms:", bare.cpu_ms_per_s * 60, bare.cpu_ms_per_s / 10, bare.wake_ups_per_s);
    std::printf("  %-28s %8d ms CPU per minute\n", "one core:", minute_ms);
    std::filesystem::remove_all(folder);
    return 0;
}
