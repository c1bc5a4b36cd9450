#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/VtPlacement.h"

namespace {

// Sizes the state, error and volume texts (a volume name has at most 19
// characters).
const char* const text_sample = "12345678901234567890";

VtObjectOutputFieldString* placeLabelledText(Seeder_layout& layout, VtObjectContainer* cell, const char* label)
{
    placeLabelInRow(layout.pool, cell, label, layout.font[0], 2, 0);
    return placeLabelInRow(layout.pool, cell, text_sample, layout.font[2], 2, 1);
}

}

// The software upgrade from a file server volume: the type and volume are
// chosen here, the file-server client reports state, error and progress.
void Seeder_screens::FactoryUpgradeMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Factory_upgrade_ids& own = ids.factory_upgrade;
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, "Factory Upgrade"));

    own.state.record(placeLabelledText(layout, grid.cells[0], "Status"));
    own.error.record(placeLabelledText(layout, grid.cells[1], "Error"));
    own.progress.record(placeLabelledNumber(layout, grid.cells[2], "Progress (0-100%)"));
    own.volume.record(placeLabelledText(layout, grid.cells[3], "FS Volume"));
    placeTextInRow(pool, grid.cells[4], "Upgrade Type", layout.font[12], 1, 0, 1);
    own.type_list.record(placeInputListInRow(pool, grid.cells[5], layout.font[2], 1, 0,
                                             {"     KX-4 Main", "      KX-4 AUX", "      Advanced"}));
    own.instruction.record(placeTextInRow(pool, rows.at(4), instruction_sample, layout.font[0], 1, 0, 3));

    // Four places for the keys, then one for Stop or Continue.
    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    for (Pointer_id& slot : own.key_slots)
        slot.record(addSoftKeyPointer(pool, keys));
    own.advanced_key.record(createSlotKey(layout, 14, "Advanced", "Menu"));
    own.main_key.record(createSlotKey(layout, 17, "Main", "Screen"));
    own.volume_key.record(createSlotKey(layout, 58, "Toggle", "FS Vol"));
    own.start_key.record(createSlotKey(layout, 58, "Start"));
    own.stop_key.record(createSlotKey(layout, 111, "Stop"));
    own.continue_key.record(createSlotKey(layout, 112, "Continue"));
}
