#pragma once
#include "platform/data/CDS_Virt_listener.h"
#include "platform/rtos/Timeout.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Stat_string.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_objects.h"

#include <array>
#include <cstdint>
#include <memory>

namespace NV_quvel {
class channel_t;
}
namespace VT {
class Container_obj;
class Object_pointer_obj;
}

// The calibration run of one tank (`current_tank_cal_index`, 0 to 3) for the
// product being edited (`current_product_index`): the tank dispenses while
// the control core counts its shaft pulses, the operator weighs what came
// out, and the factor (weight per shaft revolution, or pulses per unit for
// a liquid or NH3 tank) goes to the product and the tank. The step lives in
// the store (`current_tank_cal_step`): the screen changes step by writing
// it and redraws on its change event.
class TankCalibrationSettingsMask : public Data_screen {
public:
    // The wizard's steps.
    static constexpr uint32_t idle = 0, dispensing = 1, weighing = 2, complete = 3;
    // `calibration_state` while a tank dispenses for its calibration.
    static constexpr int32_t tank_run = 1;

    TankCalibrationSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    // Suspends the master clutch for an actuator tank while shown.
    bool activate() override;
    // Gives the master clutch setting back.
    bool deactivate() override;
    // Once a second while dispensing: the revolutions so far and the weight they make.
    bool send_timeout(Timeout& t) override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event& event);

    Stat_num weight, set_rate, extension, revolutions, cal_factor, estimated_weight, tank_number;
    Stat_string instruction, product_name, revolutions_label;

private:
    // Writes the step; the redraw follows from its change event.
    void set_step(uint32_t step);
    uint32_t step();
    // The tank calibrated, or -1 when the store names none of tanks 1 to 4.
    int tank();
    // The product calibrated, or -1 when the store names none.
    int product();
    NV_quvel::channel_t& channel(int tank);
    // The product's name and the formats of the tank's type; its stored
    // factor too, except at the last step where the run's factor shows.
    void refresh_product();
    void apply_tank_type(int mode);
    void count_revolutions();
    // The set rate row, or the actuator extension row when an actuator tank
    // runs at a fixed extension; the Cal. Style key where it applies.
    void show_rate_or_extension();
    // Shows the step and, while shown, makes its writes to the store.
    void redraw();
    // The store's side of each step for tank t.
    void write_step(uint32_t s, int t);
    void show_keys(const std::array<uint16_t, 4>& places, uint16_t product_settings);

    const Screen_objects objects_;
    Timeout refresh_timer_{true};
    int shown_mode_ = -1;
    bool saved_master_clutch_ = false;
    // The step whose writes the screen made last while shown. A run starts
    // (other tanks off, the count from 0), ends (the last reading) and gives
    // its factor only as its step is entered, not when the screen comes back
    // to that step (after an alarm screen, say): the factor takes the whole run.
    uint32_t applied_step_ = UINT32_MAX;
    Window::Activator start_key_, accept_key_, next_key_, cancel_key_, cal_style_key_, product_settings_key_;
    std::unique_ptr<CDS::Virt_listener<TankCalibrationSettingsMask>> internal_listener_;
    // Soft-key places 1 to 4 (Start, Next, Cancel, Accept as the step needs
    // them), then those of Cal. Style and Product Settings.
    std::array<VT::Object_pointer_obj*, 4> key_places_{};
    VT::Object_pointer_obj* cal_style_place_ = nullptr;
    VT::Object_pointer_obj* product_settings_place_ = nullptr;
    uint16_t start_id_ = NULL_ID, next_id_ = NULL_ID, cancel_id_ = NULL_ID, accept_id_ = NULL_ID;
    uint16_t cal_style_id_ = NULL_ID, product_settings_id_ = NULL_ID;
    VT::Container_obj* set_rate_group_ = nullptr;
    VT::Container_obj* extension_group_ = nullptr;
};
