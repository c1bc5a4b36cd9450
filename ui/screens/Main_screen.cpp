#include "ui/screens/Main_screen.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/iso/VT_vtui_pool.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Main_screen_formats.h"
#include "ui/screens/TAlarmManager.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <algorithm>
#include <cstdio>

namespace {

template <class T>
CDS::Access_base access_to(Data_store& store, T& item)
{
    return CDS::Access_base(store.head, store.head.offset_of(&item), sizeof item);
}

void init_number(Stat_num& stat, Stat_collector* owner, VT::vtui_pool* pool, uint32_t id,
                 const Main_screen_formats& formats)
{
    stat.init(owner, UI::bind_object<VT::Output_number_obj>(pool, id), formats.metric, formats.imperial, 1000, pool);
}

// A ds_areas or ds_volumes sub-total of a tank, 0 outside the ten by ten.
float sub_total(CDS::Head& head, Sub_totals& totals, unsigned tank, unsigned sub_area)
{
    return tank <= 9 && sub_area <= 9 ? head.get(totals[tank][sub_area]) : 0.0f;
}

}

Main_screen::Main_screen(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

Main_screen::~Main_screen() = default;

bool Main_screen::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Main_screen_ids& m = ids().main;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, m.mask), params, nullptr, 0))
        return false;

    page_1_ = UI::bind_object<VT::Container_obj>(pool, m.status_row);
    page_2_ = UI::bind_object<VT::Container_obj>(pool, m.alt_status_row);
    page_1_keys_ = m.page1;
    page_2_keys_ = m.page2;

    tank_list_ = UI::bind_object<VT::Input_list_obj>(pool, m.tank_list);
    viewed_list_ = UI::bind_object<VT::Input_list_obj>(pool, m.viewed_tank_list);
    tank_selection_.init(this, tank_list_, nullptr, pool, false);
    sub_area_.init(this, UI::bind_object<VT::Input_list_obj>(pool, m.sub_area_list), nullptr, pool, false);
    viewed_tank_.init(this, viewed_list_, nullptr, pool, false);
    for (int i = 0; i <= tank_count; ++i)
        tank_items_[i] = m.tank_list_items[i];
    for (int i = 0; i < tank_count; ++i)
        viewed_items_[i] = ids().main_more.viewed_tank_items[i];

    init_number(ground_speed_, this, pool, m.ground_speed, Main_screen_formats::speed());
    init_number(area_rate_, this, pool, m.area_rate, Main_screen_formats::area_rate());
    for (int f = 0; f < 2; ++f) {
        init_number(fan_speeds_[f], this, pool, m.fan_speeds[f], Main_screen_formats::fan_speed());
        init_number(fan_pressures_[f], this, pool, m.fan_pressures[f], Main_screen_formats::pressure());
    }
    init_number(total_area_, this, pool, m.total_area, Main_screen_formats::area());
    init_number(sub_area_area_, this, pool, m.sub_area_area, Main_screen_formats::area());
    init_number(sub_area_volume_, this, pool, m.sub_area_volume, Main_screen_formats::contents(0));
    for (size_t i = 0; i < fan_containers_.size(); ++i)
        fan_containers_[i] = UI::bind_object<VT::Container_obj>(pool, m.fan_containers[i]);
    manual_speed_container_ = UI::bind_object<VT::Container_obj>(pool, m.manual_speed_container);

    on_off_fills_ = {m.fill_red, m.fill_green};
    selected_fills_ = {m.fill_white, m.fill_yellow};
    master_client_.init(UI::bind_object<VT::Rectangle_obj>(pool, m.master_indicator), on_off_fills_.data(), 2);
    manual_speed_client_.init(UI::bind_object<VT::Rectangle_obj>(pool, m.manual_speed_indicator),
                              on_off_fills_.data(), 2);
    master_indicator_.init(this);
    master_indicator_.add_client(master_client_);
    manual_speed_indicator_.init(this);
    manual_speed_indicator_.add_client(manual_speed_client_);

    const std::pair<Window::Activator*, uint16_t> keys[] = {
        {&page_1_toggle_, m.page1_toggle_key}, {&tank_on_off_, m.tank_on_off_key},
        {&preset_, m.preset_key},              {&increase_, m.increase_key},
        {&decrease_, m.decrease_key},          {&master_, m.master_key},
        {&page_2_toggle_, m.page2_toggle_key}, {&settings_, m.settings_key},
        {&reset_sub_area_, m.reset_sub_area_key}, {&reset_area_, m.reset_area_key},
        {&manual_speed_, m.manual_speed_key},  {&diagnostics_, m.diagnostics_key},
    };
    for (const auto& [activator, id] : keys)
        activator->init(this, id, NULL_ID, nullptr, NULL_ID, NULL_ID);

    tank_on_off_slot_ = UI::bind_object<VT::Object_pointer_obj>(pool, m.tank_on_off_slot);
    with_pool([this] {
        if (tank_on_off_slot_)
            tank_on_off_target_ = tank_on_off_slot_->get_value();
        page_1_->set_hidden(false);
        page_2_->set_hidden(true);
    });

    for (int k = 0; k < tank_count; ++k)
        channels_[k].init(k, this);
    return true;
}

