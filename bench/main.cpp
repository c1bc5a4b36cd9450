// kx4_bench: long messages between two stacks, can_hub's relay rate, the
// Task Controller and Virtual Terminal uploads and kx4's load at idle, each figure beside the limit
// or peer it is held against.
#include "bench/Bench_arguments.h"
#include "tests/support/Hub_process.h"
#include "bench/Idle_load.h"
#include "bench/Relay_rate.h"
#include "bench/Tc_upload_bench.h"
#include "bench/Transfer_bench.h"
#include "bench/Vt_upload_bench.h"
#include "tests/support/Spawned_process.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

// A 29-bit frame of 8 bytes is about 134 bits on the wire, without stuffing.
constexpr double frame_ms_at_250k = 134.0 / 250.0;
constexpr double frames_per_s_at_250k = 1000.0 / frame_ms_at_250k;
// can_hub relays at least this share of what a lean relay does.
constexpr double relay_limit = 0.9;
// The slave ECU's 10 ms tick of kx4 at idle takes at most this many times
// the CPU of a bare thread waking as often.
constexpr double idle_limit = 1.2;

const char* const about =
    "Figures of speed and load, each beside the limit or peer it is held against:\n"
    "  - long messages (TP and ETP) between two stacks, in-process and over can_hub: time, frames\n"
    "    against the minimum, payload bytes per frame against 7, the stacks' wake-ups;\n"
    "  - can_hub's relay of 200000 frames from one client to another against a lean relay built\n"
    "    into this program, as a ratio, the median of five rounds (at least 0.9);\n"
    "  - the Task Controller upload of the largest description, in-process and over can_hub;\n"
    "  - the Virtual Terminal upload of kx4's whole pool image (screens loaded), in-process and\n"
    "    over can_hub;\n"
    "  - kx4 at idle on can_hub: its slave ECU's 10 ms tick against a bare thread waking every\n"
    "    10 ms in the same span, as a ratio of the CPU, the median of five rounds of 2 s (at most\n"
    "    1.2), and all its threads (the demonstration simulator among them) beside it.\n"
    "Runs about half a minute.\n";

void print_transfers(const char* bus, Transfer_bench& bench, size_t length, int runs)
{
    std::vector<double> times;
    Transfer_bench::Figures last;
    for (int i = 0; i < runs; ++i) {
        last = bench.send(length);
        if (!last.ok) {
            std::printf("  %-10s %-4s %6zu bytes: FAILED (run %d)\n", bus, length > 1785 ? "ETP" : "TP", length, i + 1);
            return;
        }
        times.push_back(last.ms);
    }
    std::sort(times.begin(), times.end());
    const size_t minimum = Transfer_bench::minimum_frames(length);
    std::printf("  %-10s %-4s %6zu bytes: %8.1f ms (median of %d; a 250 kbit/s bus needs %.0f ms for the frames)\n"
                "  %26s frames %zu against the minimum %zu (%.2f payload bytes per frame against 7)\n"
                "  %26s stack task wake-ups: sender %llu, receiver %llu (%zu frames)\n",
                bus, length > 1785 ? "ETP" : "TP", length, times[times.size() / 2], runs, minimum * frame_ms_at_250k,
                "", last.frames, minimum, double(length) / double(last.frames), "",
                static_cast<unsigned long long>(last.sender_wake_ups),
                static_cast<unsigned long long>(last.receiver_wake_ups), last.frames);
}

void long_messages()
{
    std::printf("Long messages between two stacks (send to completion at the sender)\n");
    {
        Transfer_bench bench("mem,name=bench");
        if (!bench.ready()) {
            std::printf("  in-process: the stacks did not claim their addresses\n");
        } else {
            print_transfers("in-process", bench, 100000, 5);
            print_transfers("in-process", bench, 1785, 11);
        }
    }
    Hub_process hub(CAN_HUB_PROGRAM);
    if (!hub.listening()) {
        std::printf("  can_hub did not start\n");
        return;
    }
    Transfer_bench bench(hub.isobus());
    if (!bench.ready()) {
        std::printf("  can_hub: the stacks did not claim their addresses\n");
        return;
    }
    print_transfers("can_hub", bench, 100000, 5);
    print_transfers("can_hub", bench, 1785, 11);
}

