#pragma once
#include "platform/data/NV_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_num.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

#include <array>
#include <memory>

namespace NV_quvel {
class fan_t;
}
namespace VT {
class Container_obj;
}

// The seeder's fans 1 and 2: how many are fitted, per fan its pressure
// sensing, gain and speed-sensor magnets; the case-drain sensor and fan 2
// used as a pump.
class FanSettingsMask : public Data_screen {
public:
    static constexpr int fans = 2;

    FanSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    void handle_nv_listener_event(NV_store::Virt_access* listener);

    Stat_list fan_count; // item 0: one fan, 1: two
    std::array<Stat_list, fans> gain;
    std::array<Stat_list, fans> sense;
    Stat_list case_drain;
    Stat_list pump;
    std::array<Stat_num, fans> magnets;

private:
    using Nv_listener = NV_store::Virt_listener<FanSettingsMask>;

    void set_fan_count(unsigned count);
    void show_fan(int fan);
    NV_quvel::fan_t& fan(int i);

    const Screen_objects objects_;
    Screen_links<3> keys_;
    std::array<std::unique_ptr<Nv_listener>, fans> nv_listener;
    std::array<VT::Container_obj*, fans> sense_group{};
    std::array<VT::Container_obj*, fans> magnets_group{};
    VT::Container_obj* case_drain_group = nullptr;
    VT::Container_obj* pump_group = nullptr;
};
