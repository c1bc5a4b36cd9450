#pragma once
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_num.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

namespace NV_quvel {
class monitor_ecus_t;
}
namespace VT {
class Container_obj;
}

// Blockage monitoring of the seeding heads: whether it is on, the kind of
// sensor, how many sensors, single or double shoot, which head systems are
// watched and where the fertiliser sensors begin. After every edit the
// screen derives from these which of the first 32 inputs are watched and
// which belong to the fertiliser system, for the monitoring side.
class BlockedHeadSettingsMask : public Data_screen {
public:
    // Inputs whose watch and head system the settings derive.
    static constexpr int derived_inputs = 32;
    static constexpr int max_sensors = 40;

    BlockedHeadSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    bool activate() override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    Stat_list monitoring;   // 0 "Disabled", 1 "Enabled"
    Stat_list sensor_type;
    Stat_list head_systems; // 0 "Single Shoot", 1 "Double Shoot"
    Stat_list enabled_heads; // 0 "Seed + Fert", 1 "Seed Only", 2 "Fert Only"
    Stat_num num_sensors;
    Stat_num first_fert_sensor; // shown from 1

private:
    void refresh();
    void show_double_shoot_rows(bool shown);
    // The watched inputs and their head systems from the settings.
    void derive();
    NV_quvel::monitor_ecus_t& settings() const;

    const Screen_objects objects_;
    Screen_links<3> links_;
    VT::Container_obj* enabled_heads_row_ = nullptr;
    VT::Container_obj* first_fert_row_ = nullptr;
};
