#include "ui/screens/WidthAndSpeedSettingsMask.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Screen_vt.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr double max_width = 100; // metres
constexpr double kmh_to_ms = 0.2777777777777778;
constexpr double max_speed_kmh = 50;
constexpr double max_speed_ms = 13.88888888888889;

}

bool WidthAndSpeedSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Width_and_speed_ids& own = objects_.ids.width_and_speed;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    keys_.init(this, {{own.seeder_key, NULL_ID, "seeder_settings_menu"},
                      {own.settings_key, NULL_ID, "settings_menu"},
                      {own.main_key, NULL_ID, "main"}});
    width.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.width), Stat_num_format(2, 0.001, 3),
               Stat_num_format(2, 0.0003048, 3), 1000, pool);
    width.set_range(0, max_width);
    width.set_editable(true);
    manual_speed.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.manual_speed),
                      Stat_num_format(6, 0.02777777777777778, 1), Stat_num_format(6, 0.044703999999999994, 1), 1000,
                      pool);
    manual_speed.set_range(0, max_speed_ms);
    manual_speed.set_editable(true);
    speed_source.init(this, UI::bind_object<VT::Input_list_obj>(pool, own.speed_source), nullptr, pool, false);
    speed_source.set_editable(true);
    return true;
}

void WidthAndSpeedSettingsMask::post_snapshot_init()
{
    const NV_quvel::application_t& app = objects_.parameters.app;
    Screen_vt::apply_units(*this, width);
    Screen_vt::apply_units(*this, manual_speed);
    width.set_val(std::clamp(double(app.machine_width.get()), 0.0, max_width));
    const double speed = app.manual_speed.get();
    manual_speed.set_val(speed < 0 ? 0.0 : speed > max_speed_kmh ? max_speed_ms : speed * kmh_to_ms);
    speed_source.set_item(app.speed_source.get());
}

bool WidthAndSpeedSettingsMask::handle_stat_update(Stat* s)
{
    NV_quvel::application_t& app = objects_.parameters.app;
    if (s == &width) {
        // Compared as stored: a double entry of the stored width is not
        // equal to its float, and a false difference would restart the Task
        // Controller connection for nothing.
        const float entered = float(width.get_val());
        if (entered != app.machine_width.get()) {
            std::printf("new machine width=%f\n", width.get_val());
            app.machine_width.set(entered);
            app.booms.booms[0]->sections[0]->width.set(width.get_val());
            objects_.store.head.set(objects_.store.body.system.reset_tc, true);
        }
    } else if (s == &manual_speed) {
        app.manual_speed.set(float(manual_speed.get_val() / kmh_to_ms));
    } else if (s == &speed_source) {
        app.speed_source.set(uint8_t(speed_source.get_item()));
    }
    return false;
}

bool WidthAndSpeedSettingsMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    keys_.handle(*this, a, e);
    return true;
}
