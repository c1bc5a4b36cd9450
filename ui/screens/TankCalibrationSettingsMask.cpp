#include "ui/screens/TankCalibrationSettingsMask.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Main_screen_formats.h"
#include "ui/screens/Operator_name.h"
#include "ui/screens/Screen_listeners.h"
#include "ui/screens/Screen_vt.h"
#include "ui/screens/Seeder_tanks.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <cstdio>

namespace {

constexpr int refresh_ms = 1000;
constexpr double milli_pound = 0.00045359237; // 0.001 lb in kg

// The weight collected: kilograms or pounds for a granular tank, litres for
// a liquid one, NH3 in kilograms or pounds.
Main_screen_formats weight_formats(int mode)
{
    switch (mode) {
    case Seeder_tanks::liquid:
        return {{12, 0.001, 3}, {12, 0.001, 3}};
    case Seeder_tanks::nh3:
        return {{16, 0.1, 1}, {16, 0.0045359237, 2}};
    default:
        return {{15, 0.001, 3}, {15, milli_pound, 3}};
    }
}

// Weight per shaft revolution for a granular tank, pulses per unit else.
Main_screen_formats factor_formats(int mode)
{
    switch (mode) {
    case Seeder_tanks::liquid:
        return {{26, 0.001, 3}, {26, 0.001, 3}};
    case Seeder_tanks::nh3:
        return {{27, 0.001, 3}, {27, 0.001, 3}};
    default:
        return {{25, 0.001, 3}, {25, milli_pound, 3}};
    }
}

const Stat_num_format revolutions_format(0, 0.1, 1), percent_format(0, 1.0, 0), count_format(0, 1.0, 0);

}

TankCalibrationSettingsMask::TankCalibrationSettingsMask(const char* key, Screen_man* man,
                                                         const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool TankCalibrationSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Tank_calibration_ids& own = objects_.ids.tank_calibration;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    const std::pair<Window::Activator*, uint16_t> keys[] = {
        {&start_key_, own.start_key},         {&accept_key_, own.accept_key},
        {&next_key_, own.next_key},           {&cancel_key_, own.cancel_key},
        {&cal_style_key_, own.cal_style_key}, {&product_settings_key_, own.product_settings_key}};
    for (const auto& [key, id] : keys)
        key->init(this, id, NULL_ID, nullptr, NULL_ID, NULL_ID);
    tank_number.init(this, UI::bind_object<VT::Output_number_obj>(pool, own.tank_number), count_format, count_format,
                     1000, pool);
    product_name.init(this, UI::bind_object<VT::Output_string_obj>(pool, own.product_name), pool, 200);
    product_name = "";
    set_rate_group_ = UI::bind_object<VT::Container_obj>(pool, own.set_rate_group);
    extension_group_ = UI::bind_object<VT::Container_obj>(pool, own.extension_group);
    revolutions_label.init(this, UI::bind_object<VT::Output_string_obj>(pool, own.revs_label), pool, 500);
    revolutions_label = "";
    revolutions.init(this, UI::bind_object<VT::Output_number_obj>(pool, own.revs), revolutions_format,
                     revolutions_format, 1000, pool);
    // The weight, factor and rate formats follow the tank's type.
    apply_tank_type(Seeder_tanks::granular);
    shown_mode_ = -1;
    weight.set_range(0, 50000);
    weight.set_editable(false);
    cal_factor.set_range(0, 50);
    cal_factor.set_editable(true);
    set_rate.set_range(0, 99999);
    set_rate.set_editable(true);
    extension.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.extension), percent_format, percent_format,
                   1000, pool);
    extension.set_range(1, 100);
    extension.set_editable(true);
    instruction.init(this, UI::bind_object<VT::Output_string_obj>(pool, own.instruction), pool, 1000);
    for (size_t i = 0; i < key_places_.size(); ++i)
        key_places_[i] = UI::bind_object<VT::Object_pointer_obj>(pool, own.key_slots[i]);
    cal_style_place_ = UI::bind_object<VT::Object_pointer_obj>(pool, own.cal_style_slot);
    product_settings_place_ = UI::bind_object<VT::Object_pointer_obj>(pool, own.product_settings_slot);
    start_id_ = own.start_key;
    next_id_ = own.next_key;
    cancel_id_ = own.cancel_key;
    accept_id_ = own.accept_key;
    cal_style_id_ = own.cal_style_key;
    product_settings_id_ = own.product_settings_key;
    return true;
}

void TankCalibrationSettingsMask::post_snapshot_init()
{
    internal_listener_ = Screen_listeners::follow(*this, objects_.store.head, objects_.store.body.internal);
    redraw();
    refresh_product();
}

