#pragma once
#include <cstdint>

class Alarm_screen;
class Data_screen;
class Screen;
class Timeout;

namespace NV_quvel {
class parameters_t;
}
namespace VT {
class vtui_pool;
struct Locale_info;
}

namespace UI {

struct Setup_config;

// What the user-interface library asks of the application: its screens, its
// listeners, whether the VT display is enabled, and what to do with the VT's
// state. Every call comes on the UI's task.
class User_interface_iface {
public:
    static constexpr uint16_t NULL_ID = 0xFFFF;

    virtual ~User_interface_iface() = default;

    // Creates the screens the library does not know by construction (alarm
    // screens) and fills the configuration; false stops the set-up.
    virtual bool setup_screens(VT::vtui_pool* pool, Setup_config& config) = 0;
    // Registers the application's own listeners on the UI's waiter, once
    // every screen is initialised.
    virtual void register_listeners() = 0;
    // The parameter root every screen's init is given.
    virtual NV_quvel::parameters_t* get_parameters() = 0;

    // A screen became the shown one, or stopped being it.
    virtual void notify_data_screen_up(Data_screen*) {}
    virtual void notify_data_screen_down(Data_screen*) {}
    virtual void notify_alarm_screen_up(Alarm_screen*) {}
    virtual void notify_alarm_screen_down(Alarm_screen*) {}
    virtual void notify_screen_up(Screen*) {}
    virtual void notify_screen_down(Screen*) {}

    // Whether the VT display is to be used now.
    virtual bool ui_enabled() = 0;
    virtual bool allow_lang_change() const { return true; }
    virtual void handle_locale_change(const VT::Locale_info&) {}
    virtual uint16_t get_intro_key_id(VT::vtui_pool*) const { return NULL_ID; }
    virtual uint16_t get_enable_key_id(VT::vtui_pool*) const { return NULL_ID; }
    virtual void hide_common_buttons(VT::vtui_pool*) {}
    virtual void reset_working_set_icon(VT::vtui_pool*) {}
    // A timeout submitted on the UI's task that no screen owns fell due.
    virtual bool handle_timeout_event(Timeout&) { return false; }

    // The VT shows the pool; its NAME in the form the parameters keep.
    virtual void handle_pool_uploaded(uint64_t vt_name) = 0;
    virtual void handle_terminal_alive(bool alive) = 0;

    virtual bool disclaimer_accepted() const { return true; }
    virtual int reset_disclaimer() { return 0; }
    virtual int get_vt_enabled_condition(int) { return 0; }
};

}
