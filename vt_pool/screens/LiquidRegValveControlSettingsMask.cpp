#include "vt_pool/screens/Settings_screen_parts.h"

#include <array>

using namespace Settings_screen_parts;

namespace {

// One timing setting of the regulating valve: its label, and per
// controller mode 0 to 3 a list with that mode's options in a container of
// its own; only mode 0's is shown at first.
void placePerModeLists(Seeder_layout& layout, VtObjectContainer* cell, const char* label,
                       const std::array<Texts, 4>& options, std::array<Input_list_id, 4>& lists,
                       std::array<Container_id, 4>& containers)
{
    labelCell(layout, cell, label, nullptr);
    for (uint32_t mode = 0; mode < 4; ++mode) {
        VtObjectContainer* container = overlay(layout, cell, mode != 0);
        lists[mode].record(placeInputListInRow(layout.pool, container, layout.font[4], 2, 1, options[mode]));
        containers[mode].record(container);
    }
}

}

// The regulating valve of the chosen liquid tank: three fields a row, the
// timing settings kept per controller mode.
void Seeder_screens::LiquidRegValveControlSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Liquid_reg_valve_control_ids& own = ids.liquid_reg_valve_control;
    const auto cell = driveGrid(layout, own.mask, own.tank_number, "RValve Control Settings", 3, 4).cells;
    const VtObjectFontAttribute* font = layout.font[4];

    own.sensitivity.record(listCell(layout, cell[0], "Sensitivity", nullptr, {"Standard", "Reduced"}, font));
    own.controller_mode.record(listCell(layout, cell[1], "Controller", "Mode",
                                        {"Standard", "Mezza-Flow", "HALLEN-berg", "Corra"}, font));
    placePerModeLists(layout, cell[2], "PWM Setting",
                      {{{"100%", "65%", "60%", "55%"},
                        {"100%", "65%", "60%", "55%"},
                        {"60%", "55%", "50%", "45%"},
                        {"100%", "65%", "60%", "55%"}}},
                      own.pwm_setting, own.pwm_setting_containers);
    own.close_valve.record(listCell(layout, cell[3], "Close Valve", "When Off", disabled_enabled, font));
    placePerModeLists(layout, cell[4], "Min On Time",
                      {{{"8 ms", "4 ms", "2 ms", "1 ms"},
                        {"14 ms", "12 ms", "10 ms", "8 ms"},
                        {"8 ms", "6 ms", "4 ms", "2 ms"},
                        {"14 ms", "12 ms", "10 ms", "8 ms"}}},
                      own.min_on_time, own.min_on_time_containers);
    own.reverse_valve.record(listCell(layout, cell[5], "Reverse Valve", nullptr, disabled_enabled, font));
    placePerModeLists(layout, cell[6], "Max On Time",
                      {{{"4.0 s", "2.0 s", "1.0 s", "0.5 s"},
                        {"64 s", "56 s", "48 s", "40 s"},
                        {"48 s", "40 s", "32 s", "24 s"},
                        {"64 s", "56 s", "48 s", "40 s"}}},
                      own.max_on_time, own.max_on_time_containers);
    own.relay_on.record(listCell(layout, cell[7], "Relay On", "When Off", disabled_enabled, font));
    placePerModeLists(layout, cell[8], "Gain Setting",
                      {{{"16 ms/%", "8 ms/%", "4 ms/%", "2 ms/%"},
                        {"4.8 ms/%", "4.0 ms/%", "3.2 ms/%", "2.4 ms/%"},
                        {"3.2 ms/%", "2.4 ms/%", "1.6 ms/%", "0.8 ms/%"},
                        {"4.8 ms/%", "4.0 ms/%", "3.2 ms/%", "2.4 ms/%"}}},
                      own.gain_setting, own.gain_setting_containers);
    own.settings_button.record(createMenuButton(layout, cell[9], 71, "Settings"));

    addDriveKeys(layout, own.keys);
}