bool TankCalibrationSettingsMask::activate()
{
    const bool shown = Data_screen::activate();
    Screen_vt::apply_units(*this);
    redraw();
    refresh_product();
    submit_timeout(refresh_timer_, refresh_ms);

    // An actuator tank calibrated on its own runs without the master clutch.
    // A product on no tank (or one beyond the channels) has no clutch to
    // suspend.
    NV_quvel::application_t& app = objects_.parameters.app;
    const int p = product();
    const int c = p < 0 ? 0 : Seeder_tanks::product(objects_.parameters, p).tank.get();
    saved_master_clutch_ = app.using_master_clutch.get();
    if (saved_master_clutch_ && Seeder_tanks::is_channel(c) && channel(c).act_cal_mode.get() == 0 &&
        channel(c).granular_controller_type.get() == Seeder_tanks::actuator_drive)
        app.using_master_clutch.set(false);
    return shown;
}

bool TankCalibrationSettingsMask::deactivate()
{
    const bool hidden = Data_screen::deactivate();
    remove_timeout(refresh_timer_);
    objects_.parameters.app.using_master_clutch.set(saved_master_clutch_);
    return hidden;
}

bool TankCalibrationSettingsMask::send_timeout(Timeout& t)
{
    if (&t == &refresh_timer_ && step() == dispensing) {
        count_revolutions();
        send_val_updates(false);
    }
    return true;
}

bool TankCalibrationSettingsMask::handle_stat_update(Stat* s)
{
    if (s == &cal_factor) {
        const int p = product();
        if (p < 0)
            return false;
        NV_quvel::products_t& record = Seeder_tanks::product(objects_.parameters, p);
        const float factor = float(cal_factor.get_val());
        record.product_cal_factor.set(factor);
        const int on = record.tank.get();
        if (Seeder_tanks::is_tank(on))
            channel(on).cal_setting.set(factor);
        return false;
    }
    if (s == &set_rate) {
        const int t = tank();
        if (t >= 0)
            objects_.store.head.set(objects_.store.body.channels.channels[t].requested_rate, set_rate.get_val());
        return true;
    }
    if (s == &extension) {
        objects_.parameters.app.cal_to_preset_value.set(uint8_t(unsigned(extension.get_val())));
        return true;
    }
    return false;
}

bool TankCalibrationSettingsMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    if (e.get_code() != Window::Activator_event::released)
        return true;
    const uint32_t s = step();
    if (a == start_key_) {
        set_step(dispensing);
    } else if (a == next_key_) {
        if (s < complete)
            set_step(s + 1);
    } else if (a == accept_key_) {
        const int t = tank();
        const int p = product();
        const float factor = float(cal_factor.get_val());
        std::printf("STORE NEW FACTOR=%lf\n", cal_factor.get_val());
        if (p >= 0)
            Seeder_tanks::product(objects_.parameters, p).product_cal_factor.set(factor);
        if (t >= 0)
            channel(t).cal_setting.set(factor);
        set_step(idle);
        get_man()->switch_to_screen("product_settings_mask");
    } else if (a == cancel_key_) {
        set_step(idle);
    } else if (a == cal_style_key_) {
        auto& preset = objects_.parameters.app.cal_to_preset_value;
        preset.set(preset.get() != 0 ? 0 : 1);
        show_rate_or_extension();
    } else if (a == product_settings_key_) {
        set_step(idle);
        get_man()->switch_to_screen("product_settings_mask");
    }
    return true;
}

void TankCalibrationSettingsMask::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    if (listener == internal_listener_.get())
        redraw();
    send_val_updates(false);
}

void TankCalibrationSettingsMask::set_step(uint32_t step)
{
    Debug_print::dprint("NEXT STEP: %u\n", step);
    objects_.store.head.set(objects_.store.body.internal.current_tank_cal_step, step);
}

uint32_t TankCalibrationSettingsMask::step()
{
    return objects_.store.head.get(objects_.store.body.internal.current_tank_cal_step);
}

int TankCalibrationSettingsMask::tank()
{
    const uint32_t t = objects_.store.head.get(objects_.store.body.internal.current_tank_cal_index);
    return Seeder_tanks::is_tank(t) ? int(t) : -1;
}

int TankCalibrationSettingsMask::product()
{
    const uint32_t p = objects_.store.head.get(objects_.store.body.internal.current_product_index);
    return Seeder_tanks::is_product(p) ? int(p) : -1;
}

