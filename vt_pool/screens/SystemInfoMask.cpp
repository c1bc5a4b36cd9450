#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

#include <string>

// Firmware of the application and of the ECUs, and the controller's
// address: a label over a text each.
void Seeder_screens::SystemInfoMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    System_info_ids& own = ids.system_info;
    VtObjectDataMask* mask = createDataMask(pool);
    own.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    createRows(layout, rows, 2, mask);
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "System Info", layout.font[7], 1, 0);

    // The samples fix each text's length; the screen writes the text.
    const char* const labels[] = {"Dravikon Firmware", "KELTU Firmware", "IP Address"};
    const char* const samples[] = {"01234567890123456789", "012345678901", "012345678901"};
    for (uint32_t r = 0; r < own.value_labels.size(); ++r) {
        VtObjectContainer* row = rows.at(r + 1);
        addToContainer(row, 0, 0, createHorizontalLine(pool, layout.width, layout.line_sep));
        placeTextInRow(pool, row, labels[r], layout.font[12], 2, 0, 1);
        VtObjectOutputFieldString* value = placeLabelInRow(pool, row, samples[r], layout.font[2], 2, 1);
        value->setValue(std::string(value->getValue().size(), ' '));
        own.value_labels[r].record(value);
    }

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.diags_key.record(addKey(pool, keys, 1, 1, "Diags.", "", layout.font[1]));
    own.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
}
