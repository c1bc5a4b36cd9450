#pragma once
#include "data_store/Data_store.h"
#include "platform/data/CDS_Virt_listener.h"
#include "platform/data/NV_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_num.h"
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

// How much product each tank holds after filling: a tank set to full,
// stepped up or down, or its content typed in. The content is the store's
// `remaining_volume`; a typed one is kept in the parameter `remaining` too.
class TankFillMask : public Data_screen {
public:
    // The tank list's item that selects every tank.
    static constexpr uint16_t all_tanks = Seeder_tanks::count;

    TankFillMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    void handle_nv_listener_event(NV_store::Virt_access* listener);
    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&);

    // The most the tank can hold: its capacity, as a weight (times the
    // product's density) for a granular or NH3 tank with a product.
    double tank_maximum(int tank);

private:
    using Nv_listener = NV_store::Virt_listener<TankFillMask>;
    using Cds_listener = CDS::Virt_listener<TankFillMask>;

    enum class Key { fill, inc, dec };

    void bind_tank(int tank, const Stat_num_format& metric, const Stat_num_format& imperial);
    void refresh_formats(int tank);
    void refresh_tank(int tank);
    // Shows the all-tanks entry and the tank selection only with two
    // enabled tanks or more; otherwise a selection of all tanks falls back
    // to tank 1.
    void show_enabled_count();
    void select_first_tank();
    void step_tanks(Key key);
    // The channel's product, when one is assigned with a number the
    // products hold; -1 otherwise.
    int assigned_product(int tank);

    ds_channel& store_channel(int tank) { return objects_.store.body.channels.channels[tank]; }
    NV_quvel::channel_t& channel(int tank) { return Seeder_tanks::channel(objects_.parameters, tank); }

    const Screen_objects objects_;

    Window::Activator fill_key, inc_key, dec_key, settings_key, main_key;
    Stat_list tank_list;
    std::array<Stat_num, Seeder_tanks::count> fill_level;
    std::array<Stat_num, Seeder_tanks::count> fill_step;
    std::array<int32_t, Seeder_tanks::count> shown_mode;
    std::array<std::unique_ptr<Cds_listener>, Seeder_tanks::count> cds_listener;
    std::array<std::unique_ptr<Nv_listener>, Seeder_tanks::count> nv_listener;
    VT::Container_obj* multi_tank_container = nullptr;
    VT::Container_obj* single_tank_container = nullptr;
    std::array<VT::Container_obj*, Seeder_tanks::count> tank_container{};
    std::array<uint16_t, Seeder_tanks::count + 1> list_item_ids;
    VT::Input_list_obj* tank_list_object = nullptr;
};
