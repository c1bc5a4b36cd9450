#pragma once
#include "platform/data/NV_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

#include <array>
#include <memory>

namespace VT {
class Object_pointer_obj;
}

// The seeder's settings: buttons and keys to their screens, and the Tank
// Preload button, shown only while one of tanks 1 to 4 can be preloaded.
class SeederSettingsMenu : public Data_screen {
public:
    SeederSettingsMenu(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    // Follows the settings of tanks 1 to 4.
    void post_snapshot_init() override;
    bool activate() override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

    void handle_nv_listener_event(NV_store::Virt_access* listener);

private:
    // Shows the preload button when a tank of the four qualifies.
    void show_preload_button();

    const Screen_objects objects_;
    std::array<std::unique_ptr<NV_store::Virt_listener<SeederSettingsMenu>>, 4> tank_listeners_;
    Screen_links<11> links_;
    VT::Object_pointer_obj* preload_pointer_ = nullptr;
    uint16_t preload_button_ = NULL_ID;
};
