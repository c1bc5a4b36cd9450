#include "ui/screens/WheelCalibrationMask.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Screen_vt.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <cstdio>

namespace {

constexpr int refresh_ms = 1000;
// Metres per pulse and metres, shown in metres or feet.
const Stat_num_format factor_metric(2, 0.001, 3), factor_imperial(2, 0.0003048, 3);
const Stat_num_format distance_metric(2, 0.1, 1), distance_imperial(2, 0.03048, 1);
const Stat_num_format count_format(0, 1.0, 0);

}

WheelCalibrationMask::WheelCalibrationMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool WheelCalibrationMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Wheel_calibration_ids& own = objects_.ids.wheel_calibration;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    start_key_.init(this, own.start_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    accept_key_.init(this, own.accept_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    next_key_.init(this, own.next_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    cancel_key_.init(this, own.cancel_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    factor.init(this, UI::bind_object<VT::Output_number_obj>(pool, own.factor), factor_metric, factor_imperial, 1000,
                pool);
    factor.set_range(0, 50);
    estimated_distance.init(this, UI::bind_object<VT::Output_number_obj>(pool, own.estimated_distance),
                            distance_metric, distance_imperial, 1000, pool);
    pulses.init(this, UI::bind_object<VT::Output_number_obj>(pool, own.pulses), count_format, count_format, 1000,
                pool);
    distance.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.distance_input),
                  UI::bind_object<VT::Output_number_obj>(pool, own.distance_output),
                  UI::bind_object<VT::Object_pointer_obj>(pool, own.distance_pointer),
                  UI::bind_object<VT::Number_variable_obj>(pool, own.distance_variable), distance_metric,
                  distance_imperial, 1000, pool);
    distance.set_range(0, 50000);
    distance.set_val(0);
    distance.set_editable(false);
    instruction.init(this, UI::bind_object<VT::Output_string_obj>(pool, own.instruction), pool, 1000);
    slots_ = {UI::bind_object<VT::Object_pointer_obj>(pool, own.start_slot),
              UI::bind_object<VT::Object_pointer_obj>(pool, own.next_slot),
              UI::bind_object<VT::Object_pointer_obj>(pool, own.accept_slot)};
    start_id_ = own.start_key;
    next_id_ = own.next_key;
    accept_id_ = own.accept_key;
    return true;
}

void WheelCalibrationMask::post_snapshot_init()
{
    const ds_internal& internal = objects_.store.body.internal;
    internal_listener_.init(CDS::Access_base(objects_.store.head, objects_.store.head.offset_of(&internal),
                                             sizeof internal));
    internal_listener_.autoreg(get_waiter());
    show_factor();
    redraw();
}

bool WheelCalibrationMask::activate()
{
    const bool shown = Data_screen::activate();
    if (Units_man* units = get_man()->get_units_man())
        set_units(*units);
    // The stored factor first: at the last step the redraw shows the run's.
    show_factor();
    redraw();
    submit_timeout(refresh_timer_, refresh_ms);
    return shown;
}

bool WheelCalibrationMask::deactivate()
{
    const bool hidden = Data_screen::deactivate();
    remove_timeout(refresh_timer_);
    return hidden;
}

bool WheelCalibrationMask::send_timeout(Timeout& t)
{
    if (&t == &refresh_timer_ && step() == driving) {
        read_pulses();
        send_val_updates(false);
    }
    return true;
}

bool WheelCalibrationMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    if (e.get_code() != Window::Activator_event::released)
        return true;
    const uint32_t s = step();
    if (a == accept_key_) {
        std::printf("STORE FACTOR=%lf\n", factor.get_val());
        objects_.parameters.app.wheel_cal_factor.set(float(factor.get_val()));
        set_step(idle);
        get_man()->switch_to_screen("wheel_calibration_settings_mask");
    } else if (a == start_key_) {
        set_step(driving);
    } else if (a == next_key_) {
        if (s < complete) {
            if (s == driving)
                final_reading_ = true;
            set_step(s + 1);
        }
    } else if (a == cancel_key_) {
        if (s == idle)
            get_man()->switch_to_screen("wheel_calibration_settings_mask");
        else
            set_step(idle);
    }
    return true;
}

void WheelCalibrationMask::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    if (listener == &internal_listener_)
        redraw();
}

void WheelCalibrationMask::set_step(uint32_t step)
{
    Debug_print::dprint("NEXT STEP: %u\n", step);
    objects_.store.head.set(objects_.store.body.internal.current_wheel_cal_step, step);
}

uint32_t WheelCalibrationMask::step()
{
    return objects_.store.head.get(objects_.store.body.internal.current_wheel_cal_step);
}

void WheelCalibrationMask::show_factor()
{
    factor.set_val(objects_.parameters.app.wheel_cal_factor.get());
}

void WheelCalibrationMask::read_pulses()
{
    if (step() != driving && !final_reading_)
        return;
    const uint32_t count = objects_.store.head.get(objects_.store.body.vehicle.ground_speed_sensor.pulse_count);
    pulses.set_val(count);
    estimated_distance.set_val(double(objects_.parameters.app.wheel_cal_factor.get()) * count);
}

void WheelCalibrationMask::redraw()
{
    CDS::Head& head = objects_.store.head;
    ds_operation& operation = objects_.store.body.operation;
    const uint32_t s = step();
    switch (s) {
    case idle:
        show_factor();
        instruction = "Step 1/4) Press Start to begin calibration";
        if (!is_shown())
            break;
        show_keys(start_id_, NULL_ID, NULL_ID);
        distance.set_editable(false);
        head.set(operation.calibration_state, int32_t(0));
        final_reading_ = false;
        estimated_distance.set_val(0);
        pulses.set_val(0);
        distance.set_val(0);
        break;
    case driving:
        instruction = "Step 2/4) Drive forwards, stop, then press Next";
        if (!is_shown())
            break;
        show_keys(NULL_ID, next_id_, NULL_ID);
        distance.set_editable(false);
        head.set(operation.calibration_state, wheel_run);
        if (applied_step_ != driving)
            head.set(objects_.store.body.vehicle.ground_speed_sensor.pulse_count, uint32_t(0));
        break;
    case entering_distance:
        instruction = "Step 3/4) Enter distance travelled, then press Next";
        if (!is_shown())
            break;
        show_keys(NULL_ID, next_id_, NULL_ID);
        distance.set_editable(true);
        // The last reading comes before the run ends: with no run the control
        // core takes the wheel pulses for the ground speed and clears the count.
        read_pulses();
        head.set(operation.calibration_state, int32_t(0));
        final_reading_ = false;
        break;
    case complete: {
        instruction = "Step 4/4) Calibration Complete, Accept to confirm, Cancel no change";
        if (!is_shown())
            break;
        show_keys(NULL_ID, NULL_ID, accept_id_);
        distance.set_editable(false);
        const double travelled = distance.get_val();
        const double counted = pulses.get_val();
        if (travelled != 0 && counted != 0) {
            const double measured = travelled / counted;
            std::printf("distance=%lf, pulses=%lf -> factor=%lf\n", travelled, counted, measured);
            factor.set_val(measured);
        }
        break;
    }
    default:
        if (is_shown())
            distance.set_editable(false);
        break;
    }
    if (is_shown())
        applied_step_ = s;
    send_val_updates(false);
}

void WheelCalibrationMask::show_keys(uint16_t start, uint16_t next, uint16_t accept)
{
    Screen_vt::set_pointer(*this, slots_[0], start);
    Screen_vt::set_pointer(*this, slots_[1], next);
    Screen_vt::set_pointer(*this, slots_[2], accept);
}
