#include "tests/ui/Main_screen_rig.h"

#include "platform/ui/Screen_man.h"
#include "vt_pool/seeder_ecu_pool/Seeder_object_name.h"
#include "vt_pool/seeder_ecu_pool/Seeder_texts.h"

#include <vector>

namespace {

template <class Field>
uint16_t put(Field& field, uint16_t id)
{
    return Ui_test_pool::record(field, id);
}

}

void build_main_screen_objects(Ui_test_pool& pool, Seeder_pool_ids& ids)
{
    Main_screen_ids& m = ids.main;
    const std::vector<uint16_t> page_1_keys = {
        put(m.page1_toggle_key, pool.key()), put(m.tank_on_off_key, pool.key()), put(m.preset_key, pool.key()),
        put(m.increase_key, pool.key()),     put(m.decrease_key, pool.key()),    put(m.master_key, pool.key())};
    const std::vector<uint16_t> page_2_keys = {
        put(m.page2_toggle_key, pool.key()), put(m.settings_key, pool.key()),     put(m.reset_sub_area_key, pool.key()),
        put(m.reset_area_key, pool.key()),   put(m.manual_speed_key, pool.key()), put(m.diagnostics_key, pool.key())};
    put(m.page1, pool.soft_key_mask(page_1_keys));
    put(m.page2, pool.soft_key_mask(page_2_keys));
    put(m.mask, pool.data_mask(m.page1));
    put(m.status_row, pool.container());
    put(m.alt_status_row, pool.container(true));

    std::vector<uint16_t> items;
    for (auto& item : m.tank_list_items)
        items.push_back(put(item, pool.output_string(6)));
    put(m.tank_list, pool.input_list(items));
    items.clear();
    for (int i = 0; i < 10; ++i)
        items.push_back(pool.output_string(2));
    put(m.sub_area_list, pool.input_list(items));
    items.clear();
    for (auto& item : ids.main_more.viewed_tank_items)
        items.push_back(put(item, pool.output_string(1)));
    put(m.viewed_tank_list, pool.input_list(items));

    for (Output_number_id* number : {&m.ground_speed, &m.area_rate, &m.fan_speeds[0], &m.fan_speeds[1],
                                     &m.fan_pressures[0], &m.fan_pressures[1], &m.total_area, &m.sub_area_area,
                                     &m.sub_area_volume})
        put(*number, pool.output_number());
    for (auto& container : m.fan_containers)
        put(container, pool.container());
    put(m.manual_speed_container, pool.container());
    put(m.fill_red, pool.fill_attributes(12));
    put(m.fill_green, pool.fill_attributes(2));
    put(m.fill_white, pool.fill_attributes(1));
    put(m.fill_yellow, pool.fill_attributes(7));
    put(m.tank_on_off_slot, pool.object_pointer(m.tank_on_off_key));
    put(m.master_indicator, pool.rectangle(m.fill_red));
    put(m.manual_speed_indicator, pool.rectangle(m.fill_red));

    for (uint32_t k = 0; k < Seeder_pool_ids::tank_count; ++k) {
        Seeder_tank_record& r = ids.tank_records[k];
        put(r.heading, pool.output_string(20));
        put(r.rate_input, pool.input_number(0, 1000000));
        put(r.boxed_1, pool.container(true));
        put(r.boxed_2, pool.container(true));
        put(r.status_rectangle, pool.rectangle(m.fill_red));
        put(r.row, pool.container());
        put(r.alt_container, pool.container(true));
        put(r.full_row_container, pool.container(true));
        put(r.full_row_number, pool.output_number());
        put(r.frame, pool.rectangle(m.fill_white));
        put(r.select_button, pool.button());
        put(r.tank_button, pool.button());
        put(r.tank_button_number, pool.output_number());
        put(r.man_container, pool.container(true));
        put(r.man_button, pool.button());
        put(r.auto_container, pool.container(true));
        put(r.auto_button, pool.button());
        put(ids.main_more.actual_rates[k], pool.output_number());
    }
    for (const VT::Seeder_texts::Alarm& alarm : VT::Seeder_texts::alarms)
        pool.alarm_mask(VT::Seeder_object_name(VT::Seeder_texts::alarm_mask_prefix, alarm.key));
}

Main_screen_rig::Main_screen_rig()
{
    build_main_screen_objects(*pool, ids);
    iface.on_setup = [this](VT::vtui_pool& vt_pool, UI::Setup_config& config) {
        root.setup_screens(&vt_pool, config);
    };
    iface.on_register_listeners = [this] { root.register_listeners(); };
}

void Main_screen_rig::set_tank(int k, const Tank& tank)
{
    NV_quvel::channel_t& c = *parameters->app.channels[k];
    c.enabled.set(tank.enabled);
    c.mode.set(tank.mode);
    c.rate_increment.set(tank.increment);
    c.preset_rate_1.set(tank.preset_1);
    c.preset_rate_2.set(tank.preset_2);
    parameters->app.products[k]->tank.set(tank.product ? uint8_t(k) : uint8_t(10));
    pump();
}

Main_screen& Main_screen_rig::screen()
{
    return *dynamic_cast<Main_screen*>(man().find_screen("main"));
}
