#pragma once
#include "platform/ui/Stat_num.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Diagnostics_page.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Seeder_tanks.h"

#include <array>
#include <cstdint>

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
class ActuatorDiagnostics : public Diagnostics_page {
public:
    static constexpr int tanks = Seeder_tanks::count, fans = 2;

    ActuatorDiagnostics(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    Stat_num ground_speed_period, ground_speed_pulses;
    std::array<Stat_num, tanks> shaft_periods, shaft_pulses, drive_outputs, motor_currents;
    std::array<Stat_num, fans> fan_periods, fan_pulses, fan_sensors;

protected:
    void refresh() override;
    // Rows and drive labels, and the soft keys with or without the way to
    // the pressures page.
    void show_rows() override;

private:
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