void Main_screen::post_snapshot_init()
{
    // Without its mask the screen bound nothing to follow or show.
    if (!get_mask())
        return;
    with_pool([this] {
        for (VT::Container_obj* container : fan_containers_)
            container->set_hidden(true);
    });

    // The control core learns from here which tank carries which product;
    // a later product takes a tank from an earlier one.
    CDS::Head& head = store().head;
    ds_channel* records = store().body.channels.channels;
    for (int k = 0; k < tank_count; ++k) {
        head.set(records[k].product_assigned, false);
        head.set(records[k].product_number, 0);
    }
    NV_quvel::application_t& app = objects_.parameters.app;
    for (int p = 0; p < 16; ++p) {
        const unsigned tank = app.products[p]->tank.get();
        if (tank < unsigned(tank_count)) {
            head.set(records[tank].product_assigned, true);
            head.set(records[tank].product_number, p);
        }
    }
    select_tanks(tank_selection_.get_item());

    waiter_descriptor& waiter = get_waiter();
    for (int f = 0; f < 2; ++f) {
        fan_listeners_[f] = std::make_unique<NV_store::Virt_listener<Main_screen>>(this);
        fan_listeners_[f]->init(app.fans[f]);
        fan_listeners_[f]->autoreg(waiter, true);
    }
    for (int k = 0; k < tank_count; ++k) {
        tank_listeners_[k] = std::make_unique<NV_store::Virt_listener<Main_screen>>(this);
        tank_listeners_[k]->init(app.channels[k]);
        tank_listeners_[k]->autoreg(waiter, true);
    }
    data_store_body& body = store().body;
    areas_listener_.init(access_to(store(), body.areas));
    vehicle_listener_.init(access_to(store(), body.vehicle));
    fans_listener_.init(access_to(store(), body.fans));
    operation_listener_.init(access_to(store(), body.operation));
    volumes_listener_.init(access_to(store(), body.volumes));
    alarms_listener_.init(access_to(store(), body.alarms));
    for (CDS::Virt_access* listener : {&areas_listener_, &vehicle_listener_, &fans_listener_, &operation_listener_,
                                       &volumes_listener_, &alarms_listener_}) {
        listener->autoreg(waiter);
        waiter_event none{};
        handle_virt_listener_event(listener, none);
    }
    switch_box_listener_.init(&app.swbox_external_swbox_type);
    switch_box_listener_.autoreg(waiter, true);
    show_fans();
    show_switch_box();

    for (Channel& channel : channels_)
        channel.post_snapshot_init();
    send_val_updates(false);
}

