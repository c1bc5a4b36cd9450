#include "ui/screens/AreaTestMask.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Screen_listeners.h"
#include "ui/screens/Screen_vt.h"
#include "ui/screens/Seeder_tanks.h"
#include "vt_pool/Seeder_pool_ids.h"

namespace {

constexpr double square_metres_per_hectare = 10000.0;
constexpr float tick_seconds = 0.1f;

}

AreaTestMask::AreaTestMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool AreaTestMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Area_test_ids& ids = objects_.ids.area_test;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids.mask), params, nullptr, 0))
        return false;
    const std::pair<Window::Activator*, uint16_t> keys[] = {
        {&settings_menu_, ids.settings_key}, {&main_screen_, ids.main_key},     {&start_, ids.start_key},
        {&pause_, ids.pause_key},            {&resume_, ids.resume_key},        {&reset_, ids.reset_key}};
    for (const auto& key : keys)
        key.first->init(this, key.second, NULL_ID, nullptr, NULL_ID, NULL_ID);
    on_off_fills_ = {objects_.ids.main.fill_red, objects_.ids.main.fill_green};
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        tank_groups_[t] = UI::bind_object<VT::Container_obj>(pool, ids.tank_groups[t]);
        indicators_[t].init(this);
        indicator_clients_[t].init(UI::bind_object<VT::Rectangle_obj>(pool, ids.tank_indicators[t]),
                                   on_off_fills_.data(), 2);
        indicators_[t].add_client(indicator_clients_[t]);
        applied[t].init(this, UI::bind_object<VT::Output_number_obj>(pool, ids.tank_values[t]),
                        Stat_num_format(15, 0.1, 1), Stat_num_format(15, 0.0045359237, 2), 200, pool,
                        UI::bind_object<VT::Output_string_obj>(pool, ids.tank_units[t]));
    }
    required_area.init(this, UI::bind_object<VT::Input_number_obj>(pool, ids.required_input),
                       UI::bind_object<VT::Output_number_obj>(pool, ids.required_output),
                       UI::bind_object<VT::Object_pointer_obj>(pool, ids.required_pointer),
                       UI::bind_object<VT::Number_variable_obj>(pool, ids.required_variable),
                       Stat_num_format(11, 0.01, 2), Stat_num_format(11, 0.01, 2), 200, pool, nullptr, 500000, 0);
    required_area.set_range(0.01, 10);
    area_covered.init(this, UI::bind_object<VT::Output_number_obj>(pool, ids.area_covered),
                      Stat_num_format(10, 100.0, 2), Stat_num_format(10, 40.468564224, 2), 200, pool,
                      UI::bind_object<VT::Output_string_obj>(pool, ids.area_units));
    instruction.init(this, UI::bind_object<VT::Output_string_obj>(pool, ids.instruction), pool, 1000);
    for (size_t k = 0; k < key_slots_.size(); ++k)
        key_slots_[k] = UI::bind_object<VT::Object_pointer_obj>(pool, ids.key_slots[k]);
    settings_key_ = ids.settings_key;
    main_key_ = ids.main_key;
    start_key_ = ids.start_key;
    pause_key_ = ids.pause_key;
    resume_key_ = ids.resume_key;
    reset_key_ = ids.reset_key;
    return true;
}

void AreaTestMask::post_snapshot_init()
{
    internal_listener_ = Screen_listeners::follow(*this, objects_.store.head, objects_.store.body.internal);
}

