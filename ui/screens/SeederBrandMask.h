#pragma once
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

// Which maker's seeder the controller is fitted to: the brand list stores
// its item as the personality parameter.
class SeederBrandMask : public Data_screen {
public:
    SeederBrandMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool handle_stat_update(Stat* stat) override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

private:
    void refresh();

    const Screen_objects objects_;
    Screen_links<3> links_;
    Stat_list brand_;
};