bool Main_screen::activate()
{
    const bool shown = Data_screen::activate();
    if (!get_mask())
        return shown;
    submit_timeout(blink_timer_, blink_period_ms);
    increase_held_ = decrease_held_ = false;
    submit_timeout(hold_timer_, hold_period_ms);
    if (first_activation_) {
        // Alarm screens come up from the first time the operator sees this
        // screen, and go on while any other screen is shown.
        alarms_ = std::make_unique<TAlarmManager>();
        submit_timeout(alarm_timer_, alarm_period_ms);
        first_activation_ = false;
    }
    show_counters();
    return shown;
}

bool Main_screen::deactivate()
{
    const bool done = Data_screen::deactivate();
    remove_timeout(blink_timer_);
    remove_timeout(hold_timer_);
    // A key held while the screen went cannot be released on it.
    increase_held_ = decrease_held_ = false;
    return done;
}

bool Main_screen::send_timeout(Timeout& t)
{
    if (&t == &alarm_timer_) {
        if (vt_uploaded())
            alarm_tick();
    } else if (&t == &hold_timer_) {
        hold_tick();
    } else if (&t == &blink_timer_) {
        blink();
    }
    return true;
}

bool Main_screen::handle_stat_update(Stat* stat)
{
    if (stat == &tank_selection_) {
        select_tanks(tank_selection_.get_item());
        return true;
    }
    if (stat == &sub_area_) {
        select_sub_area(sub_area_.get_item());
        return true;
    }
    if (stat == &viewed_tank_) {
        Debug_print::dprint("VIEW TANK: %d\n", int(viewed_tank_.get_item()));
        show_counters();
        apply_sub_area_volume_format();
        return true;
    }
    for (int k = 0; k < tank_count; ++k) {
        if (stat == &channels_[k].requested_rate) {
            store().head.set(store().body.channels.channels[k].requested_rate, channels_[k].requested_rate.get_val());
            return true;
        }
    }
    return false;
}

bool Main_screen::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    const unsigned code = event.get_code();
    if (&activator == &increase_ || &activator == &decrease_) {
        const bool increase = &activator == &increase_;
        if (code == Window::Activator_event::pressed)
            start_hold(increase);
        else if (code == Window::Activator_event::released)
            step_rate(increase);
        return true;
    }
    if (code != Window::Activator_event::released)
        return false;

    CDS::Head& head = store().head;
    ds_operation& operation = store().body.operation;
    if (&activator == &settings_) {
        get_man()->switch_to_screen("settings_menu");
    } else if (&activator == &page_1_toggle_) {
        show_page(false);
    } else if (&activator == &page_2_toggle_) {
        show_page(true);
    } else if (&activator == &tank_on_off_) {
        toggle_tanks();
    } else if (&activator == &preset_) {
        toggle_presets();
    } else if (&activator == &master_) {
        // A remote master switch owns the master state.
        if (objects_.parameters.app.swbox_remote_master_mode.get() == 0)
            head.set(operation.master_switch_active, !head.get(operation.master_switch_active));
    } else if (&activator == &diagnostics_) {
        get_man()->switch_to_screen("actuator_diagnostics");
    } else if (&activator == &manual_speed_) {
        head.set(operation.use_manual_speed, !head.get(operation.use_manual_speed));
    } else if (&activator == &reset_area_) {
        reset_area();
    } else if (&activator == &reset_sub_area_) {
        reset_sub_area();
    } else {
        for (int k = 0; k < tank_count; ++k) {
            Tank_keys& keys = tank_keys_[k];
            if (&activator != &keys.fill && &activator != &keys.automatic && &activator != &keys.manual
                && &activator != &keys.select)
                continue;
            ds_channel& record = store().body.channels.channels[k];
            if (!head.get(record.product_assigned))
                return true;
            if (&activator == &keys.fill) {
                get_man()->switch_to_screen("tank_fill_mask");
            } else if (&activator == &keys.automatic) {
                head.set(record.rate_control_mode, 1);
            } else if (&activator == &keys.manual) {
                head.set(record.rate_control_mode, 2);
            } else {
                tank_selection_.set_item(uint16_t(k));
                select_tanks(tank_selection_.get_item());
            }
            return true;
        }
        return false;
    }
    return true;
}

