#include "ui/screens/FanSettingsMask.h"

#include "params/parameters_t.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Screen_vt.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <algorithm>

namespace {

constexpr unsigned max_magnets = 10;

}

FanSettingsMask::FanSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

NV_quvel::fan_t& FanSettingsMask::fan(int i)
{
    return *objects_.parameters.app.fans[i];
}

bool FanSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Fan_settings_ids& own = objects_.ids.fan_settings;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    keys_.init(this, {{own.seeder_key, NULL_ID, "seeder_settings_menu"},
                      {own.settings_key, NULL_ID, "settings_menu"},
                      {own.main_key, NULL_ID, "main"}});
    const auto bind_list = [&](Stat_list& stat, const Input_list_id& id) {
        stat.init(this, UI::bind_object<VT::Input_list_obj>(pool, id), nullptr, pool, false);
        stat.set_editable(true);
    };
    bind_list(fan_count, own.fan_count);
    bind_list(case_drain, own.case_drain);
    bind_list(pump, own.pump);
    case_drain_group = UI::bind_object<VT::Container_obj>(pool, own.case_drain_group);
    pump_group = UI::bind_object<VT::Container_obj>(pool, own.pump_group);
    for (int i = 0; i < fans; ++i) {
        bind_list(gain[i], own.gains[i]);
        bind_list(sense[i], own.senses[i]);
        sense_group[i] = UI::bind_object<VT::Container_obj>(pool, own.sense_groups[i]);
        magnets_group[i] = UI::bind_object<VT::Container_obj>(pool, own.magnets_groups[i]);
        magnets[i].init(this, UI::bind_object<VT::Input_number_obj>(pool, own.magnets[i]), Stat_num_format(0, 1.0, 0),
                        Stat_num_format(0, 1.0, 0), 1000, pool);
        magnets[i].set_range(0, max_magnets);
        magnets[i].set_editable(true);
    }
    return true;
}

void FanSettingsMask::post_snapshot_init()
{
    for (int i = 0; i < fans; ++i) {
        nv_listener[i] = std::make_unique<Nv_listener>(this);
        nv_listener[i]->init(&fan(i));
        nv_listener[i]->autoreg(get_waiter(), true);
    }
    const bool first = fan(0).enabled.get(), second = fan(1).enabled.get();
    const unsigned item = first && second ? 1 : 0;
    Debug_print::dprint("FanSettingsMask::ENABLED FANS: %u\n", item);
    fan_count.set_item(uint16_t(item));
    // The stored flags are only rewritten when they name no valid count, so
    // that the operator's sensing settings survive a restart; at least fan 1
    // is enabled after it.
    if (!first)
        set_fan_count(item + 1);
}

bool FanSettingsMask::activate()
{
    Screen_vt::set_hidden(*this, pump_group, true);
    Screen_vt::set_hidden(*this, case_drain_group, true);
    for (int i = 0; i < fans; ++i) {
        Screen_vt::set_hidden(*this, sense_group[i], true);
        Screen_vt::set_hidden(*this, magnets_group[i], true);
    }
    show_fan(0);
    show_fan(1);
    return Data_screen::activate();
}

void FanSettingsMask::set_fan_count(unsigned count)
{
    for (int i = 0; i < fans; ++i) {
        const bool on = count >= unsigned(i + 1);
        fan(i).enabled.set(on);
        fan(i).sense_rpm.set(on);
        fan(i).sense_pressure.set(on);
        fan(i).pressure_sensor_type.set(1);
    }
}

void FanSettingsMask::show_fan(int i)
{
    NV_quvel::fan_t& f = fan(i);
    const unsigned stored_gain = f.pressure_gain.get();
    gain[i].set_item(uint16_t(std::clamp(stored_gain, 1u, 2u) - 1));
    sense[i].set_item(f.sense_pressure.get() ? 1 : 0);
    magnets[i].set_val(std::min<unsigned>(f.encoder.get(), max_magnets));
    const bool enabled = f.enabled.get();
    Screen_vt::set_hidden(*this, sense_group[i], !enabled);
    Screen_vt::set_hidden(*this, magnets_group[i], !enabled);
    if (i == 1) {
        Screen_vt::set_hidden(*this, pump_group, !enabled);
        pump.set_item(f.use_fan_as_pump.get() ? 1 : 0);
    }
    Screen_vt::set_hidden(*this, case_drain_group, false);
    case_drain.set_item(objects_.parameters.app.using_case_drain_alarm.get() ? 1 : 0);
}

void FanSettingsMask::handle_nv_listener_event(NV_store::Virt_access* listener)
{
    for (int i = 0; i < fans; ++i)
        if (listener == nv_listener[i].get())
            show_fan(i);
    send_val_updates(false);
}

bool FanSettingsMask::handle_stat_update(Stat* s)
{
    if (s == &fan_count)
        set_fan_count(fan_count.get_item() + 1u);
    else if (s == &case_drain)
        objects_.parameters.app.using_case_drain_alarm.set(case_drain.get_item() != 0);
    else if (s == &pump)
        fan(1).use_fan_as_pump.set(pump.get_item() != 0);
    for (int i = 0; i < fans; ++i) {
        if (s == &gain[i]) {
            fan(i).pressure_gain.set(uint8_t(gain[i].get_item() + 1));
        } else if (s == &sense[i]) {
            const bool on = sense[i].get_item() != 0;
            fan(i).sense_pressure.set(on);
            fan(i).pressure_sensor_type.set(on ? 1 : 0);
        } else if (s == &magnets[i]) {
            fan(i).encoder.set(uint8_t(unsigned(magnets[i].get_val())));
        }
    }
    return false;
}

bool FanSettingsMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    keys_.handle(*this, a, e);
    return true;
}
