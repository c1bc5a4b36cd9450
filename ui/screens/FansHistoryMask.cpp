#include "ui/screens/FansHistoryMask.h"

#include "params/parameters_t.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Screen_listeners.h"
#include "ui/screens/Screen_vt.h"
#include "vt_pool/Seeder_pool_ids.h"

bool FansHistoryMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Fans_history_ids& own = objects_.ids.fans_history;
    if (!init_page(pool, params, own.mask, own.keys))
        return false;
    fan_list_ = UI::bind_object<VT::Input_list_obj>(pool, own.fan_list);
    fan.init(this, fan_list_, nullptr, pool, false);
    fan.set_editable(true);
    for (int f = 0; f < fans; ++f)
        fan_entries_[f] = objects_.ids.fans_history_more.fan_items[f];
    fan.set_item(0);

    const auto bind = [this, pool](Stat_num& number, const Output_number_id& id, unsigned units, double imperial_step) {
        number.init(this, UI::bind_object<VT::Output_number_obj>(pool, id), Stat_num_format(units, 0.1, 1),
                    Stat_num_format(units, imperial_step, 1), 1000, pool);
    };
    constexpr unsigned speed_units = 0, pressure_units = 17;
    bind(max_speed, own.max_speed, speed_units, 0.1);
    bind(max_pressure, own.max_pressure, pressure_units, 0.01);
    bind(avg_speed, own.avg_speed, speed_units, 0.01);
    bind(avg_pressure, own.avg_pressure, pressure_units, 0.01);
    return true;
}

void FansHistoryMask::post_snapshot_init()
{
    for (int f = 0; f < fans; ++f)
        fan_listeners_[f] = Screen_listeners::follow(*this, *objects_.parameters.app.fans[f]);
    History_page::post_snapshot_init();
}

void FansHistoryMask::refresh()
{
    const unsigned f = fan.get_item();
    const bool known = f < unsigned(fans);
    max_speed.set_val(known ? read(history().fan_max_speed[f]) : 0);
    max_pressure.set_val(known ? read(history().fan_max_pressure[f]) : 0);
    avg_speed.set_val(known ? read(history().fan_avg_speed[f]) : 0);
    avg_pressure.set_val(known ? read(history().fan_avg_pressure[f]) : 0);
    send_val_updates(false);
}

bool FansHistoryMask::handle_stat_update(Stat* s)
{
    if (s == &fan)
        refresh();
    return false;
}

void FansHistoryMask::handle_nv_listener_event(NV_store::Virt_access* listener)
{
    bool selected_still_enabled = false;
    for (int f = 0; f < fans; ++f) {
        if (listener != fan_listeners_[f].get())
            continue;
        const bool enabled = objects_.parameters.app.fans[f]->enabled.get();
        Screen_vt::set_list_entry(*this, fan_list_, uint8_t(f), enabled ? fan_entries_[f] : NULL_ID);
        selected_still_enabled = enabled && fan.get_item() == f;
    }
    // Any other change of a fan's settings brings fan 1 back into view.
    if (!selected_still_enabled) {
        fan.set_item(0);
        refresh();
    }
}
