#pragma once
#include "platform/data/CDS_Virt_listener.h"
#include "platform/rtos/Timeout.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_indicator.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Stat_string.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_objects.h"

#include <array>
#include <cstdint>
#include <memory>

namespace VT {
class Container_obj;
class Object_pointer_obj;
}

// The calibration of several tanks, step 1: the tanks taking part meter
// into catch containers while the screen shows, per tank, the shaft
// revolutions counted, the weight they stand for and the motor load.
//
// While shown, the control core runs the calibration of the marked tanks
// (calibration_state 1), with the master clutch suspended when an actuator
// tank needs it; whichever way the screen is left, the run stops and the
// clutch setting comes back. The counts restart when the step is entered
// from the menu and on Reset: shown again after an interruption (an alarm
// mask), the run goes on with its counts.
class MultiTankCal1Mask : public Data_screen {
public:
    static constexpr int period_ms = 1000;
    // The calibration switch box whose tank switches the row buttons leave alone.
    static constexpr uint8_t switch_box_with_tank_switches = 2;

    MultiTankCal1Mask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool deactivate() override;
    bool send_timeout(Timeout& t) override;
    bool handle_stat_update(Stat* stat) override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event& event);

    std::array<Stat_num, 4> target, preset, estimate, revs, load;
    std::array<Stat_string, 4> name;

private:
    struct Row {
        VT::Container_obj* row = nullptr;
        VT::Container_obj* rate_group = nullptr;   // the target rate
        VT::Container_obj* preset_group = nullptr; // the preset extension of an actuator drive
        VT::Container_obj* off_group = nullptr;
        VT::Container_obj* on_group = nullptr;
        Window::Activator off, on;
    };

    // The row's tank on or off as the store says.
    void show_switch(int tank);
    void show_alternatives(int tank);
    // Revolutions, estimated weight and load of every tank from the store.
    void show_counts();
    void reset_counts();
    // The run ends by the screen's own keys; any other leaving interrupts it.
    void leave(const char* key);

    const Screen_objects objects_;
    std::unique_ptr<CDS::Virt_listener<MultiTankCal1Mask>> operation_listener_;
    std::array<std::unique_ptr<CDS::Virt_listener<MultiTankCal1Mask>>, 4> channel_listeners_;
    Timeout timer_{true, period_ms};
    Window::Activator product_settings_, main_screen_, next_, reset_, master_, cal_style_;
    std::array<Row, 4> rows_;
    // Product settings, main, next, reset, master, then cal style, offered
    // only with an actuator tank taking part.
    std::array<VT::Object_pointer_obj*, 6> key_slots_{};
    std::array<uint16_t, 6> slot_keys_{};
    Stat_indicator master_indicator_;
    Stat_indicator::Client master_client_;
    std::array<uint16_t, 2> on_off_fills_{};
    bool style_ = false;
    bool saved_clutch_ = false;
    std::array<bool, 4> marked_{};
    bool run_open_ = false;
};
