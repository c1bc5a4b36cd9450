#pragma once
#include "platform/ui/Stat_num.h"
#include "ui/screens/History_page.h"

#include <array>

// The highest speed the shaft of each of tanks 1 to 4 has reached.
class ShaftsHistoryMask : public History_page {
public:
    static constexpr int shafts = 4;

    using History_page::History_page;

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;

    std::array<Stat_num, shafts> shaft_speeds;

private:
    void refresh() override;
};
