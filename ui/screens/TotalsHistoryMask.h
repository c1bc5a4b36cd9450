#pragma once
#include "platform/ui/Stat_num.h"
#include "ui/screens/History_page.h"

#include <array>
#include <cstdint>

namespace VT {
class Output_number_obj;
}

// The machine's totals (area, distance, working time, highest speed) and
// what each of tanks 1 to 4 has applied, in the units of the tank's product
// type as it was when the page was last shown.
class TotalsHistoryMask : public History_page {
public:
    static constexpr int tanks = 4;

    using History_page::History_page;

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    // Gives a tank total whose product type changed since the page was last
    // shown the formats of its new type.
    bool activate() override;

    Stat_num area; // in square metres
    Stat_num distance;
    Stat_num time;
    Stat_num max_speed;
    std::array<Stat_num, tanks> tank_totals;

private:
    void refresh() override;

    std::array<VT::Output_number_obj*, tanks> tank_total_objects_{};
    // The product type each tank total's formats were built for; none yet.
    std::array<int16_t, tanks> tank_modes_{-1, -1, -1, -1};
};
