#pragma once
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

// What an operator rarely needs: the Task Controller connection on or off,
// the move to the next VT on the bus, and the ways to the factory reset and
// the factory upgrade.
class AdvancedSettingsMask : public Data_screen {
public:
    AdvancedSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool handle_stat_update(Stat* stat) override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

private:
    void refresh();
    // With the Task Controller: one boom with one section as wide as the
    // machine; without it: no boom. The Task Controller side then rebuilds
    // the machine's description.
    void set_task_controller(bool enabled);

    const Screen_objects objects_;
    Screen_links<4> links_;
    Window::Activator switch_vt_;
    Stat_list enable_tc_;
};
