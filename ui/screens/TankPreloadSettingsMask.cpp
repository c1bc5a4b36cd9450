#include "ui/screens/TankPreloadSettingsMask.h"

#include "params/parameters_t.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/ui/Bind_object.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <algorithm>

namespace {

// The longest preload the field shows, although up to 15 s can be entered.
constexpr double shown_max = 5.0;

}

bool TankPreloadSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Tank_preload_ids& own = objects_.ids.tank_preload;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    keys_.init(this, {{own.main_key, NULL_ID, "main"},
                      {own.settings_key, NULL_ID, "settings_menu"},
                      {own.seeder_key, NULL_ID, "seeder_settings_menu"}});
    preload_time.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.preload_time), Stat_num_format(0, 0.1, 1),
                      Stat_num_format(0, 0.1, 1), 1000, pool);
    preload_time.set_range(0, 15);
    preload_time.set_val(0);
    preload_time.set_editable(true);
    return true;
}

void TankPreloadSettingsMask::post_snapshot_init()
{
    const double stored = objects_.parameters.app.preload_time.get();
    preload_time.set_val(std::clamp(stored, 0.0, shown_max));
}

bool TankPreloadSettingsMask::handle_stat_update(Stat* s)
{
    if (s == &preload_time)
        objects_.parameters.app.preload_time.set(float(preload_time.get_val()));
    return false;
}

bool TankPreloadSettingsMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    keys_.handle(*this, a, e);
    return true;
}