bool Main_screen::eligible(int tank)
{
    const ds_channel& record = store().body.channels.channels[tank];
    CDS::Head& head = store().head;
    return head.get(record.selected) && head.get(record.product_assigned)
        && objects_.parameters.app.channels[tank]->enabled.get();
}

void Main_screen::step_rate(bool increase)
{
    (increase ? increase_held_ : decrease_held_) = false;
    CDS::Head& head = store().head;
    for (int k = 0; k < tank_count; ++k) {
        if (!eligible(k))
            continue;
        ds_channel& record = store().body.channels.channels[k];
        // A liquid tank in manual mode steps its valve by holding the key.
        if (head.get(record.rate_control_mode) == 2)
            continue;
        const double rate = head.get(record.requested_rate);
        const double step = double(objects_.parameters.app.channels[k]->rate_increment.get());
        // A requested rate below 0 means nothing to the control core.
        head.set(record.requested_rate, increase ? rate + step : std::max(0.0, rate - step));
    }
}

void Main_screen::toggle_presets()
{
    CDS::Head& head = store().head;
    for (int k = 0; k < tank_count; ++k) {
        if (!eligible(k))
            continue;
        ds_channel& record = store().body.channels.channels[k];
        const NV_quvel::channel_t& parameters = *objects_.parameters.app.channels[k];
        const double preset_1 = double(parameters.preset_rate_1.get());
        const double rate = head.get(record.requested_rate);
        head.set(record.requested_rate, rate == preset_1 ? double(parameters.preset_rate_2.get()) : preset_1);
    }
}

void Main_screen::toggle_tanks()
{
    CDS::Head& head = store().head;
    ds_channel* records = store().body.channels.channels;
    int selected = 0;
    bool any_active = false;
    for (int k = 0; k < tank_count; ++k) {
        if (head.get(records[k].selected)) {
            ++selected;
            any_active = any_active || head.get(records[k].active);
        }
    }
    // With several tanks selected one press switches them all off while any
    // is on, and all on when all are off.
    for (int k = 0; k < tank_count; ++k) {
        if (!eligible(k))
            continue;
        head.set(records[k].active, selected > 1 && any_active ? false : !head.get(records[k].active));
    }
}

void Main_screen::start_hold(bool increase)
{
    if (tank_selection_.get_item() == all_tanks)
        return;
    for (int k = 0; k < tank_count; ++k) {
        if (!eligible(k) || store().head.get(store().body.channels.channels[k].rate_control_mode) != 2)
            continue;
        (increase ? increase_held_ : decrease_held_) = true;
        Debug_print::dprint(increase ? "button pressed - manual inc\n" : "button pressed - manual dec\n");
    }
}

void Main_screen::hold_tick()
{
    const unsigned s = tank_selection_.get_item();
    if (s >= 10)
        return;
    ds_channel& record = store().body.channels.channels[s];
    if (increase_held_) {
        store().head.set(record.rate_inc_manual, true);
        Debug_print::dprint("button held - tank%u manual inc\n", s);
    } else if (decrease_held_) {
        store().head.set(record.rate_dec_manual, true);
        Debug_print::dprint("button held - tank%u manual dec\n", s);
    }
}

void Main_screen::show_page(bool first)
{
    Debug_print::dprint("Toggle 1\n");
    with_pool([this, first] {
        page_1_->set_hidden(!first);
        page_2_->set_hidden(first);
        get_mask()->set_soft_key_mask(first ? page_1_keys_ : page_2_keys_);
    });
    if (!first)
        show_counters();
}

void Main_screen::reset_area()
{
    std::puts("Reset AREA");
    CDS::Head& head = store().head;
    head.set(store().body.areas.area[0].total, 0.0f);
    head.set(store().body.volumes.volume[0].total, 0.0f);
    objects_.parameters.app.areas.area[0]->total.set(0.0f);
}

