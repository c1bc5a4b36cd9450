#pragma once
#include "platform/rtos/Timeout.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_string.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

#include <cstddef>
#include <string>

// What the controller is: the firmware of the application and of the bridge
// ECU, the firmware of the two drive ECUs and the controller's own IPv4
// address, read again every 400 ms while the screen is shown.
class SystemInfoMask : public Data_screen {
public:
    static constexpr int refresh_period_ms = 400;
    // The firmware line's room, its terminator included: a longer line is cut.
    static constexpr size_t firmware_line_size = 20;

    SystemInfoMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Data_screen(key, man), objects_(objects)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    bool activate() override;
    bool deactivate() override;
    bool send_timeout(Timeout& t) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    // The network interface whose address the screen shows ("eth0", the
    // controller's own).
    void use_interface(const char* name) { interface_ = name; }

    Stat_string firmware;
    Stat_string drive_ecus;
    Stat_string address;

private:
    void refresh();

    const Screen_objects objects_;
    Timeout timeout_{true};
    Screen_links<2> keys_;
    std::string interface_ = "eth0";
};
