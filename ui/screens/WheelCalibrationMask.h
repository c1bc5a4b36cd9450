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

namespace VT {
class Object_pointer_obj;
}

// The ground wheel calibration: the operator drives while the control core
// counts wheel pulses, types in the distance travelled and accepts the
// metres per pulse. The step lives in the store (`current_wheel_cal_step`),
// so the screen changes step by writing it and redraws on its change event.
class WheelCalibrationMask : public Data_screen {
public:
    // The wizard's steps.
    static constexpr uint32_t idle = 0, driving = 1, entering_distance = 2, complete = 3;
    // `calibration_state` while the operator drives.
    static constexpr int32_t wheel_run = 2;

    WheelCalibrationMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool deactivate() override;
    // Once a second while driving: the pulses so far and the distance they make.
    bool send_timeout(Timeout& t) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event& event);

    Stat_num factor, pulses, estimated_distance, distance;
    Stat_string instruction;

private:
    // Writes the step; the redraw follows from its change event.
    void set_step(uint32_t step);
    uint32_t step();
    void show_factor();
    // Reads the pulse count while driving, or once more as the drive ends.
    void read_pulses();
    // Shows the step and, while shown, makes its writes to the store.
    void redraw();
    void show_keys(uint16_t start, uint16_t next, uint16_t accept);

    const Screen_objects objects_;
    Timeout refresh_timer_{true};
    // Set as the operator leaves the driving step: the next redraw takes the
    // last reading of the drive.
    bool final_reading_ = false;
    // The step whose writes the screen made last while shown. A drive's count
    // starts only as the driving step is entered, not when the screen comes
    // back to it (after an alarm screen, say): the pulses of the whole drive
    // make the factor.
    uint32_t applied_step_ = UINT32_MAX;
    Window::Activator start_key_, accept_key_, next_key_, cancel_key_;
    CDS::Virt_listener<WheelCalibrationMask> internal_listener_{this};
    // The places of Start, Next and Accept in the soft-key mask.
    std::array<VT::Object_pointer_obj*, 3> slots_{};
    uint16_t start_id_ = NULL_ID, next_id_ = NULL_ID, accept_id_ = NULL_ID;
};
