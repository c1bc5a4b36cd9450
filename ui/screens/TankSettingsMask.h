#pragma once
#include "data_store/Data_store.h"
#include "platform/data/NV_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_objects.h"
#include "ui/screens/Seeder_tanks.h"

#include <array>
#include <memory>

namespace VT {
class Container_obj;
}

// What the seeder's tanks are: how many of tanks 1 to 4 are in use, and per
// tank its capacity, product type and drive, with a button to the settings
// of that drive.
class TankSettingsMask : public Data_screen {
public:
    TankSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    // Leaving may have made the calibration drive's tank unfit for it.
    bool deactivate() override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    void handle_nv_listener_event(NV_store::Virt_access* listener);

private:
    using Nv_listener = NV_store::Virt_listener<TankSettingsMask>;
    static constexpr int tanks = Seeder_tanks::count;

    void refresh_tank(int tank);
    void show_drive_list(int tank, bool granular);
    void open_drive_settings(int tank);
    void request_tc_reload();

    NV_quvel::channel_t& channel(int tank) { return Seeder_tanks::channel(objects_.parameters, tank); }

    const Screen_objects objects_;

    // The type each tank's capacity was last formatted for.
    std::array<unsigned, tanks> last_type{};
    std::array<std::unique_ptr<Nv_listener>, tanks> nv_listener;
    std::array<Window::Activator, tanks> setup_button;
    Window::Activator seeder_key, settings_key, main_key;
    std::array<Stat_num, tanks> capacity;
    Stat_list tank_count;
    std::array<Stat_list, tanks> type;
    std::array<Stat_list, tanks> granular_drive;
    std::array<Stat_list, tanks> liquid_drive;
    std::array<VT::Container_obj*, tanks> row{};
    std::array<VT::Container_obj*, tanks> granular_container{};
    std::array<VT::Container_obj*, tanks> liquid_container{};
};
