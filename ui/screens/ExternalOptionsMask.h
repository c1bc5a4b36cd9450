#pragma once
#include "data_store/Data_store.h"
#include "platform/data/NV_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
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

// The switch boxes and calibration options that come from outside the VT:
// cabin switch box, master-switch source, calibration switch box, the drive
// for calibration runs, the master clutch and the actuator calibration
// style. The calibration rows show only with an actuator tank.
class ExternalOptionsMask : public Data_screen {
public:
    ExternalOptionsMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    void handle_nv_listener_event(NV_store::Virt_access* listener);

private:
    using Nv_listener = NV_store::Virt_listener<ExternalOptionsMask>;
    static constexpr int tanks = Seeder_tanks::count;

    void apply_master_switch_rule();
    void show_actuator_rows();
    void refresh_lists();

    const Screen_objects objects_;

    std::array<std::unique_ptr<Nv_listener>, tanks> nv_listener;
    Window::Activator seeder_key, settings_key, main_key;
    Stat_list master_switch, cabin_switch_box, cal_switch_box, cal_drive, master_clutch, act_cal_style;
    VT::Input_list_obj* master_switch_list = nullptr;
    std::array<uint16_t, 4> master_switch_items;
    VT::Input_list_obj* cal_drive_list = nullptr;
    std::array<uint16_t, tanks + 1> cal_drive_items;
    VT::Container_obj* cal_drive_row = nullptr;
    VT::Container_obj* master_clutch_row = nullptr;
    VT::Container_obj* act_cal_style_row = nullptr;
};
