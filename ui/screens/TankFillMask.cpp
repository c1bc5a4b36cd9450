#include "ui/screens/TankFillMask.h"

#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Screen_vt.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr double pound = 0.45359237; // kilograms

// Content and step in litres for a liquid tank, else in kilograms (units
// types of the screen library).
Stat_num_format metric_format(int mode)
{
    return Stat_num_format(mode == Seeder_tanks::liquid ? 12 : mode == Seeder_tanks::nh3 ? 16 : 15, 0.1, 1);
}
Stat_num_format imperial_format(int mode)
{
    const Stat_num_format metric = metric_format(mode);
    return Stat_num_format(metric.get_units_type(), mode == Seeder_tanks::liquid ? 0.1 : 0.1 * pound, 1);
}

}

TankFillMask::TankFillMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
    shown_mode.fill(-1);
    list_item_ids.fill(NULL_ID);
}

bool TankFillMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Tank_fill_ids& own = objects_.ids.tank_fill;
    const Tank_fill_more_ids& more = objects_.ids.tank_fill_more;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    fill_key.init(this, more.fill_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    inc_key.init(this, more.increase_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    dec_key.init(this, more.decrease_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    settings_key.init(this, more.settings_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    main_key.init(this, more.main_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    for (size_t i = 0; i < list_item_ids.size(); ++i)
        list_item_ids[i] = own.list_items[i];
    tank_list_object = UI::bind_object<VT::Input_list_obj>(pool, own.tank_list);
    tank_list.init(this, tank_list_object, nullptr, pool, false);
    tank_list.set_editable(true);
    multi_tank_container = UI::bind_object<VT::Container_obj>(pool, own.multi_tank_container);
    single_tank_container = UI::bind_object<VT::Container_obj>(pool, own.single_tank_container);
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        tank_container[t] = UI::bind_object<VT::Container_obj>(pool, more.tank_containers[t]);
        bind_tank(t, metric_format(Seeder_tanks::granular), imperial_format(Seeder_tanks::granular));
    }
    return true;
}

void TankFillMask::bind_tank(int tank, const Stat_num_format& metric, const Stat_num_format& imperial)
{
    if (!Seeder_tanks::is_tank(tank))
        return;
    const Tank_fill_more_ids& more = objects_.ids.tank_fill_more;
    VT::vtui_pool* pool = get_pool();
    fill_level[tank].init(this, UI::bind_object<VT::Input_number_obj>(pool, more.fill_levels[tank]), metric, imperial,
                          1000, pool, UI::bind_object<VT::Output_string_obj>(pool, more.fill_level_units[tank]));
    fill_level[tank].set_editable(true);
    fill_level[tank].set_range(-9999, 99999);
    fill_step[tank].init(this, UI::bind_object<VT::Input_number_obj>(pool, more.fill_steps[tank]), metric, imperial,
                         1000, pool, UI::bind_object<VT::Output_string_obj>(pool, more.fill_step_units[tank]));
    fill_step[tank].set_editable(true);
    fill_step[tank].set_range(0, 5000);
}

void TankFillMask::post_snapshot_init()
{
    CDS::Head& head = objects_.store.head;
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        nv_listener[t] = std::make_unique<Nv_listener>(this);
        nv_listener[t]->init(&channel(t));
        nv_listener[t]->autoreg(get_waiter(), true);
        cds_listener[t] = std::make_unique<Cds_listener>(
            this, CDS::Access_base(head, head.offset_of(&store_channel(t)), sizeof(ds_channel)));
        cds_listener[t]->autoreg(get_waiter());
    }
}

bool TankFillMask::activate()
{
    const bool shown = Data_screen::activate();
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        Screen_vt::set_hidden(*this, tank_container[t], true);
        refresh_tank(t);
        fill_level[t].set_val(objects_.store.head.get(store_channel(t).remaining_volume));
    }
    show_enabled_count();
    return shown;
}

int TankFillMask::assigned_product(int tank)
{
    CDS::Head& head = objects_.store.head;
    if (!head.get(store_channel(tank).product_assigned))
        return -1;
    const int product = head.get(store_channel(tank).product_number);
    return Seeder_tanks::is_product(product) ? product : -1;
}

double TankFillMask::tank_maximum(int tank)
{
    const double capacity = channel(tank).capacity.get();
    if ((channel(tank).mode.get() & 0xFD) != 0)
        return capacity;
    const int product = assigned_product(tank);
    if (product < 0)
        return capacity;
    return capacity * Seeder_tanks::product(objects_.parameters, product).density.get();
}

void TankFillMask::refresh_formats(int tank)
{
    if (!Seeder_tanks::is_tank(tank))
        return;
    const int mode = channel(tank).mode.get();
    if (mode == shown_mode[tank])
        return;
    shown_mode[tank] = mode;
    bind_tank(tank, metric_format(mode), imperial_format(mode));
    Screen_vt::apply_units(*this, fill_level[tank]);
    Screen_vt::apply_units(*this, fill_step[tank]);
    fill_level[tank].set_val(objects_.store.head.get(store_channel(tank).remaining_volume));
    fill_step[tank].set_val(channel(tank).tank_fill_inc_dec.get());
}

void TankFillMask::refresh_tank(int tank)
{
    const bool enabled = channel(tank).enabled.get();
    Screen_vt::set_hidden(*this, tank_container[tank], !enabled);
    Screen_vt::set_list_entry(*this, tank_list_object, uint8_t(tank), enabled ? list_item_ids[tank] : NULL_ID);
    if (!enabled && tank_list.get_item() == tank)
        select_first_tank();
    for (int p = 0; p < Seeder_tanks::product_count; ++p)
        if (Seeder_tanks::product(objects_.parameters, p).tank.get() == tank)
            fill_step[tank].set_val(channel(tank).tank_fill_inc_dec.get());
    refresh_formats(tank);
    fill_level[tank].set_range(0, tank_maximum(tank));
}

void TankFillMask::show_enabled_count()
{
    int enabled = 0;
    for (int t = 0; t < Seeder_tanks::count; ++t)
        enabled += channel(t).enabled.get() ? 1 : 0;
    const bool several = enabled > 1;
    Screen_vt::set_list_entry(*this, tank_list_object, uint8_t(all_tanks),
                              several ? list_item_ids[all_tanks] : NULL_ID);
    Screen_vt::set_hidden(*this, multi_tank_container, !several);
    Screen_vt::set_hidden(*this, single_tank_container, several);
    if (!several && tank_list.get_item() == all_tanks)
        select_first_tank();
}

void TankFillMask::select_first_tank()
{
    tank_list.set_item(0);
    handle_stat_update(&tank_list);
}

void TankFillMask::handle_nv_listener_event(NV_store::Virt_access* listener)
{
    for (int t = 0; t < Seeder_tanks::count; ++t)
        if (listener == nv_listener[t].get()) {
            refresh_tank(t);
            show_enabled_count();
            send_val_updates(false);
        }
}

void TankFillMask::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    for (int t = 0; t < Seeder_tanks::count; ++t)
        if (listener == cds_listener[t].get()) {
            fill_level[t].set_val(objects_.store.head.get(store_channel(t).remaining_volume));
            send_val_updates(false);
        }
}