void relay()
{
    constexpr size_t frames = 200000;
    constexpr int rounds = 5;
    std::printf("\ncan_hub's relay from one client to another (%zu frames of 8 bytes), %d rounds, each beside a lean "
                "relay\n",
                frames, rounds);
    Hub_process hub(CAN_HUB_PROGRAM);
    std::vector<double> ratios;
    for (int i = 0; i < rounds; ++i) {
        const double hub_rate = !hub.listening() ? 0 : relay_rate(hub.isobus_port(), frames);
        const double lean = lean_relay_rate(frames);
        ratios.push_back(lean > 0 ? hub_rate / lean : 0.0);
        std::printf("  can_hub %9.0f frames/s, a lean one-thread relay %9.0f frames/s: ratio %.2f\n", hub_rate, lean,
                    ratios.back());
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("  can_hub against the lean relay: ratio %.2f, median of %d (%.2f to %.2f) (at least %.1f)\n"
                "  a 250 kbit/s bus at 100%%:  %9.0f frames/s\n",
                ratios[ratios.size() / 2], rounds, ratios.front(), ratios.back(), relay_limit, frames_per_s_at_250k);
}

void print_tc_upload(const char* bus, const std::string& spec)
{
    const Tc_upload_figures f = upload_largest_description(spec);
    if (!f.ok) {
        std::printf("  %-10s FAILED\n", bus);
        return;
    }
    std::printf("  %-10s %6zu bytes in %zu frames: %.2f payload bytes per frame against the 7 of a TP or ETP "
                "data frame; %.1f ms (a 250 kbit/s bus needs %.0f ms for the frames)\n",
                bus, f.bytes, f.frames, double(f.bytes) / double(f.frames), f.ms, double(f.frames) * frame_ms_at_250k);
}

void tc_upload()
{
    std::printf("\nTask Controller upload of the largest description (transfer request to arrival)\n");
    print_tc_upload("in-process", "mem,name=tc_upload");
    Hub_process hub(CAN_HUB_PROGRAM);
    if (!hub.listening()) {
        std::printf("  can_hub did not start\n");
        return;
    }
    print_tc_upload("can_hub", hub.isobus());
}

// One round of kx4's load beside a bare thread in the same span, so that
// both see the same machine.
struct Idle_round {
    Idle_load kx4, bare;
};

// The thread of that name, or an empty record when the process has none.
Idle_load::Thread thread_named(const Idle_load& load, const std::string& name)
{
    for (const Idle_load::Thread& thread : load.threads)
        if (thread.name == name)
            return thread;
    return {};
}

Idle_round idle_round(Spawned_process& kx4, int ms)
{
    Idle_round round;
    std::thread beside([&] { round.bare = ten_ms_thread_load(ms); });
    // Text it never prints: each wait reads its output for the whole time.
    round.kx4 = process_load(kx4.pid(), [&] { kx4.wait_for_output("\x01", ms); });
    beside.join();
    return round;
}

void print_vt_upload(const char* bus, const std::string& spec)
{
    const Vt_upload_figures f = upload_seeder_pool(spec);
    if (!f.ok) {
        std::printf("  %-10s FAILED\n", bus);
        return;
    }
    const size_t frames = f.data_frames + f.control_frames;
    std::printf("  %-10s %6zu bytes in %zu data and %zu connection-management frames: %.2f payload bytes per frame "
                "against the 7 of a TP or ETP data frame (the Task Controller upload gave 6.92); %.1f ms (a 250 "
                "kbit/s bus needs %.0f ms for the frames)\n",
                bus, f.bytes, f.data_frames, f.control_frames, double(f.bytes) / double(frames), f.ms,
                double(frames) * frame_ms_at_250k);
}

void vt_upload()
{
    std::printf("\nVirtual Terminal upload of kx4's whole pool image, the code-built screens loaded (first "
                "transfer message to End of Object Pool)\n");
    print_vt_upload("in-process", "mem,name=vt_upload");
    Hub_process hub(CAN_HUB_PROGRAM);
    if (!hub.listening()) {
        std::printf("  can_hub did not start\n");
        return;
    }
    print_vt_upload("can_hub", hub.isobus());
}

void idle_load()
{
    constexpr int rounds = 5, round_ms = 2000;
    std::printf("\nkx4 at idle on can_hub (no slave ECU answering, no display), %d rounds of %d s, each beside a bare "
                "thread waking every 10 ms\n",
                rounds, round_ms / 1000);
    char folder[] = "/tmp/kx4_bench.XXXXXX";
    if (!mkdtemp(folder)) {
        std::printf("  no temporary folder\n");
        return;
    }
    {
        Hub_process hub(CAN_HUB_PROGRAM);
        Spawned_process kx4({KX4_PROGRAM, "--bus=" + hub.isobus(), "--abus=" + hub.abus()},
                            {"KX4_ROOT=" + std::string(folder) + "/"});
        if (!hub.listening() || !kx4.wait_for_output("Starting in", 20000)) {
            std::printf("  kx4 did not start:\n%s\n", kx4.output().c_str());
        } else {
            kx4.wait_for_output("\x01", 1000);
            // The limit holds the slave ECU's tick, the task that wakes every
            // 10 ms; the whole process, with its simulator, is shown beside it.
            std::vector<double> tick_ratios, process_ratios;
            for (int i = 0; i < rounds; ++i) {
                const Idle_round r = idle_round(kx4, round_ms);
                const Idle_load::Thread tick = thread_named(r.kx4, "vrm.EcuManager");
                const double bare = r.bare.cpu_ms_per_s;
                tick_ratios.push_back(bare > 0 ? tick.cpu_ms_per_s / bare : 0.0);
                process_ratios.push_back(bare > 0 ? r.kx4.cpu_ms_per_s / bare : 0.0);
                std::printf("  slave ECU tick: %6.2f ms CPU per s, %4.0f wake-ups per s; kx4, all threads: %6.2f ms "
                            "CPU per s, %4.0f wake-ups per s; bare thread: %6.2f ms CPU per s, %4.0f wake-ups per s; "
                            "ratios %.2f and %.2f\n",
                            tick.cpu_ms_per_s, tick.wake_ups_per_s, r.kx4.cpu_ms_per_s, r.kx4.wake_ups_per_s, bare,
                            r.bare.wake_ups_per_s, tick_ratios.back(), process_ratios.back());
            }
            std::sort(tick_ratios.begin(), tick_ratios.end());
            std::sort(process_ratios.begin(), process_ratios.end());
            std::printf("  the slave ECU's 10 ms tick against the bare thread: ratio %.2f of the CPU, median of %d "
                        "(%.2f to %.2f) (at most %.1f)\n",
                        tick_ratios[tick_ratios.size() / 2], rounds, tick_ratios.front(), tick_ratios.back(),
                        idle_limit);
            std::printf("  kx4, all threads, against the bare thread: ratio %.2f, median of %d (%.2f to %.2f)\n",
                        process_ratios[process_ratios.size() / 2], rounds, process_ratios.front(),
                        process_ratios.back());
        }
    }
    std::filesystem::remove_all(folder);
}

}

int main(int argc, char** argv)
{
    int status;
    if (!bench_arguments(argc, argv, about, status))
        return status;
    long_messages();
    relay();
    tc_upload();
    vt_upload();
    idle_load();
    return 0;
}
