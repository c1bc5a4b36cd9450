// kx4_demo_parameters: writes the parameter file that the demonstration with
// the fake slave processors starts from, so that a seeder drives with a few
// console lines: a 12 m air drill, one boom of six 2 m sections, two granular
// tanks on motor drives, a manual speed of 8 km/h and the Task Controller
// taken as soon as one is heard. Everything else keeps its factory setting.
#include "app/Parameter_file.h"
#include "app/start_up_overrides.h"
#include "params/parameters_t.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void usage(FILE* out)
{
    std::fprintf(out, "usage: kx4_demo_parameters FOLDER\n"
                      "Writes the demonstration's parameter file FOLDER/params (and params.bak), as kx4 keeps\n"
                      "them in KX4_ROOT/var/data/kx4/cache/: the factory settings, and a 12 m air drill with\n"
                      "two granular tanks on one boom of six sections, manual speed 8 km/h, the Task\n"
                      "Controller enabled without a wait for a preferred one.\n");
}

// A tank on a motor drive: 20 pulses a shaft turn (gear 10, plain encoder),
// kg_per_turn a turn, its usual rate preset.
void granular_tank(NV_quvel::channel_t& tank, float kg_per_turn, float capacity_kg, float rate)
{
    tank.enabled.set(true);
    tank.mode.set(0);                     // granular
    tank.granular_controller_type.set(0); // motor drive
    tank.motor_pulse_encoder.set(0);
    tank.motor_gear_ratio.set(10.0f);
    tank.cal_setting.set(kg_per_turn);
    tank.capacity.set(capacity_kg);
    tank.remaining.set(capacity_kg);
    tank.preset_rate_1.set(rate);
    tank.assigned_to_boom.set(0);
}

void set_demonstration(NV_quvel::parameters_t& parameters)
{
    NV_quvel::application_t& app = parameters.app;
    app.machine_width.set(12.0f);
    app.booms.num_booms.set(1);
    NV_quvel::boom_t& boom = *app.booms.booms[0];
    boom.num_sections.set(6);
    for (int s = 0; s < 6; ++s)
        boom.sections[s]->width.set(2.0);
    app.num_channels.set(2);
    granular_tank(*app.channels[0], 0.5f, 3000.0f, 100.0f); // seed
    granular_tank(*app.channels[1], 0.25f, 2000.0f, 60.0f); // fertiliser
    app.speed_source.set(3); // the manual speed
    app.manual_speed.set(8.0f);
    // A Task Controller makes kx4 a working implement; the factory settings
    // wait a minute for a preferred Task Controller and VT that the
    // demonstration has not.
    parameters.system.tc_enabled.set(true);
    parameters.system.specific_tc_timeout.set(0);
    parameters.system.terminal_timeout.set(0);
}

}

int main(int argc, char** argv)
{
    if (argc == 2 && (!std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help"))) {
        usage(stdout);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-' || argv[1][0] == '\0') {
        usage(stderr);
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/')
        folder += '/';
    NV_quvel::parameters_t parameters;
    apply_start_up_overrides(parameters);
    set_demonstration(parameters);
    Parameter_file file(parameters, folder);
    if (!file.create_folder() || !file.save())
        return 1;
    std::printf("Demonstration parameters written to %s\n", file.get_path().c_str());
    return 0;
}
