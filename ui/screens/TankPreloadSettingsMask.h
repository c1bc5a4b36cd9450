#pragma once
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_num.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

// How long a tank preload runs, in seconds.
class TankPreloadSettingsMask : public Data_screen {
public:
    TankPreloadSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Data_screen(key, man), objects_(objects)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    Stat_num preload_time;

private:
    const Screen_objects objects_;
    Screen_links<3> keys_;
};
