// kx4_section_bench: the cost of one 100 ms boom and section step with ten
// channels on 10-section booms, against the 100 ms the step has.
#include "bench/Bench_arguments.h"
#include "control_logic/Seeder_controller.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int steps = 20000;
constexpr double tick_us = 100000.0;

// Ten granular channels, all on and driving, two on each of the first four
// booms and one on each of the last two; every boom has ten sections.
void set_up(Data_store& store, NV_quvel::parameters_t& parameters, bool non_vtt)
{
    NV_quvel::application_t& app = parameters.app;
    for (int b = 0; b < 6; ++b) {
        app.booms.booms[b]->num_sections.set(10);
        for (int s = 0; s < 10; ++s) {
            app.booms.booms[b]->sections[s]->width.set(0.6);
            app.booms.booms[b]->sections[s]->on_time.set(0.5 + 0.1 * s);
            app.booms.booms[b]->sections[s]->off_time.set(0.3);
        }
    }
    for (int i = 0; i < 10; ++i) {
        app.channels[i]->enabled.set(true);
        app.channels[i]->assigned_to_boom.set(uint8_t(i % 6));
        app.channels[i]->tank_on_time.set(1.0f);
        app.channels[i]->tank_off_time.set(0.5f);
    }
    store.head.set(store.body.system.non_vtt_connected, non_vtt);
    for (int i = 0; i < 10; ++i) {
        store.head.set(store.body.channels.channels[i].active, true);
        store.head.set(store.body.channels.channels[i].set_period, 20000u);
        store.head.set(store.body.channels.channels[i].requested_rate, 100.0);
    }
}

// Sections switching in a pattern that keeps several runs in every delay line.
void switch_sections(Data_store& store, int step)
{
    for (int b = 0; b < 6; ++b)
        for (int s = 0; s < 10; ++s)
            store.head.set(store.body.booms.boom[b].sections[s].setpoint_work_state,
                           uint32_t(((step / (3 + s)) + b) % 2));
}

void run(const char* what, bool non_vtt, bool switching)
{
    Data_store store{nullptr, "0.1.0"};
    NV_quvel::parameters_t parameters;
    set_up(store, parameters, non_vtt);
    Seeder_controller controller(store, parameters);
    controller.refresh_parameters();
    controller.update_delay_times();
    for (int i = 0; i < 100; ++i)
        controller.boom_section_step();

    std::vector<double> us;
    us.reserve(steps);
    for (int i = 0; i < steps; ++i) {
        if (switching)
            switch_sections(store, i);
        const auto start = std::chrono::steady_clock::now();
        controller.boom_section_step();
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(us.begin(), us.end());
    const double median = us[us.size() / 2];
    const double worst = us[us.size() * 999 / 1000];
    std::printf("  %-36s median %7.1f us, 99.9 %% %7.1f us: %.3f %% of the %.0f us tick\n", what, median, worst,
                100.0 * median / tick_us, tick_us);
}

}

const char* const about =
    "The cost of one 100 ms boom and section step of the seeder controller, 10 channels on\n"
    "10-section booms, sections steady and switching: median and 99.9 % of 20000 steps, against\n"
    "the 100 ms tick. Runs a few seconds.\n";

int main(int argc, char** argv)
{
    int status;
    if (!bench_arguments(argc, argv, about, status))
        return status;
    std::printf("One boom and section step, 10 channels on 10-section booms (%d steps)\n", steps);
    run("VT, sections steady", false, false);
    run("VT, sections switching", false, true);
    run("display's times, sections switching", true, true);
    return 0;
}
