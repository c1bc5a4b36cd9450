#include "ui/screens/BlockedHeadSettingsMask.h"

#include "params/parameters_t.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Screen_vt.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <cstdint>

namespace {

// The head systems watched on a double-shoot machine (`head_systems_enabled`).
constexpr uint8_t seed_and_fert = 0, seed_only = 1, fert_only = 2;

}

BlockedHeadSettingsMask::BlockedHeadSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

NV_quvel::monitor_ecus_t& BlockedHeadSettingsMask::settings() const
{
    return objects_.parameters.app.monitor_ecus;
}

bool BlockedHeadSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Blocked_head_settings_ids& own = objects_.ids.blocked_head_settings;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    links_.init(this, {{own.main_key, NULL_ID, "main"},
                       {own.settings_key, NULL_ID, "settings_menu"},
                       {own.seeder_key, NULL_ID, "seeder_settings_menu"}});
    const auto bind_list = [&](Stat_list& stat, uint16_t id) {
        stat.init(this, UI::bind_object<VT::Input_list_obj>(pool, id), nullptr, pool, false);
        stat.set_editable(true);
    };
    bind_list(monitoring, own.monitoring);
    bind_list(sensor_type, own.sensor_type);
    bind_list(head_systems, own.head_systems);
    bind_list(enabled_heads, own.enabled_heads);
    const Stat_num_format count(0, 1.0, 0);
    const auto bind_number = [&](Stat_num& stat, uint16_t id, double min) {
        stat.init(this, UI::bind_object<VT::Input_number_obj>(pool, id), count, count, 1000, pool);
        stat.set_range(min, max_sensors);
        stat.set_editable(true);
    };
    bind_number(num_sensors, own.num_sensors, 0);
    // The fertiliser sensors begin at a sensor: there is no sensor 0.
    bind_number(first_fert_sensor, own.first_fert_sensor, 1);
    enabled_heads_row_ = UI::bind_object<VT::Container_obj>(pool, own.enabled_heads_row);
    first_fert_row_ = UI::bind_object<VT::Container_obj>(pool, own.first_fert_row);
    return true;
}

void BlockedHeadSettingsMask::show_double_shoot_rows(bool shown)
{
    Screen_vt::set_hidden(*this, enabled_heads_row_, !shown);
    Screen_vt::set_hidden(*this, first_fert_row_, !shown);
}

void BlockedHeadSettingsMask::refresh()
{
    const NV_quvel::monitor_ecus_t& s = settings();
    monitoring.set_item(s.monitoring_config.get());
    sensor_type.set_item(s.blockage_sensor_type.get());
    const bool double_shoot = s.double_shooting.get();
    head_systems.set_item(double_shoot ? 1 : 0);
    enabled_heads.set_item(s.head_systems_enabled.get());
    num_sensors.set_val(s.num_sensors.get());
    first_fert_sensor.set_val(s.first_fert_sensor.get() + 1.0);
    show_double_shoot_rows(double_shoot);
}

bool BlockedHeadSettingsMask::activate()
{
    show_double_shoot_rows(false);
    const bool shown = Data_screen::activate();
    refresh();
    return shown;
}

bool BlockedHeadSettingsMask::handle_stat_update(Stat* s)
{
    NV_quvel::monitor_ecus_t& m = settings();
    if (s == &monitoring) {
        const bool on = monitoring.get_item() != 0;
        m.monitoring_config.set(on ? 1 : 0);
        m.monitor_ecus[0]->enabled.set(on);
    } else if (s == &sensor_type) {
        m.blockage_sensor_type.set(sensor_type.get_item() != 0 ? 1 : 0);
    } else if (s == &num_sensors) {
        m.num_sensors.set(uint8_t(num_sensors.get_val()));
    } else if (s == &head_systems) {
        const bool double_shoot = head_systems.get_item() != 0;
        m.double_shooting.set(double_shoot);
        if (!double_shoot) {
            m.head_systems_enabled.set(seed_only);
            enabled_heads.set_item(seed_only);
        }
        show_double_shoot_rows(double_shoot);
    } else if (s == &enabled_heads) {
        m.head_systems_enabled.set(uint8_t(enabled_heads.get_item()));
    } else if (s == &first_fert_sensor) {
        m.first_fert_sensor.set(uint8_t(first_fert_sensor.get_val() - 1));
    }
    derive();
    return false;
}

void BlockedHeadSettingsMask::derive()
{
    NV_quvel::monitor_ecus_t& m = settings();
    const int sensors = m.num_sensors.get(), first_fert = m.first_fert_sensor.get();
    const bool double_shoot = m.double_shooting.get();
    int start = 0, end = 0;
    if (!double_shoot || m.head_systems_enabled.get() == seed_and_fert)
        end = sensors;
    else if (m.head_systems_enabled.get() == seed_only)
        end = first_fert;
    else if (m.head_systems_enabled.get() == fert_only)
        start = first_fert, end = sensors;
    for (int group = 0; group < derived_inputs / 8; ++group) {
        uint8_t mask = 0;
        for (int bit = 0; bit < 8; ++bit) {
            const int input = group * 8 + bit;
            if (input >= start && input < end)
                mask = uint8_t(mask | (1u << bit));
            m.monitor_inputs_sections[input]->boom_section.set(double_shoot && input >= first_fert ? 1 : 0);
        }
        m.monitor_inputs[group]->mask.set(mask);
    }
}

bool BlockedHeadSettingsMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    links_.handle(*this, a, e);
    return true;
}