bool TankFillMask::handle_stat_update(Stat* s)
{
    if (s == &tank_list) {
        std::printf("TankFillMask: tank=%d\n", tank_list.get_item());
        return false;
    }
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        if (s == &fill_level[t]) {
            const double value = fill_level[t].get_val();
            objects_.store.head.set(store_channel(t).remaining_volume, value);
            channel(t).remaining.set(float(value));
        } else if (s == &fill_step[t]) {
            char name[NV_quvel::nv_name::length + 1] = {};
            channel(t).name.get(name, NV_quvel::nv_name::length);
            std::printf("UPDATE INC/DEC, v=%lf, cn='%s'\n", fill_step[t].get_val(), name);
            channel(t).tank_fill_inc_dec.set(float(fill_step[t].get_val()));
        }
    }
    return false;
}

void TankFillMask::step_tanks(Key key)
{
    static const char* const names[] = {"FILL", "INC", "DEC"};
    const int selection = tank_list.get_item();
    Debug_print::dprint("TankFill: %s, tank=%d\n", names[int(key)], selection);
    CDS::Head& head = objects_.store.head;
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        if (selection != t && selection != all_tanks)
            continue;
        double& content = store_channel(t).remaining_volume;
        if (key == Key::dec) {
            if (head.get(store_channel(t).product_assigned))
                head.set(content, std::max(0.0, head.get(content) - fill_step[t].get_val()));
            continue;
        }
        if (assigned_product(t) < 0)
            continue;
        const double maximum = tank_maximum(t);
        head.set(content, key == Key::fill ? maximum : std::min(head.get(content) + fill_step[t].get_val(), maximum));
    }
}

bool TankFillMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    if (e.get_code() != Window::Activator_event::released)
        return true;
    if (a == main_key)
        get_man()->switch_to_screen("main");
    else if (a == settings_key)
        get_man()->switch_to_screen("settings_menu");
    else if (a == fill_key)
        step_tanks(Key::fill);
    else if (a == inc_key)
        step_tanks(Key::inc);
    else if (a == dec_key)
        step_tanks(Key::dec);
    return true;
}
