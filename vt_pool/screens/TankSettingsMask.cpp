#include "vt_pool/screens/Settings_screen_parts.h"

#include <string>

using namespace Settings_screen_parts;

namespace {

// The setup buttons of tanks 1 to 4 carry these codes and the next three.
constexpr uint8_t first_setup_code = 113;

}

// How many tanks are used, and per tank a row: its number and setup button,
// capacity, product type and drive, the drive chosen from the list of the
// tank's type (granular or liquid), each list in a container of its own.
void Seeder_screens::TankSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Tank_settings_ids& own = ids.tank_settings;
    VtObjectDataMask* mask = whiteMask(layout, own.mask);
    Seeder_frame_list rows;
    createRows(layout, rows, 2, mask);

    Seeder_frame_list columns;
    createColumns(layout, columns, 8, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Tank Settings", layout.font[7], 1, 0);
    own.tank_count.record(
        placeInputListInRow(pool, columns.at(1), layout.font[2], 2, 1, {"  1  ", "  2  ", "  3  ", "  4  "}));

    const VtObjectFontAttribute* font = layout.font[4];
    for (uint32_t t = 0; t < 4; ++t) {
        VtObjectContainer* row = rows.at(t + 1);
        own.rows[t].record(row);
        createColumns(layout, columns, 6, row);

        VtObjectContainer* tank = columns.at(0);
        placeLabelInRow(pool, tank, "Tank", layout.font[0], 3, 0);
        placeLabelInRow(pool, tank, std::to_string(t + 1), layout.font[2], 3, 1);
        const std::string setup = "Setup" + std::to_string(t + 1);
        VtObjectButton* button = createButton(pool, tank->getWidth() - 2 * layout.inset, tank->getHeight() / 3, 1,
                                              uint8_t(first_setup_code + t), setup.c_str(), layout.font[14]);
        placeButtonInBand(pool, tank, button, 3, 2, 1);
        ids.tank_settings_more.setup_buttons[t].record(button);

        own.capacities[t].record(numberCell(layout, columns.at(1), "Cap."));
        own.types[t].record(listCell(layout, columns.at(2), "Type", nullptr, {"Granular", "Liquid", "NH3"}, font));

        VtObjectContainer* drive = columns.at(3);
        labelCell(layout, drive, "Drive", nullptr);
        VtObjectContainer* granular = overlay(layout, drive, false);
        own.granular_drives[t].record(
            placeInputListInRow(pool, granular, font, 2, 1, {"Electric", "Actuator", "P. Valve"}));
        own.granular_drive_containers[t].record(granular);
        VtObjectContainer* liquid = overlay(layout, drive, true);
        own.liquid_drives[t].record(placeInputListInRow(pool, liquid, font, 2, 1, {"RegValve", "P. Valve"}));
        own.liquid_drive_containers[t].record(liquid);
    }
    separateRows(layout, rows);

    VtObjectSoftKeyMask* keys = softKeys(layout);
    addSeederKeys(layout, keys, own.seeder_key, own.settings_key, own.main_key);
}