NV_quvel::channel_t& TankCalibrationSettingsMask::channel(int tank)
{
    return Seeder_tanks::channel(objects_.parameters, tank);
}

void TankCalibrationSettingsMask::refresh_product()
{
    const int p = product();
    if (p < 0)
        return;
    const NV_quvel::products_t& record = Seeder_tanks::product(objects_.parameters, p);
    if (step() != complete)
        cal_factor.set_val(record.product_cal_factor.get());
    product_name = Operator_name::shown(record.name).c_str();
    const int t = tank();
    if (t >= 0)
        apply_tank_type(channel(t).mode.get());
}

void TankCalibrationSettingsMask::apply_tank_type(int mode)
{
    if (mode == shown_mode_)
        return;
    shown_mode_ = mode;
    const Tank_calibration_ids& own = objects_.ids.tank_calibration;
    VT::vtui_pool* pool = get_pool();
    // Bound again with the type's formats; each keeps its value.
    const Main_screen_formats weights = weight_formats(mode), factors = factor_formats(mode);
    const Main_screen_formats rates = Main_screen_formats::rate(mode);
    weight.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.weight_input),
                UI::bind_object<VT::Output_number_obj>(pool, own.weight_output),
                UI::bind_object<VT::Object_pointer_obj>(pool, own.weight_pointer),
                UI::bind_object<VT::Number_variable_obj>(pool, own.weight_variable), weights.metric, weights.imperial,
                200, pool, nullptr, 500000, 0);
    auto* weight_units = UI::bind_object<VT::Output_string_obj>(pool, own.weight_units);
    estimated_weight.init(this, UI::bind_object<VT::Output_number_obj>(pool, own.estimated_weight), weights.metric,
                          weights.imperial, 200, pool, weight_units);
    cal_factor.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.cal_factor_input),
                    UI::bind_object<VT::Output_number_obj>(pool, own.cal_factor_output),
                    UI::bind_object<VT::Object_pointer_obj>(pool, own.cal_factor_pointer),
                    UI::bind_object<VT::Number_variable_obj>(pool, own.cal_factor_variable), factors.metric,
                    factors.imperial, 200, pool, UI::bind_object<VT::Output_string_obj>(pool, own.cal_factor_units),
                    500000, 0);
    set_rate.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.set_rate), rates.metric, rates.imperial, 100,
                  pool, UI::bind_object<VT::Output_string_obj>(pool, own.set_rate_units));
    const bool pulses = mode == Seeder_tanks::liquid || mode == Seeder_tanks::nh3;
    revolutions_label = pulses ? "Pulses" : "Revs";
    for (Stat_num* stat : {&weight, &estimated_weight, &cal_factor, &set_rate})
        Screen_vt::apply_units(*this, *stat);
}

void TankCalibrationSettingsMask::count_revolutions()
{
    const int t = tank();
    if (t < 0)
        return;
    CDS::Head& head = objects_.store.head;
    const double ratio = head.get(objects_.store.body.channels.channels[t].encoder_ratio);
    const double pulses = head.get(objects_.store.body.diagnostics.shaft[t].pulse_count);
    const double factor = channel(t).cal_setting.get();
    if (channel(t).mode.get() == Seeder_tanks::granular) {
        const double turns = ratio == 0 ? 0.0 : pulses / ratio;
        revolutions.set_val(turns);
        std::printf("encoder_ratio=%lf, pulse_count=%lf -> revs=%lf\n", ratio, pulses, turns);
        estimated_weight.set_val(factor * turns);
    } else {
        revolutions.set_val(pulses);
        std::printf("pulse_count=%lf\n", pulses);
        estimated_weight.set_val(factor * pulses);
    }
}

void TankCalibrationSettingsMask::show_rate_or_extension()
{
    const int t = tank();
    if (t < 0)
        return;
    const bool actuator = channel(t).mode.get() == Seeder_tanks::granular &&
                          channel(t).granular_controller_type.get() == Seeder_tanks::actuator_drive;
    Screen_vt::set_pointer(*this, cal_style_place_, actuator && step() == idle ? cal_style_id_ : NULL_ID);
    const uint8_t preset = objects_.parameters.app.cal_to_preset_value.get();
    const bool at_extension = actuator && preset != 0;
    if (at_extension)
        extension.set_val(preset);
    else
        set_rate.set_val(objects_.store.head.get(objects_.store.body.channels.channels[t].requested_rate));
    Screen_vt::set_hidden(*this, set_rate_group_, at_extension);
    Screen_vt::set_hidden(*this, extension_group_, !at_extension);
}

