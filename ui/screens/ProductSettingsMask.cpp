#include "ui/screens/ProductSettingsMask.h"

#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Operator_name.h"
#include "ui/screens/Screen_vt.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <string>

namespace {

constexpr double lb_per_acre = 0.11208511561944565; // 0.1 lb/acre in kg/ha
constexpr double milli_pound = 0.00045359237;       // 0.001 lb in kg

// Rates in l/ha for a liquid tank, NH3 rates, else kg/ha (units types of the
// screen library); stored values are metric.
Stat_num_format rate_format(int mode, bool imperial)
{
    if (mode == Seeder_tanks::liquid)
        return Stat_num_format(20, 0.1, 1);
    return Stat_num_format(mode == Seeder_tanks::nh3 ? 19 : 18, imperial ? lb_per_acre : 0.1, 1);
}
// Pulses per unit for a liquid or NH3 tank, weight per shaft turn else.
Stat_num_format cal_format(int mode, bool imperial)
{
    if (mode == Seeder_tanks::liquid)
        return Stat_num_format(26, 0.001, 3);
    if (mode == Seeder_tanks::nh3)
        return Stat_num_format(27, 0.001, 3);
    return Stat_num_format(25, imperial ? milli_pound : 0.001, 3);
}

}

ProductSettingsMask::ProductSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
    tank_item_ids.fill(NULL_ID);
}

bool ProductSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Product_settings_ids& own = objects_.ids.product_settings;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    for (size_t i = 0; i < tank_item_ids.size(); ++i)
        tank_item_ids[i] = objects_.ids.product_settings_more.tank_items[i];
    menu_key.init(this, own.product_menu_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    settings_key.init(this, own.settings_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    main_key.init(this, own.main_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    calibrate_button.init(this, NULL_ID, own.cal_factor_button, nullptr, NULL_ID, NULL_ID);
    current_product = 0;
    tank_list_object = UI::bind_object<VT::Input_list_obj>(pool, own.tank_list);
    tank.init(this, tank_list_object, nullptr, pool, false);
    tank.set_editable(true);
    name.init(this, UI::bind_object<VT::Input_string_obj>(pool, own.name), pool, NV_quvel::nv_name::length);
    name.set_editable(true);
    density.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.density), Stat_num_format(24, 0.01, 2),
                 Stat_num_format(24, 0.01, 2), 1000, pool);
    density.set_editable(true);
    density.set_range(0, 1000);
    group_a = UI::bind_object<VT::Container_obj>(pool, own.cal_button_group);
    group_b = UI::bind_object<VT::Container_obj>(pool, own.cal_factor_group);
    apply_rate_mode(-1);
    Screen_vt::set_hidden(*this, group_a, false);
    Screen_vt::set_hidden(*this, group_b, true);
    return true;
}

void ProductSettingsMask::post_snapshot_init()
{
    CDS::Head& head = objects_.store.head;
    internal_listener.init(
        CDS::Access_base(head, head.offset_of(&objects_.store.body.internal), sizeof(ds_internal)));
    internal_listener.autoreg(get_waiter());
    for (int t = 0; t < tanks; ++t) {
        tank_listener[t] = std::make_unique<Nv_listener>(this);
        tank_listener[t]->init(&channel(t));
        tank_listener[t]->autoreg(get_waiter(), true);
        show_tank_item(t);
    }
    for (int p = 0; p < Seeder_tanks::product_count; ++p) {
        product_listener[p] = std::make_unique<Nv_listener>(this);
        product_listener[p]->init(&Seeder_tanks::product(objects_.parameters, p));
        product_listener[p]->autoreg(get_waiter(), true);
    }
    show_product();
}

bool ProductSettingsMask::activate()
{
    const bool shown = Data_screen::activate();
    show_product();
    return shown;
}

int ProductSettingsMask::product_tank()
{
    const int t = product().tank.get();
    return Seeder_tanks::is_tank(t) ? t : -1;
}

