#include "ui/screens/ProductSettingsMenu.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/ui/Bind_object.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <cstdio>

namespace {

// A product's tank when it is on none.
constexpr uint8_t no_tank = 10;

}

ProductSettingsMenu::ProductSettingsMenu(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool ProductSettingsMenu::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Product_settings_menu_ids& ids = objects_.ids.product_settings_menu;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids.mask), params, nullptr, 0))
        return false;
    links_.init(this, {{ids.settings_key, NULL_ID, "settings_menu"},
                       {ids.main_key, NULL_ID, "main"},
                       {ids.multi_cal_key, NULL_ID, "multi_tank_cal_1_mask"}});
    for (int i = 0; i < product_count; ++i) {
        product_buttons_[i].init(this, NULL_ID, ids.product_buttons[i], nullptr, NULL_ID, NULL_ID);
        name_lines_[i] = UI::bind_object<VT::Output_string_obj>(pool, ids.product_labels[i]);
        tank_lines_[i] = UI::bind_object<VT::Output_string_obj>(pool, ids.tank_labels[i]);
    }
    return true;
}

void ProductSettingsMenu::post_snapshot_init()
{
    for (int i = 0; i < product_count; ++i) {
        product_listeners_[i] = std::make_unique<NV_store::Virt_listener<ProductSettingsMenu>>(this);
        product_listeners_[i]->init(objects_.parameters.app.products[i]);
        product_listeners_[i]->autoreg(get_waiter(), true);
    }
    show_products();
}

bool ProductSettingsMenu::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    if (event.get_code() != Window::Activator_event::released || links_.follow(*this, activator))
        return true;
    for (uint32_t i = 0; i < product_count; ++i)
        if (activator == product_buttons_[i]) {
            // The product settings screen edits the product of the index.
            objects_.store.head.set(objects_.store.body.internal.current_product_index, i);
            get_man()->switch_to_screen("product_settings_mask");
            break;
        }
    return true;
}

void ProductSettingsMenu::handle_nv_listener_event(NV_store::Virt_access*)
{
    show_products();
    send_val_updates(false);
}

void ProductSettingsMenu::show_products()
{
    for (int i = 0; i < product_count; ++i) {
        const NV_quvel::products_t& product = *objects_.parameters.app.products[i];
        // Names are kept space-padded to 20 characters; 19 of them are shown.
        char name[21] = {};
        product.name.get(name, 20);
        int length = 19;
        while (length > 0 && (name[length - 1] == ' ' || name[length - 1] == '\0'))
            --length;
        name[length] = '\0';
        set_text(name_lines_[i], name);

        char tank[8] = "OFF";
        const unsigned t = product.tank.get();
        if (t != no_tank)
            std::snprintf(tank, sizeof tank, "Tank%u", t + 1);
        set_text(tank_lines_[i], tank);
    }
}

void ProductSettingsMenu::set_text(VT::Output_string_obj* line, const char* text)
{
    if (!line)
        return;
    get_pool()->lock_pool();
    line->__set_string(text);
    get_pool()->unlock_pool();
}
