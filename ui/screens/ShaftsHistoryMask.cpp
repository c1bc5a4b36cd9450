#include "ui/screens/ShaftsHistoryMask.h"

#include "platform/iso/VT_Output_number_obj.h"
#include "platform/ui/Bind_object.h"
#include "vt_pool/Seeder_pool_ids.h"

bool ShaftsHistoryMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Shafts_history_ids& own = objects_.ids.shafts_history;
    if (!init_page(pool, params, own.mask, own.keys))
        return false;
    for (int s = 0; s < shafts; ++s)
        shaft_speeds[s].init(this, UI::bind_object<VT::Output_number_obj>(pool, own.shaft_speeds[s]),
                             Stat_num_format(0, 0.1, 1), Stat_num_format(0, 0.1, 1), 1000, pool);
    return true;
}

void ShaftsHistoryMask::refresh()
{
    for (int s = 0; s < shafts; ++s)
        shaft_speeds[s].set_val(read(history().shaft_max_speed[s]));
    send_val_updates(false);
}