void ProductSettingsMask::detach(int t)
{
    if (!Seeder_tanks::is_tank(t))
        return;
    channel(t).name.set("---", 4);
    CDS::Head& head = objects_.store.head;
    ds_channel& c = objects_.store.body.channels.channels[t];
    head.set(c.active, false);
    head.set(c.product_assigned, false);
    head.set(c.product_number, int32_t(0));
}

void ProductSettingsMask::copy_to_tank(int t)
{
    if (!Seeder_tanks::is_tank(t))
        return;
    NV_quvel::products_t& p = product();
    NV_quvel::channel_t& c = channel(t);
    c.preset_rate_1.set(p.preset_rate_1.get());
    c.preset_rate_2.set(p.preset_rate_2.get());
    c.rate_increment.set(p.inc_dec.get());
    Operator_name::copy(c.name, p.name);
    c.cal_setting.set(p.product_cal_factor.get());
}

void ProductSettingsMask::assign(uint16_t item)
{
    const int t = item == off_item ? Seeder_tanks::no_tank : item;
    for (int p = 0; p < Seeder_tanks::product_count; ++p) {
        NV_quvel::products_t& other = Seeder_tanks::product(objects_.parameters, p);
        if (other.tank.get() == t) {
            detach(t);
            other.tank.set(Seeder_tanks::no_tank);
        }
    }
    if (Seeder_tanks::is_tank(t)) {
        CDS::Head& head = objects_.store.head;
        ds_channel& c = objects_.store.body.channels.channels[t];
        head.set(c.product_assigned, true);
        head.set(c.product_number, int32_t(current_product));
    }
    product().tank.set(uint8_t(t));
    copy_to_tank(t);
}

void ProductSettingsMask::show_tank_item(int t)
{
    Screen_vt::set_list_entry(*this, tank_list_object, uint8_t(t), channel(t).enabled.get() ? tank_item_ids[t] : NULL_ID);
}

void ProductSettingsMask::apply_rate_mode(int t)
{
    // Before any tank, the formats of a granular tank.
    const int mode = Seeder_tanks::is_tank(t) ? channel(t).mode.get() : Seeder_tanks::granular;
    if (mode == shown_rate_mode)
        return;
    shown_rate_mode = mode;
    const Product_settings_ids& own = objects_.ids.product_settings;
    VT::vtui_pool* pool = get_pool();
    auto* rate_units = UI::bind_object<VT::Output_string_obj>(pool, own.rate_units);
    const std::pair<Stat_num*, uint16_t> rates[] = {{&rate_1, own.rate_1}, {&rate_2, own.rate_2}, {&increment, own.inc_dec}};
    for (const auto& [stat, id] : rates) {
        stat->init(this, UI::bind_object<VT::Input_number_obj>(pool, id), rate_format(mode, false),
                   rate_format(mode, true), 100, pool, rate_units);
        stat->set_editable(true);
        stat->set_range(0, 99999);
    }
    cal_factor.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.cal_factor), cal_format(mode, false),
                    cal_format(mode, true), 100, pool,
                    UI::bind_object<VT::Output_string_obj>(pool, own.cal_factor_units));
    cal_factor.set_editable(true);
    cal_factor.set_range(0, 50);
    for (Stat_num* stat : {&rate_1, &rate_2, &increment, &cal_factor})
        Screen_vt::apply_units(*this, *stat);
    NV_quvel::products_t& p = product();
    rate_1.set_val(p.preset_rate_1.get());
    rate_2.set_val(p.preset_rate_2.get());
    increment.set_val(p.inc_dec.get());
    cal_factor.set_val(p.product_cal_factor.get());
}