bool AreaTestMask::activate()
{
    const bool shown = Data_screen::activate();
    for (int t = 0; t < Seeder_tanks::count; ++t)
        Screen_vt::set_hidden(*this, tank_groups_[t], !eligible(t));

    // First, so that the screen's own writes of the switches take effect.
    ds_operation& operation = objects_.store.body.operation;
    manual_speed_forced_ = !objects_.store.head.get(operation.use_manual_speed);
    if (manual_speed_forced_)
        objects_.store.head.set(operation.use_manual_speed, true);
    NV_quvel::application_t& app = objects_.parameters.app;
    saved_cal_swbox_type_ = app.swbox_cal_swbox_type.get();
    app.swbox_cal_swbox_type.set(0);
    saved_remote_master_mode_ = app.swbox_remote_master_mode.get();
    app.swbox_remote_master_mode.set(0);

    // A test shown again after an interruption goes on where it was.
    const uint32_t s = step();
    if (s == ready) {
        reset();
    } else {
        objects_.store.head.set(operation.ignore_tank_switches, true);
        if (s == running)
            set_master(true);
    }
    redraw();
    submit_timeout(timer_, period_ms);
    return shown;
}

bool AreaTestMask::deactivate()
{
    const bool hidden = Data_screen::deactivate();
    remove_timeout(timer_);
    // The area is not counted while the screen is not shown: nothing meters.
    if (step() == running)
        set_master(false);
    ds_operation& operation = objects_.store.body.operation;
    objects_.store.head.set(operation.ignore_tank_switches, false);
    if (manual_speed_forced_)
        objects_.store.head.set(operation.use_manual_speed, false);
    manual_speed_forced_ = false;
    NV_quvel::application_t& app = objects_.parameters.app;
    app.swbox_remote_master_mode.set(saved_remote_master_mode_);
    app.swbox_cal_swbox_type.set(saved_cal_swbox_type_);
    return hidden;
}

bool AreaTestMask::send_timeout(Timeout& t)
{
    if (&t != &timer_)
        return true;
    switch (step()) {
    case ready:
        show_indicators();
        break;
    case running: {
        const NV_quvel::application_t& app = objects_.parameters.app;
        const float metres_per_second = float(app.manual_speed.get() / 3.6);
        area_covered_ = area_covered_ + metres_per_second * app.machine_width.get() * tick_seconds;
        if (double(area_covered_) >= required_ha_ * square_metres_per_hectare)
            set_step(completed);
        show_values();
        break;
    }
    case completed:
        show_values();
        break;
    default:
        break;
    }
    push_updates();
    return true;
}

bool AreaTestMask::handle_stat_update(Stat* stat)
{
    if (stat != &required_area)
        return false;
    required_ha_ = float(required_area.get_val());
    show_values();
    return true;
}

bool AreaTestMask::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    if (event.get_code() != Window::Activator_event::released)
        return true;
    if (activator == main_screen_ || activator == settings_menu_) {
        set_step(ready);
        get_man()->switch_to_screen(activator == main_screen_ ? "main" : "settings_menu");
    } else if (activator == start_) {
        start_run();
        set_step(running);
    } else if (activator == pause_) {
        set_step(paused);
    } else if (activator == resume_) {
        set_step(running);
    } else if (activator == reset_) {
        set_step(ready);
    }
    return true;
}

void AreaTestMask::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    if (listener == internal_listener_.get())
        redraw();
    push_updates();
}

bool AreaTestMask::eligible(int tank)
{
    const NV_quvel::channel_t& channel = Seeder_tanks::channel(objects_.parameters, tank);
    if (channel.mode.get() != Seeder_tanks::granular || !channel.enabled.get())
        return false;
    const ds_channel& record = objects_.store.body.channels.channels[tank];
    if (!objects_.store.head.get(record.product_assigned))
        return false;
    const int product = objects_.store.head.get(record.product_number);
    return Seeder_tanks::is_product(product) &&
           Seeder_tanks::product(objects_.parameters, product).product_cal_factor.get() > 0;
}

uint32_t AreaTestMask::step()
{
    return objects_.store.head.get(objects_.store.body.internal.current_area_test_step);
}