void Main_screen::reset_sub_area()
{
    const unsigned tank = viewed_tank_.get_item();
    const unsigned sub_area = sub_area_.get_item();
    Debug_print::dprint("Reset SUB AREA, tank=%d, sub_area=%d\n", int(tank), int(sub_area));
    if (tank > 3 || sub_area > 9)
        return;
    CDS::Head& head = store().head;
    head.set(store().body.areas.sub_area[tank][sub_area], 0.0f);
    head.set(store().body.volumes.sub_volume[tank][sub_area], 0.0f);
    objects_.parameters.app.areas.channel[int(tank)]->sub_area[int(sub_area)]->total.set(0.0f);
}

void Main_screen::select_tanks(uint16_t item)
{
    for (int k = 0; k < tank_count; ++k)
        store().head.set(store().body.channels.channels[k].selected, item == k || item == all_tanks);
    send_val_updates(false);
}

void Main_screen::select_sub_area(uint16_t item)
{
    Debug_print::dprint("SUB AREA: %u\n", unsigned(item));
    objects_.parameters.app.areas.sub_area_number.set(uint8_t(item));
    store().head.set(store().body.areas.sub_area_number, uint32_t(item));
    show_counters();
}

void Main_screen::update_tank_lists()
{
    NV_quvel::application_t& app = objects_.parameters.app;
    std::array<bool, tank_count> enabled{};
    int enabled_count = 0;
    for (int k = 0; k < tank_count; ++k) {
        enabled[k] = app.channels[k]->enabled.get();
        enabled_count += enabled[k] ? 1 : 0;
    }
    const uint16_t item = tank_selection_.get_item();
    with_pool([&] {
        tank_list_->set_child_objects_val(all_tanks, enabled_count < 2 ? NULL_ID : tank_items_[all_tanks], false);
        for (int k = 0; k < tank_count; ++k) {
            tank_list_->set_child_objects_val(uint8_t(k), enabled[k] ? tank_items_[k] : NULL_ID, false);
            viewed_list_->set_child_objects_val(uint8_t(k), enabled[k] ? viewed_items_[k] : NULL_ID, false);
        }
    });
    // The selection leaves an item that went for tank 1.
    const bool gone = item == all_tanks ? enabled_count < 2 : item < tank_count && !enabled[item];
    if (gone) {
        tank_selection_.set_item(0);
        select_tanks(0);
    }
}

void Main_screen::show_counters()
{
    CDS::Head& head = store().head;
    data_store_body& body = store().body;
    const unsigned tank = viewed_tank_.get_item();
    const unsigned sub_area = sub_area_.get_item();
    total_area_.set_val(double(head.get(body.areas.area[0].total)) * 10000.0);
    sub_area_area_.set_val(tank <= 3 ? double(sub_total(head, body.areas.sub_area, tank, sub_area)) * 10000.0 : 0.0);
    const float volume = sub_total(head, body.volumes.sub_volume, tank, sub_area);
    // Above 999.9 the decimal does not fit the field. Compared as the
    // stored float, so that a stored 999.9 keeps its decimal.
    if (sub_area_volume_decimals_ == 1 && volume > 999.9f)
        sub_area_volume_decimals_ = 0;
    else if (sub_area_volume_decimals_ == 0 && volume <= 999.9f)
        sub_area_volume_decimals_ = 1;
    apply_sub_area_volume_format();
    sub_area_volume_.set_val(double(volume));
}