void ProductSettingsMask::show_product()
{
    NV_quvel::products_t& p = product();
    std::string text = Operator_name::shown(p.name);
    text.erase(0, text.find_first_not_of(' '));
    name = text.empty() ? "......." : text.c_str();
    rate_1.set_val(p.preset_rate_1.get());
    rate_2.set_val(p.preset_rate_2.get());
    density.set_val(p.density.get());
    increment.set_val(p.inc_dec.get());
    cal_factor.set_val(p.product_cal_factor.get());

    // A tank beyond tanks 1 to 4, stored by another display, shows as none.
    const int t = product_tank();
    tank.set_item(t < 0 ? off_item : uint16_t(t));
    if (t < 0) {
        Screen_vt::set_hidden(*this, group_a, false);
        Screen_vt::set_hidden(*this, group_b, true);
        return;
    }
    const bool typed_factor = channel(t).mode.get() == Seeder_tanks::nh3;
    Screen_vt::set_hidden(*this, group_a, typed_factor);
    Screen_vt::set_hidden(*this, group_b, !typed_factor);
    apply_rate_mode(t);
}

bool ProductSettingsMask::handle_stat_update(Stat* s)
{
    const uint16_t selection = tank.get_item();
    NV_quvel::products_t& p = product();
    if (s == &name) {
        Operator_name::store_typed(p.name, name.get_text());
        char stored[NV_quvel::nv_name::length + 1] = {};
        p.name.get(stored, NV_quvel::nv_name::length);
        Debug_print::dprint("NEW NAME='%s'\n", stored);
        copy_to_tank(selection);
        return true;
    }
    if (s == &rate_1) {
        p.preset_rate_1.set(float(rate_1.get_val()));
        copy_to_tank(selection);
    } else if (s == &rate_2) {
        p.preset_rate_2.set(float(rate_2.get_val()));
        copy_to_tank(selection);
    } else if (s == &density) {
        p.density.set(float(density.get_val()));
    } else if (s == &increment) {
        p.inc_dec.set(float(increment.get_val()));
        copy_to_tank(selection);
    } else if (s == &cal_factor) {
        p.product_cal_factor.set(float(cal_factor.get_val()));
        if (product_tank() >= 0)
            channel(product_tank()).cal_setting.set(float(cal_factor.get_val()));
    } else if (s == &tank) {
        Debug_print::dprint("TANK=%d\n", selection);
        const int old = product_tank();
        if (old >= 0) {
            Debug_print::dprint("Detach product from TANK #%d\n", old);
            detach(old);
        }
        assign(selection);
    }
    return false;
}

bool ProductSettingsMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    if (e.get_code() != Window::Activator_event::released)
        return true;
    if (a == main_key) {
        get_man()->switch_to_screen("main");
    } else if (a == settings_key) {
        get_man()->switch_to_screen("settings_menu");
    } else if (a == menu_key) {
        get_man()->switch_to_screen("product_settings_menu");
    } else if (a == calibrate_button) {
        const int t = tank.get_item();
        if (!Seeder_tanks::is_tank(t) || channel(t).mode.get() == Seeder_tanks::nh3)
            return true;
        CDS::Head& head = objects_.store.head;
        head.set(objects_.store.body.internal.current_tank_cal_step, uint32_t(0));
        head.set(objects_.store.body.internal.current_tank_cal_index, uint32_t(t));
        get_man()->switch_to_screen("tank_calibration_settings_mask");
    }
    return true;
}

void ProductSettingsMask::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    if (listener == &internal_listener) {
        // An index beyond the products, stored by another display, is not
        // one: the screen keeps its product.
        const uint32_t index = objects_.store.head.get(objects_.store.body.internal.current_product_index);
        if (Seeder_tanks::is_product(index))
            current_product = int(index);
        show_product();
    }
    send_val_updates(false);
}

void ProductSettingsMask::handle_nv_listener_event(NV_store::Virt_access* listener)
{
    for (int t = 0; t < tanks; ++t)
        if (listener == tank_listener[t].get())
            show_tank_item(t);
    if (listener == product_listener[current_product].get())
        show_product();
    send_val_updates(false);
}
