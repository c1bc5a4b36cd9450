#pragma once
#include "data_store/Data_store.h"
#include "platform/data/CDS_Virt_listener.h"
#include "platform/data/NV_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Stat_string.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_objects.h"
#include "ui/screens/Seeder_tanks.h"

#include <array>
#include <cstdint>
#include <memory>

namespace VT {
class Container_obj;
class Input_list_obj;
}

// One product of the library: its name, rates, density, increment and
// calibration factor, and the tank (1 to 4, or none) it is on. A product on
// a tank lends the tank's channel its name, rates, increment and factor, and
// the store marks the channel as carrying it.
class ProductSettingsMask : public Data_screen {
public:
    // The tank list's item for no tank.
    static constexpr uint16_t off_item = Seeder_tanks::count;

    ProductSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    void handle_nv_listener_event(NV_store::Virt_access* listener);
    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&);

    int get_current_product() const { return current_product; }

private:
    using Nv_listener = NV_store::Virt_listener<ProductSettingsMask>;
    static constexpr int tanks = Seeder_tanks::count;

    // The channel loses its product: named "---", not assigned, inactive.
    void detach(int tank);
    // The channel takes the current product's rates, increment, name and factor.
    void copy_to_tank(int tank);
    void assign(uint16_t item);
    void show_tank_item(int tank);
    void apply_rate_mode(int tank);
    void show_product();
    // The current product's tank, when it is one of tanks 1 to 4; else -1.
    int product_tank();

    NV_quvel::products_t& product() { return Seeder_tanks::product(objects_.parameters, current_product); }
    NV_quvel::channel_t& channel(int tank) { return Seeder_tanks::channel(objects_.parameters, tank); }

    const Screen_objects objects_;

    int current_product = 0;
    CDS::Virt_listener<ProductSettingsMask> internal_listener{this};
    std::array<std::unique_ptr<Nv_listener>, Seeder_tanks::product_count> product_listener;
    std::array<std::unique_ptr<Nv_listener>, tanks> tank_listener;
    Window::Activator menu_key, settings_key, main_key, calibrate_button;
    Stat_string name;
    Stat_num rate_1, rate_2, density, increment, cal_factor;
    Stat_list tank;
    VT::Input_list_obj* tank_list_object = nullptr;
    std::array<uint16_t, tanks + 1> tank_item_ids;
    VT::Container_obj* group_a = nullptr; // the "Cal Factor" button
    VT::Container_obj* group_b = nullptr; // the typed calibration factor
    int shown_rate_mode = -1;
};
