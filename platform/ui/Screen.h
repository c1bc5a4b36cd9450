#pragma once
#include "platform/ui/Soft_key_activation_event.h"
#include "platform/ui/Window.h"

#include <cstdint>
#include <string>

class Alarm_screen;
class Data_screen;
class Screen_man;
class Timeout;
class Units_man;
class waiter_descriptor;

namespace NV_quvel {
class parameters_t;
}
namespace VT {
class vtui_pool;
}

// One screen of the VT user interface, registered with its manager under its
// key. Every handler runs on the UI's task.
class Screen : public Window {
public:
    static constexpr uint16_t NULL_ID = 0xFFFF;
    // The exit status of a screen asked for the manager it was made without.
    static constexpr int no_manager_status = -112;

    // Registers with the manager under the key (a null manager: nowhere).
    Screen(const char* key, Screen_man* man);
    // Leaves the manager; its timeouts no longer reach it.
    ~Screen() override;

    // Binds the screen to the pool and the parameters; false when its mask
    // is missing.
    virtual bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) = 0;
    // Once every screen is bound: make the listeners.
    virtual void post_snapshot_init() {}
    virtual bool allow_switch_to() { return true; }
    virtual bool restricted_switch_to() { return true; }
    // Shown now: sets the shown flag and has the VT show the mask.
    virtual bool activate();
    // No longer shown: clears the shown flag.
    virtual bool deactivate();
    // Has the VT show the screen's mask; false without one.
    virtual bool activate_mask() { return false; }
    virtual uint16_t get_mask_id() const { return NULL_ID; }
    // A submitted timeout of the screen fell due.
    virtual bool send_timeout(Timeout&) { return true; }
    // A soft key or button on the shown screen, with the ISO function of the
    // message (0 soft key, 1 button).
    virtual bool send_soft_key_event(Soft_key_activation_event&, unsigned int) { return false; }
    // Where the library hands a soft key or button; true when the screen took it.
    virtual bool handle_soft_key_event(Soft_key_activation_event& event, unsigned int function)
    {
        return send_soft_key_event(event, function);
    }
    virtual Data_screen* get_data_screen() { return nullptr; }
    virtual Alarm_screen* get_alarm_screen() { return nullptr; }
    // The manager; a screen made without one ends the process with no_manager_status.
    virtual Screen_man* get_man() const;
    // Shows the screen's numbers in the manager's unit system.
    virtual void set_units(Units_man& units);

    // Sends the VT the values of the screen's Stats that changed since they
    // were last sent (all of them with all set), and clears the pending mark.
    void send_val_updates(bool all);
    // Set when a Stat of the screen changes; the screens may clear it.
    bool has_pending_update() const { return pending_update_; }
    void clear_pending_update() { pending_update_ = false; }
    void mark_pending_update() { pending_update_ = true; }

    // A submitted timeout calls send_timeout on the UI's task when due, and
    // every period while a repeating one stays submitted; submitting again
    // re-arms it.
    void submit_timeout(Timeout& t);
    void submit_timeout(Timeout& t, int period_ms);
    void remove_timeout(Timeout& t);

    // The UI's waiter, where the screen's listeners register.
    waiter_descriptor& get_waiter() const;
    bool is_shown() const { return shown_; }
    const char* get_key() const { return key_.c_str(); }
    VT::vtui_pool* get_pool() const { return pool_; }

protected:
    void stat_changed() override { pending_update_ = true; }
    // Has the pool's VT client show the mask, an alarm mask as such; false
    // without a mask or a pool.
    bool show_mask(uint16_t mask, bool alarm);
    // The pool the screen was bound to; the bases' init sets it.
    void set_pool(VT::vtui_pool* pool) { pool_ = pool; }

private:
    friend class Screen_man;

    std::string key_;
    Screen_man* man_;
    VT::vtui_pool* pool_ = nullptr;
    bool shown_ = false;
    bool pending_update_ = false;
};
