#pragma once
#include "ui/screens/Drive_settings_screen.h"

#include <array>

namespace VT {
class Container_obj;
}

// An electric motor drive: shaft sensor, soft start, gear and sensor ratios,
// and the motor: one of two fixed kinds with their own values, or a custom
// one with its pulses per revolution and speed limits.
class ElectricDriveSettingsMask : public Drive_settings_screen {
public:
    ElectricDriveSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Drive_settings_screen(key, man, objects, "ElectricDriveSettingsMask", Takes_tank::at_activation)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    // Takes the tank at each activation rather than at the snapshot.
    bool activate() override;

    Flag_field shaft_sensor{{}, &NV_quvel::channel_t::motor_using_shaft_sensor};
    Flag_field soft_start{{}, &NV_quvel::channel_t::motor_using_soft_start};
    Float_field gear_ratio{{}, &NV_quvel::channel_t::motor_gear_ratio};
    Float_field shaft_pulses_per_rev{{}, &NV_quvel::channel_t::motor_shaft_sensor_ratio};
    // The custom motor's values, then the fixed motor's (shown only).
    Float_field pulses_per_rev{{}, &NV_quvel::channel_t::motor_encoder_ratio};
    Float_field max_rpm{{}, &NV_quvel::channel_t::motor_max_rpm};
    Float_field min_rpm{{}, &NV_quvel::channel_t::motor_min_rpm};
    std::array<Stat_num, 3> fixed; // pulses/rev, max rpm, min rpm
    Item_field motor_selection{{}, &NV_quvel::channel_t::motor_pulse_encoder};

protected:
    void refresh_fields() override;
    void edit(Stat* s) override;

private:
    void show_motor_selection(unsigned item);

    std::array<VT::Container_obj*, 3> custom_containers_{};
    std::array<VT::Container_obj*, 3> fixed_containers_{};
};
