#pragma once
#include "platform/ui/Stat_num.h"
#include "ui/screens/Diagnostics_page.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Seeder_tanks.h"

#include <array>

namespace VT {
class Container_obj;
}

// The second live diagnostics page: the raw readings of the liquid pressure
// sensors of tanks 1 to 4, a tank's shown only while it senses pressure.
class Diagnostics2 : public Diagnostics_page {
public:
    static constexpr int tanks = Seeder_tanks::count;

    Diagnostics2(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    std::array<Stat_num, tanks> pressures;

protected:
    void refresh() override;
    void show_rows() override;

private:
    Screen_links<3> links_;
    std::array<VT::Container_obj*, tanks> columns_{};
};
