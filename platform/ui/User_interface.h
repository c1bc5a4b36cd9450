#pragma once
#include "platform/iso/VT_Pool_listener.h"
#include "platform/rtos/Diner.h"
#include "platform/ui/Screen_man.h"
#include "platform/ui/Setup_config.h"
#include "platform/ui/Units_man.h"

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>

class Screen;
class Timeout;

namespace CDS {
class Head;
}
namespace NV_store {
class NV_root;
}
namespace VT {
class vtui_pool;
}

namespace UI {

class User_interface_iface;

// The VT user interface of an application pool: its screens and their
// manager, and the one UI task (its waiter and timers) on which every screen
// handler, listener callback and screen timeout runs. From its construction
// it is the pool's listener: it hears the VT client and hands the VT's state
// and the operator's actions to the application and the shown screen on the
// UI task. An action no screen takes is said on the debug output.
//
// The task starts with Diner::start, or runs with run_pending in tests.
class User_interface : public Diner, public VT::Pool_listener {
public:
    User_interface(module_man* man, VT::vtui_pool& pool);
    // Ends the task, leaves the pool and deletes the alarm screens. The
    // application's screens, whose listeners are on the UI's waiter, go first.
    ~User_interface() override;

    // Takes the application and sets the interface up on the UI task:
    // setup_screens, every screen's init and then post_snapshot_init in the
    // order they registered, register_listeners, the intro screen, and the
    // home screen once the pool is uploaded. False when called again.
    bool init(User_interface_iface& iface);
    bool is_set_up() const { return set_up_; }

    // On the UI task: asks the application whether the VT display is to be
    // used and records it; on a change shows the intro screen (disabled) or
    // the home screen (enabled, once the pool is uploaded). Returns the answer.
    bool determine_ui_enabled();
    bool is_ui_enabled() const { return ui_enabled_; }

    Screen_man& get_screen_man() { return screen_man_; }
    Units_man& get_units() { return units_; }
    VT::vtui_pool& get_pool() const { return pool_; }
    User_interface_iface* get_iface() const { return iface_; }
    const Setup_config& get_config() const { return config_; }

    // The store and the parameter root registered with the interface (null
    // while none is).
    void set_store(CDS::Head* store) { store_ = store; }
    CDS::Head* get_store() const { return store_; }
    void set_parameter_root(NV_store::NV_root* root) { parameter_root_ = root; }
    NV_store::NV_root* get_parameter_root() const { return parameter_root_; }

    // A screen's timeout, on the UI task: due, it goes to the screen.
    void submit_screen_timeout(Screen& screen, Timeout& t, int period_ms);
    void remove_screen_timeout(Timeout& t);
    // The screen goes: its timeouts (gone already when they were its
    // members, which leave the task as they go) no longer reach it.
    void forget_screen_timeouts(Screen& screen);

    // VT::Pool_listener, on the VT client's task: queued for the UI task.
    void handle_activation(const Activation& activation) override;
    void handle_pool_uploaded(uint64_t vt_name) override;
    void handle_terminal_alive(bool alive) override;
    // The VT's unit system: on the UI task every screen takes it, and the
    // values that show differently go to the VT.
    void handle_units_system(Units_system system) override;

protected:
    void handle_event(waiter_event& event) override;
    void handle_listener_event(waiter_event& event) override;
    void handle_timeout(Timeout& t) override;

private:
    // What the VT client said, in the order it said it.
    struct Vt_news {
        enum Kind { activation, uploaded, alive, units } kind = activation;
        Activation what;
        uint64_t vt_name = 0;
        bool is_alive = false;
        Units_man::System system = Units_man::metric;
    };
    enum Event_code : uint32_t { setup_event = 1, news_event };

    void queue(const Vt_news& news);
    void set_up();
    void take_news();
    void route(const Activation& activation);
    void route_key(const Activation& activation);
    void route_value(const Activation& activation);
    void go_home();
    void apply_units(Units_man::System system);
    // Sends every screen's changed values once a handler is done.
    void send_updates();
    void post(uint32_t code);

    VT::vtui_pool& pool_;
    Units_man units_;
    Screen_man screen_man_;
    User_interface_iface* iface_ = nullptr;
    Setup_config config_;
    bool set_up_ = false;
    bool ui_enabled_ = true;
    bool pool_uploaded_ = false;
    CDS::Head* store_ = nullptr;
    NV_store::NV_root* parameter_root_ = nullptr;

    std::mutex news_mutex_;
    std::deque<Vt_news> news_;

    std::mutex timers_mutex_;
    std::map<Timeout*, Screen*> screen_timers_;
};

}
