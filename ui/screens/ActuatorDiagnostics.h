#pragma once
#include "platform/data/CDS_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"
#include "ui/screens/Seeder_tanks.h"

#include <array>
#include <memory>

namespace VT {
class Container_obj;
class Object_pointer_obj;
}

// The first live diagnostics page: the raw figures the slave processors
// report for the ground speed, fans 1 and 2, the tank shafts, drives and bin
// levels, redrawn on every change of the store's diagnostics block. Rows of
// fans and tanks not in use are hidden; the page offers the pressures page
// only when a tank senses liquid pressure, and its Reset key asks the
// control core to restart the diagnostic counters.
class ActuatorDiagnostics : public Data_screen {
public:
    static constexpr int tanks = Seeder_tanks::count, fans = 2;

    ActuatorDiagnostics(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool deactivate() override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&);

    Stat_num ground_speed_period, ground_speed_pulses;
    std::array<Stat_num, tanks> shaft_periods, shaft_pulses, drive_outputs, motor_currents;
    std::array<Stat_num, fans> fan_periods, fan_pulses, fan_sensors;

private:
    void refresh();
    // Rows and labels by the fans' and tanks' parameters.
    void show_rows();

    const Screen_objects objects_;
    std::unique_ptr<CDS::Virt_listener<ActuatorDiagnostics>> listener_;
    Screen_links<4> links_;
    Window::Activator reset_key_;
    uint16_t plain_keys_ = NULL_ID, toggle_keys_ = NULL_ID;
    std::array<VT::Container_obj*, fans> fan_rows_{};
    std::array<VT::Object_pointer_obj*, fans> fan_pointers_{};
    std::array<uint16_t, fans> fan_values_{};
    std::array<VT::Object_pointer_obj*, tanks> drive_pointers_{}, current_pointers_{};
    std::array<uint16_t, tanks> drive_output_ids_{}, motor_current_ids_{};
    std::array<VT::Container_obj*, tanks> act_labels_{}, elec_labels_{}, pv_labels_{}, shaft_rows_{}, bin_rows_{},
        bin_empty_{}, bin_full_{};
};