void Main_screen::apply_sub_area_volume_format()
{
    const unsigned tank = std::min<unsigned>(viewed_tank_.get_item(), tank_count - 1);
    const int mode = objects_.parameters.app.channels[int(tank)]->mode.get();
    const Main_screen_formats formats = Main_screen_formats::contents(mode, sub_area_volume_decimals_);
    const Stat_num_format& shown = sub_area_volume_.get_format();
    const Stat_num_format& wanted = sub_area_volume_.get_system() == Units_man::metric ? formats.metric
                                                                                        : formats.imperial;
    if (shown.get_units_type() == wanted.get_units_type() && shown.get_step() == wanted.get_step()
        && shown.get_decimals() == wanted.get_decimals())
        return;
    sub_area_volume_.init(this, UI::bind_object<VT::Output_number_obj>(get_pool(), ids().main.sub_area_volume),
                          formats.metric, formats.imperial, 1000, get_pool());
    if (Units_man* units = get_man()->get_units_man())
        sub_area_volume_.set_units(*units);
}

void Main_screen::show_fans()
{
    NV_quvel::application_t& app = objects_.parameters.app;
    const bool fan_1 = app.fans[0]->enabled.get(), fan_2 = app.fans[1]->enabled.get();
    const bool pressure_1 = app.fans[0]->sense_pressure.get(), pressure_2 = app.fans[1]->sense_pressure.get();
    const bool one_fan = fan_1 && !fan_2;
    const bool hidden[6] = {one_fan, !fan_2, one_fan || !pressure_1, one_fan || !pressure_2, !one_fan,
                            !(one_fan && pressure_1)};
    with_pool([&] {
        for (size_t i = 0; i < fan_containers_.size(); ++i)
            fan_containers_[i]->set_hidden(hidden[i]);
    });
}

void Main_screen::show_switch_box()
{
    // An external switch box takes the tank switches off the screen.
    const bool external = objects_.parameters.app.swbox_external_swbox_type.get() != 0;
    with_pool([&] {
        if (tank_on_off_slot_)
            tank_on_off_slot_->set_value(external ? NULL_ID : tank_on_off_target_);
    });
    apply_sub_area_volume_format();
}

void Main_screen::blink()
{
    blink_phase_ = !blink_phase_;
    CDS::Head& head = store().head;
    const bool master = head.get(store().body.operation.master_switch_active);
    for (int k = 0; k < tank_count; ++k) {
        const bool triggered = head.get(store().body.alarms.tank_incorrect_rate[k].triggered);
        channels_[k].show_flash(triggered && master && blink_phase_);
    }
}

void Main_screen::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    CDS::Head& head = store().head;
    data_store_body& body = store().body;
    if (listener == &alarms_listener_) {
        alarms_changed();
    } else if (listener == &vehicle_listener_) {
        ground_speed_.set_val(double(head.get(body.vehicle.speed)));
    } else if (listener == &areas_listener_) {
        area_rate_.set_val(double(head.get(body.areas.area_rate)));
        sub_area_.set_item(uint16_t(std::min<uint32_t>(head.get(body.areas.sub_area_number), 9)));
        show_counters();
    } else if (listener == &fans_listener_) {
        for (int f = 0; f < 2; ++f) {
            fan_speeds_[f].set_val(double(head.get(body.fans[f].rpm)));
            fan_pressures_[f].set_val(double(head.get(body.fans[f].pressure)));
        }
    } else if (listener == &operation_listener_) {
        const bool master = head.get(body.operation.master_switch_active);
        const bool manual_speed = head.get(body.operation.use_manual_speed);
        master_indicator_.set_state(master ? 1 : 0);
        manual_speed_indicator_.set_state(manual_speed ? 1 : 0);
        with_pool([&] {
            if (manual_speed_container_)
                manual_speed_container_->set_hidden(!manual_speed);
        });
    } else if (listener == &volumes_listener_) {
        show_counters();
    }
    send_val_updates(false);
}

void Main_screen::handle_nv_listener_event(NV_store::Virt_access* listener)
{
    if (listener == &switch_box_listener_) {
        show_switch_box();
    } else if (listener == fan_listeners_[0].get() || listener == fan_listeners_[1].get()) {
        show_fans();
    } else {
        apply_sub_area_volume_format();
        show_counters();
    }
    send_val_updates(false);
}
