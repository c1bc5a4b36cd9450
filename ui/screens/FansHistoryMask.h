#pragma once
#include "platform/data/NV_Virt_listener.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_num.h"
#include "ui/screens/History_page.h"

#include <array>
#include <cstdint>
#include <memory>

namespace VT {
class Input_list_obj;
}

// The history of fan 1 or 2, chosen in the fan list: highest and average
// speed and pressure. A disabled fan's entry is blanked in the list.
class FansHistoryMask : public History_page {
public:
    static constexpr int fans = 2;

    using History_page::History_page;

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    // Follows the fans' settings and the history, then shows fan 1.
    void post_snapshot_init() override;
    bool handle_stat_update(Stat* s) override;
    void handle_nv_listener_event(NV_store::Virt_access* listener);

    Stat_list fan; // item 0: fan 1
    Stat_num max_speed;
    Stat_num max_pressure;
    Stat_num avg_speed;
    Stat_num avg_pressure;

private:
    using Nv_listener = NV_store::Virt_listener<FansHistoryMask>;

    // Shows the history of the fan chosen in the list.
    void refresh() override;

    std::array<std::unique_ptr<Nv_listener>, fans> fan_listeners_;
    VT::Input_list_obj* fan_list_ = nullptr;
    std::array<uint16_t, fans> fan_entries_{NULL_ID, NULL_ID};
};
