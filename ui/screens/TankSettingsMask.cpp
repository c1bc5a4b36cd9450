#include "ui/screens/TankSettingsMask.h"

#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Calibration_drive_channel.h"
#include "ui/screens/Screen_vt.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <algorithm>

namespace {

constexpr double max_capacity = 99999;
// The granular drive list's items: electric, actuator, proportional valve.
constexpr uint16_t prop_valve_item = 2;

bool shown_granular(unsigned mode)
{
    return mode != Seeder_tanks::liquid && mode != Seeder_tanks::nh3;
}

// Capacity in litres for a liquid or NH3 tank, else in kilograms (units
// types of the screen library), alike in both unit systems.
Stat_num_format capacity_format(unsigned mode)
{
    return Stat_num_format(shown_granular(mode) ? 14 : 12, 0.1, 1);
}

}

TankSettingsMask::TankSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool TankSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Tank_settings_ids& own = objects_.ids.tank_settings;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    for (int t = 0; t < tanks; ++t)
        setup_button[t].init(this, NULL_ID, objects_.ids.tank_settings_more.setup_buttons[t], nullptr, NULL_ID,
                             NULL_ID);
    seeder_key.init(this, own.seeder_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    settings_key.init(this, own.settings_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    main_key.init(this, own.main_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    tank_count.init(this, UI::bind_object<VT::Input_list_obj>(pool, own.tank_count), nullptr, pool, false);
    tank_count.set_editable(true);
    for (int t = 0; t < tanks; ++t) {
        const Stat_num_format format = capacity_format(Seeder_tanks::granular);
        capacity[t].init(this, UI::bind_object<VT::Input_number_obj>(pool, own.capacities[t]), format, format, 1000,
                         pool);
        capacity[t].set_editable(true);
        capacity[t].set_range(0, max_capacity);
        type[t].init(this, UI::bind_object<VT::Input_list_obj>(pool, own.types[t]), nullptr, pool, false);
        granular_drive[t].init(this, UI::bind_object<VT::Input_list_obj>(pool, own.granular_drives[t]), nullptr, pool,
                               false);
        liquid_drive[t].init(this, UI::bind_object<VT::Input_list_obj>(pool, own.liquid_drives[t]), nullptr, pool,
                             false);
        type[t].set_editable(true);
        granular_drive[t].set_editable(true);
        liquid_drive[t].set_editable(true);
        row[t] = UI::bind_object<VT::Container_obj>(pool, own.rows[t]);
        granular_container[t] = UI::bind_object<VT::Container_obj>(pool, own.granular_drive_containers[t]);
        liquid_container[t] = UI::bind_object<VT::Container_obj>(pool, own.liquid_drive_containers[t]);
    }
    return true;
}

void TankSettingsMask::post_snapshot_init()
{
    for (int t = 0; t < tanks; ++t) {
        nv_listener[t] = std::make_unique<Nv_listener>(this);
        nv_listener[t]->init(&channel(t));
        nv_listener[t]->autoreg(get_waiter(), true);
    }
    const unsigned count = objects_.parameters.app.num_channels.get();
    Debug_print::dprint("TankSettingsMask::ENABLED TANKS: %u\n", count);
    // A count beyond the list's four items leaves it as it is.
    tank_count.set_item(uint16_t(count == 0 ? 0 : count - 1));
}

bool TankSettingsMask::activate()
{
    const bool shown = Data_screen::activate();
    for (int t = 0; t < tanks; ++t) {
        Screen_vt::set_hidden(*this, row[t], true);
        Screen_vt::set_hidden(*this, granular_container[t], true);
        Screen_vt::set_hidden(*this, liquid_container[t], true);
        refresh_tank(t);
    }
    return shown;
}

bool TankSettingsMask::deactivate()
{
    const bool hidden = Data_screen::deactivate();
    check_calibration_drive_channel(objects_.parameters);
    return hidden;
}

void TankSettingsMask::show_drive_list(int tank, bool granular)
{
    Screen_vt::set_hidden(*this, granular_container[tank], !granular);
    Screen_vt::set_hidden(*this, liquid_container[tank], granular);
}

void TankSettingsMask::refresh_tank(int tank)
{
    NV_quvel::channel_t& c = channel(tank);
    Screen_vt::set_hidden(*this, row[tank], !c.enabled.get());
    capacity[tank].set_val(std::clamp(double(c.capacity.get()), 0.0, max_capacity));

    const unsigned mode = c.mode.get();
    const bool granular = shown_granular(mode);
    type[tank].set_item(uint16_t(mode > Seeder_tanks::nh3 ? Seeder_tanks::granular : mode));
    show_drive_list(tank, granular);
    if (granular) {
        const unsigned drive = c.granular_controller_type.get();
        granular_drive[tank].set_item(uint16_t(drive == Seeder_tanks::prop_valve_drive ? prop_valve_item : drive));
    } else {
        liquid_drive[tank].set_item(c.liquid_controller_type.get());
    }

    if (mode != last_type[tank]) {
        last_type[tank] = mode;
        const double value = capacity[tank].get_val();
        const Stat_num_format format = capacity_format(mode);
        capacity[tank].init(this, UI::bind_object<VT::Input_number_obj>(get_pool(),
                                                                         objects_.ids.tank_settings.capacities[tank]),
                            format, format, 1000, get_pool());
        Screen_vt::apply_units(*this, capacity[tank]);
        capacity[tank].set_val(value);
    }
}

void TankSettingsMask::handle_nv_listener_event(NV_store::Virt_access* listener)
{
    for (int t = 0; t < tanks; ++t)
        if (listener == nv_listener[t].get())
            refresh_tank(t);
    send_val_updates(false);
}

void TankSettingsMask::request_tc_reload()
{
    objects_.store.head.set(objects_.store.body.system.reset_tc, true);
}

bool TankSettingsMask::handle_stat_update(Stat* s)
{
    CDS::Head& head = objects_.store.head;
    if (s == &tank_count) {
        const int n = tank_count.get_item() + 1;
        for (int t = 0; t < tanks; ++t)
            channel(t).enabled.set(t < n);
        objects_.parameters.app.num_channels.set(uint8_t(n));
        request_tc_reload();
        return false;
    }
    for (int t = 0; t < tanks; ++t) {
        ds_channel& store_channel = objects_.store.body.channels.channels[t];
        if (s == &capacity[t]) {
            channel(t).capacity.set(float(capacity[t].get_val()));
        } else if (s == &type[t]) {
            const unsigned chosen = type[t].get_item();
            if (chosen == channel(t).mode.get())
                return false;
            channel(t).mode.set(uint8_t(chosen));
            show_drive_list(t, chosen == Seeder_tanks::granular);
            Debug_print::dprint("Tank Type:%u\n", chosen);
            head.set(objects_.store.body.interface.channels[t].tank_type_flag,
                     int32_t(chosen == Seeder_tanks::liquid ? 1 : 0));
            request_tc_reload();
        } else if (s == &granular_drive[t]) {
            head.set(store_channel.rate_control_mode, int32_t(1));
            const unsigned item = granular_drive[t].get_item();
            const unsigned drive = item == prop_valve_item ? Seeder_tanks::prop_valve_drive : item;
            channel(t).granular_controller_type.set(uint8_t(drive));
            Debug_print::dprint("Drive:%u\n", drive);
        } else if (s == &liquid_drive[t]) {
            const unsigned drive = liquid_drive[t].get_item();
            channel(t).liquid_controller_type.set(uint8_t(drive));
            Debug_print::dprint("Drive2:%u\n", drive);
            head.set(store_channel.rate_control_mode, int32_t(1));
        }
    }
    return false;
}

void TankSettingsMask::open_drive_settings(int tank)
{
    objects_.store.head.set(objects_.store.body.internal.current_channel_index, uint32_t(tank));
    const NV_quvel::channel_t& c = channel(tank);
    const char* target = "actuator_drive_settings_mask";
    if (c.mode.get() != Seeder_tanks::granular)
        target = "liquid_prop_valve_settings_mask";
    else if (c.granular_controller_type.get() == Seeder_tanks::electric_drive)
        target = "electric_drive_settings_mask";
    else if (c.granular_controller_type.get() == Seeder_tanks::prop_valve_drive)
        target = "prop_valve_drive_settings_mask";
    get_man()->switch_to_screen(target);
}

bool TankSettingsMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    if (e.get_code() != Window::Activator_event::released)
        return true;
    if (a == main_key) {
        get_man()->switch_to_screen("main");
        return true;
    }
    if (a == settings_key) {
        get_man()->switch_to_screen("settings_menu");
        return true;
    }
    if (a == seeder_key) {
        get_man()->switch_to_screen("seeder_settings_menu");
        return true;
    }
    for (int t = 0; t < tanks; ++t)
        if (a == setup_button[t]) {
            open_drive_settings(t);
            break;
        }
    return true;
}