void AreaTestMask::set_step(uint32_t n)
{
    ds_operation& operation = objects_.store.body.operation;
    const uint32_t s = step();
    if (n == ready) {
        reset();
    } else if (n == running) {
        if (s == ready) {
            objects_.store.head.set(operation.ignore_tank_switches, true);
            for (int t = 0; t < Seeder_tanks::count; ++t) {
                if (eligible(t))
                    continue;
                objects_.store.head.set(objects_.store.body.channels.channels[t].active, false);
                Debug_print::dprint("AreaTestMask-disable tank %i\n", t);
            }
        }
        set_master(true);
    } else if (n == paused || n == completed) {
        set_master(false);
    }
    objects_.store.head.set(objects_.store.body.internal.current_area_test_step, n);
}

void AreaTestMask::reset()
{
    ds_operation& operation = objects_.store.body.operation;
    set_master(false);
    objects_.store.head.set(operation.ignore_tank_switches, false);
    objects_.store.head.set(operation.calibration_state, int32_t(0));
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        if (!eligible(t))
            continue;
        objects_.store.head.set(operation.tank[t].calibrating_tank, false);
        objects_.store.head.set(objects_.store.body.diagnostics.shaft[t].pulse_count, uint32_t(0));
    }
    area_covered_ = 0;
}

void AreaTestMask::start_run()
{
    ds_operation& operation = objects_.store.body.operation;
    objects_.store.head.set(operation.calibration_state, int32_t(1));
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        if (!eligible(t) || !objects_.store.head.get(objects_.store.body.channels.channels[t].active))
            continue;
        objects_.store.head.set(objects_.store.body.diagnostics.shaft[t].pulse_count, uint32_t(0));
        objects_.store.head.set(operation.tank[t].calibrating_tank, true);
    }
}

void AreaTestMask::redraw()
{
    if (!is_shown())
        return;
    struct Layout {
        const char* instruction;
        uint16_t keys[4];
    };
    const uint32_t s = step();
    const Layout layouts[] = {
        {"Step 1/4) Set Required Area, then press Start to begin area test.",
         {settings_key_, main_key_, start_key_, NULL_ID}},
        {"Step 2/4) Area test in progress. Test will stop when required area has been reached.",
         {NULL_ID, NULL_ID, pause_key_, NULL_ID}},
        {"Step 3/4) Area test paused. Press Resume to continue, or Reset to abort/restart.",
         {NULL_ID, NULL_ID, resume_key_, reset_key_}},
        {"Step 4/4) Area test completed. Press Reset to restart test.",
         {settings_key_, main_key_, NULL_ID, reset_key_}},
    };
    if (s <= completed) {
        instruction = layouts[s].instruction;
        for (size_t k = 0; k < key_slots_.size(); ++k)
            Screen_vt::set_pointer(*this, key_slots_[k], layouts[s].keys[k]);
    }
    required_area.set_editable(s == ready);
    if (s == ready)
        show_values();
    show_indicators();
    push_updates();
}

void AreaTestMask::show_values()
{
    required_area.set_val(required_ha_);
    area_covered.set_val(area_covered_);
    const data_store_body& body = objects_.store.body;
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        if (!eligible(t) || !objects_.store.head.get(body.channels.channels[t].active))
            continue;
        const float ratio = objects_.store.head.get(body.channels.channels[t].encoder_ratio);
        const uint32_t pulses = objects_.store.head.get(body.diagnostics.shaft[t].pulse_count);
        const double turns = ratio == 0 ? 0.0 : double(pulses) / ratio;
        applied[t].set_val(Seeder_tanks::channel(objects_.parameters, t).cal_setting.get() * turns);
    }
}

void AreaTestMask::show_indicators()
{
    for (int t = 0; t < Seeder_tanks::count; ++t)
        if (eligible(t))
            indicators_[t].set_state(
                objects_.store.head.get(objects_.store.body.channels.channels[t].active) ? 1 : 0);
}

void AreaTestMask::push_updates()
{
    clear_pending_update();
    send_val_updates(false);
}

void AreaTestMask::set_master(bool on)
{
    objects_.store.head.set(objects_.store.body.operation.master_switch_active, on);
}