void TankCalibrationSettingsMask::redraw()
{
    const uint32_t s = step();
    switch (s) {
    case idle:
        refresh_product();
        instruction = "Step 1/4) Press Start to begin calibration";
        if (!is_shown())
            return;
        show_keys({start_id_, NULL_ID, NULL_ID, NULL_ID}, product_settings_id_);
        cal_factor.set_editable(true);
        weight.set_editable(false);
        break;
    case dispensing:
        instruction = "Step 2/4) When sufficient product dispenses, press Next";
        if (!is_shown())
            return;
        show_keys({NULL_ID, next_id_, cancel_id_, NULL_ID}, NULL_ID);
        cal_factor.set_editable(false);
        weight.set_editable(false);
        break;
    case weighing:
        instruction = "Step 3/4) Enter the weight collected, then press Next";
        if (!is_shown())
            return;
        show_keys({NULL_ID, next_id_, cancel_id_, NULL_ID}, NULL_ID);
        cal_factor.set_editable(false);
        weight.set_editable(true);
        break;
    case complete:
        instruction = "Step 4/4) Calibration Complete, Accept to confirm, Cancel no change";
        if (!is_shown())
            return;
        show_keys({NULL_ID, NULL_ID, cancel_id_, accept_id_}, NULL_ID);
        cal_factor.set_editable(true);
        weight.set_editable(false);
        break;
    default:
        if (!is_shown())
            return;
        weight.set_editable(false);
        break;
    }
    const int t = tank();
    if (t < 0)
        return;
    tank_number.set_val(t + 1);
    show_rate_or_extension();
    write_step(s, t);
    applied_step_ = s;
    send_val_updates(false);
}

void TankCalibrationSettingsMask::write_step(uint32_t s, int t)
{
    CDS::Head& head = objects_.store.head;
    ds_operation& operation = objects_.store.body.operation;
    ds_channel* channels = objects_.store.body.channels.channels;
    const NV_quvel::application_t& app = objects_.parameters.app;
    // A calibration switch box or a remote master keeps the master switch;
    // an external switch box keeps the tank switches.
    const uint8_t cal_box = app.swbox_cal_swbox_type.get();
    const uint8_t external_box = app.swbox_external_swbox_type.get();
    const uint8_t remote_master = app.swbox_remote_master_mode.get();
    const bool master_on = cal_box == 0 && remote_master == 0;
    const bool tank_on = (cal_box == 0 || cal_box == 1) && external_box == 0;
    const bool entered = applied_step_ != s;

    switch (s) {
    case idle:
        head.set(operation.calibration_state, int32_t(0));
        head.set(operation.tank[t].calibrating_tank, false);
        if (remote_master == 0)
            head.set(operation.master_switch_active, false);
        if (external_box == 0)
            for (int k = 0; k < Seeder_tanks::count; ++k)
                head.set(channels[k].active, false);
        weight.set_val(0);
        estimated_weight.set_val(0);
        revolutions.set_val(0);
        refresh_product();
        break;
    case dispensing:
        if (entered) {
            for (int k = 0; k < Seeder_tanks::count; ++k)
                head.set(channels[k].active, false);
            head.set(objects_.store.body.diagnostics.shaft[t].pulse_count, uint32_t(0));
        }
        head.set(operation.calibration_state, tank_run);
        head.set(operation.tank[t].calibrating_tank, true);
        if (master_on)
            head.set(operation.master_switch_active, true);
        if (tank_on)
            head.set(channels[t].active, true);
        break;
    case weighing:
        head.set(operation.calibration_state, int32_t(0));
        head.set(operation.tank[t].calibrating_tank, false);
        if (remote_master == 0)
            head.set(operation.master_switch_active, false);
        if (external_box == 0)
            head.set(channels[t].active, false);
        // The run's last reading.
        if (entered)
            count_revolutions();
        break;
    case complete: {
        if (!entered)
            break;
        const double w = weight.get_val();
        const double v = revolutions.get_val();
        std::printf("weight=%lf, revs=%lf\n", w, v);
        if (w != 0 && v != 0) {
            const double factor = channel(t).mode.get() == Seeder_tanks::granular ? w / v : v / w;
            cal_factor.set_val(factor);
            std::printf(" -> cal_factor=%lf\n", factor);
        }
        break;
    }
    default:
        break;
    }
}

void TankCalibrationSettingsMask::show_keys(const std::array<uint16_t, 4>& places, uint16_t product_settings)
{
    for (size_t i = 0; i < key_places_.size(); ++i)
        Screen_vt::set_pointer(*this, key_places_[i], places[i]);
    Screen_vt::set_pointer(*this, product_settings_place_, product_settings);
}
