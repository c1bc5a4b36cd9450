#pragma once
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_num.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

// The machine's working width, the manual ground speed and where the ground
// speed comes from. A new width reaches the first section and restarts the
// Task Controller connection, so that the Task Controller learns it.
class WidthAndSpeedSettingsMask : public Data_screen {
public:
    WidthAndSpeedSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Data_screen(key, man), objects_(objects)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    // The values are read here only: later changes elsewhere wait for the
    // next snapshot.
    void post_snapshot_init() override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    Stat_num width;
    Stat_num manual_speed; // metres per second
    Stat_list speed_source;

private:
    const Screen_objects objects_;
    Screen_links<3> keys_;
};
