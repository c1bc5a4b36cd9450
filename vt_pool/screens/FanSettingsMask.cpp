#include "vt_pool/screens/Settings_screen_parts.h"

#include <string>

using namespace Settings_screen_parts;

namespace {

// Fan f's row: its pressure sensing and gain under one label in the first
// two thirds, its magnets in the last third, each part a group of its own.
void placeFanRow(Seeder_layout& layout, VtObjectContainer* row, uint32_t f, Fan_settings_ids& own)
{
    VtPool& pool = layout.pool;
    const std::string fan = "Fan " + std::to_string(f + 1);
    const uint32_t third = layout.width / 3;
    const uint32_t height = row->getHeight();

    VtObjectContainer* sense_group = createContainer(pool, 2 * third - layout.line_width, height);
    addToContainer(row, 0, 0, sense_group);
    placeLabelInRow(pool, sense_group, fan + " Press. Sense/Gain", layout.font[0], 2, 0);
    VtObjectContainer* sense = createContainer(pool, third - layout.line_width, height);
    addToContainer(sense_group, 0, 0, sense);
    own.senses[f].record(placeInputListInRow(pool, sense, layout.font[2], 2, 1, disabled_enabled));
    VtObjectContainer* gain = createContainer(pool, third - layout.line_width, height);
    addToContainer(sense_group, int32_t(third), 0, gain);
    own.gains[f].record(placeInputListInRow(pool, gain, layout.font[2], 2, 1, {"1", "2"}));
    own.sense_groups[f].record(sense_group);

    addToContainer(row, int32_t(2 * third - layout.line_width), 0,
                   createVerticalLine(pool, height, layout.line_sep));
    VtObjectContainer* magnets_group = createContainer(pool, third - layout.line_width, height);
    addToContainer(row, int32_t(2 * third), 0, magnets_group);
    own.magnets[f].record(numberCell(layout, magnets_group, (fan + " Magnets").c_str()));
    own.magnets_groups[f].record(magnets_group);
}

}

// The fans: how many, per fan its pressure sensing, gain and magnets, the
// case-drain sensor and fan 2 as a pump.
void Seeder_screens::FanSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Fan_settings_ids& own = ids.fan_settings;
    Seeder_frame_list rows;
    titledMask(layout, own.mask, rows, "Fan Settings");

    Seeder_frame_list columns;
    createColumns(layout, columns, 7, rows.at(1));
    own.fan_count.record(listCell(layout, columns.at(0), "NumFans", {"1", "2"}));
    VtObjectContainer* case_drain = overlay(layout, columns.at(1), false);
    own.case_drain.record(listCell(layout, case_drain, "Case Drain Sensor", disabled_enabled));
    own.case_drain_group.record(case_drain);

    placeFanRow(layout, rows.at(2), 0, own);
    placeFanRow(layout, rows.at(3), 1, own);

    createColumns(layout, columns, 7, rows.at(4));
    VtObjectContainer* pump = overlay(layout, columns.at(0), false);
    own.pump.record(listCell(layout, pump, "Fan 2 Use As Pump", disabled_enabled));
    own.pump_group.record(pump);
    separateRows(layout, rows);

    VtObjectSoftKeyMask* keys = softKeys(layout);
    addSeederKeys(layout, keys, own.seeder_key, own.settings_key, own.main_key);
}
