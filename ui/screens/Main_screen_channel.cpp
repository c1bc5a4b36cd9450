#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Main_screen.h"
#include "ui/screens/Main_screen_formats.h"
#include "vt_pool/Seeder_pool_ids.h"

void Main_screen::Channel::init(int tank, Main_screen* owner)
{
    tank_ = tank;
    owner_ = owner;
    const Seeder_tank_record& r = objects();
    VT::vtui_pool* pool = owner->get_pool();

    init_rates(0);
    requested_rate.set_range(0, 99999);
    requested_rate.set_editable(true);
    actual_rate.set_range(-9999, 99999);
    const Main_screen_formats pressure = Main_screen_formats::pressure();
    liquid_pressure.init(owner, UI::bind_object<VT::Output_number_obj>(pool, r.full_row_number), pressure.metric,
                         pressure.imperial, 1000, pool);
    name.init(owner, UI::bind_object<VT::Output_string_obj>(pool, r.heading), pool, 20);

    tank_on_client_.init(UI::bind_object<VT::Rectangle_obj>(pool, r.status_rectangle), owner->on_off_fills_.data(), 2);
    selected_client_.init(UI::bind_object<VT::Rectangle_obj>(pool, r.frame), owner->selected_fills_.data(), 2);
    tank_on.init(owner);
    tank_on.add_client(tank_on_client_);
    selected.init(owner);
    selected.add_client(selected_client_);

    preset_1_mark_ = UI::bind_object<VT::Container_obj>(pool, r.boxed_1);
    preset_2_mark_ = UI::bind_object<VT::Container_obj>(pool, r.boxed_2);
    panel_ = UI::bind_object<VT::Container_obj>(pool, r.row);
    flash_mark_ = UI::bind_object<VT::Container_obj>(pool, r.alt_container);
    pressure_panel_ = UI::bind_object<VT::Container_obj>(pool, r.full_row_container);
    manual_mode_ = UI::bind_object<VT::Container_obj>(pool, r.man_container);
    automatic_mode_ = UI::bind_object<VT::Container_obj>(pool, r.auto_container);

    Tank_keys& keys = owner->tank_keys_[tank];
    keys.fill.init(owner, NULL_ID, r.tank_button, nullptr, NULL_ID, NULL_ID);
    keys.automatic.init(owner, NULL_ID, r.auto_button, nullptr, NULL_ID, NULL_ID);
    keys.manual.init(owner, NULL_ID, r.man_button, nullptr, NULL_ID, NULL_ID);
    keys.select.init(owner, NULL_ID, r.select_button, nullptr, NULL_ID, NULL_ID);
}

const Seeder_tank_record& Main_screen::Channel::objects() const
{
    const Seeder_pool_ids& ids = owner_->ids();
    const uint32_t reference = ids.tank_record_refs[tank_];
    return ids.tank_records[reference < Seeder_pool_ids::tank_count ? reference : uint32_t(tank_)];
}

void Main_screen::Channel::init_rates(int mode)
{
    VT::vtui_pool* pool = owner_->get_pool();
    const Seeder_tank_record& r = objects();
    const Main_screen_formats rate = Main_screen_formats::rate(mode);
    const Main_screen_formats contents = Main_screen_formats::contents(mode);
    requested_rate.init(owner_, UI::bind_object<VT::Input_number_obj>(pool, r.rate_input), rate.metric,
                        rate.imperial, 1000, pool);
    actual_rate.init(owner_, UI::bind_object<VT::Output_number_obj>(pool, owner_->ids().main_more.actual_rates[tank_]),
                     rate.metric, rate.imperial, 1000, pool);
    remaining.init(owner_, UI::bind_object<VT::Output_number_obj>(pool, r.tank_button_number), contents.metric,
                   contents.imperial, 1000, pool);
}

ds_channel& Main_screen::Channel::record() const
{
    return owner_->store().body.channels.channels[tank_];
}

NV_quvel::channel_t& Main_screen::Channel::parameters() const
{
    return *owner_->objects_.parameters.app.channels[tank_];
}

void Main_screen::Channel::post_snapshot_init()
{
    owner_->with_pool([this] {
        for (VT::Container_obj* container :
             {preset_1_mark_, preset_2_mark_, panel_, flash_mark_, pressure_panel_, manual_mode_, automatic_mode_})
            if (container)
                container->set_hidden(true);
    });
    ds_channels& group = owner_->store().body.channels;
    CDS::Head& head = owner_->store().head;
    store_listener_.init(CDS::Access_base(head, head.offset_of(&group), sizeof group));
    store_listener_.autoreg(owner_->get_waiter());
    parameter_listener_.init(&parameters());
    parameter_listener_.autoreg(owner_->get_waiter(), true);
    show_store();
    show_parameters();
    owner_->send_val_updates(false);
}

void Main_screen::Channel::handle_virt_listener_event(CDS::Virt_access*, waiter_event&)
{
    show_store();
    owner_->send_val_updates(false);
}

void Main_screen::Channel::handle_nv_listener_event(NV_store::Virt_access*)
{
    show_parameters();
    owner_->send_val_updates(false);
}

void Main_screen::Channel::show_store()
{
    CDS::Head& head = owner_->store().head;
    const ds_channel& r = record();
    head.lock();
    const bool assigned = r.product_assigned, active = r.active, is_selected = r.selected;
    const double rate = r.requested_rate, actual = r.actual_rate, contents = r.remaining_volume;
    const float pressure = r.liquid_pressure;
    head.unlock();

    tank_on.set_state(active ? 1 : 0);
    selected.set_state(is_selected ? 1 : 0);
    const NV_quvel::channel_t& p = parameters();
    const bool preset_1 = assigned && rate == double(p.preset_rate_1.get());
    const bool preset_2 = assigned && !preset_1 && rate == double(p.preset_rate_2.get());
    owner_->with_pool([&] {
        preset_1_mark_->set_hidden(!preset_1);
        preset_2_mark_->set_hidden(!preset_2);
    });
    requested_rate.set_val(rate);
    actual_rate.set_val(actual);
    remaining.set_val(contents);
    liquid_pressure.set_val(double(pressure));
    show_control_mode(p.enabled.get(), p.mode.get(), head.get(r.rate_control_mode));
}

void Main_screen::Channel::show_parameters()
{
    NV_quvel::channel_t& p = parameters();
    char text[NV_quvel::nv_name::length + 1] = {};
    p.name.get(text, NV_quvel::nv_name::length);
    // Names are kept padded with spaces.
    for (int i = NV_quvel::nv_name::length - 1; i >= 0 && (text[i] == ' ' || text[i] == '\0'); --i)
        text[i] = '\0';
    name = text;

    const bool enabled = p.enabled.get(), sense = p.liquid_pressure_sense.get();
    const int mode = p.mode.get();
    owner_->with_pool([&] {
        panel_->set_hidden(!enabled);
        pressure_panel_->set_hidden(mode == 0 || !(enabled && sense));
    });
    show_control_mode(enabled, mode, owner_->store().head.get(record().rate_control_mode));
    owner_->update_tank_lists();
    apply_mode(mode);
}

void Main_screen::Channel::show_control_mode(bool enabled, int mode, int rate_control_mode)
{
    // Only a liquid or NH3 tank on a regulating valve has the two modes.
    const bool modes = enabled && parameters().liquid_controller_type.get() == 0 && (mode == 1 || mode == 2);
    owner_->with_pool([&] {
        manual_mode_->set_hidden(!(modes && rate_control_mode == 2));
        automatic_mode_->set_hidden(!(modes && rate_control_mode != 2));
    });
}

void Main_screen::Channel::show_flash(bool shown)
{
    owner_->with_pool([&] {
        if (flash_mark_)
            flash_mark_->set_hidden(!shown);
    });
}

void Main_screen::Channel::apply_mode(int mode)
{
    if (mode == mode_)
        return;
    mode_ = mode;
    init_rates(mode);
    if (Units_man* units = owner_->get_man()->get_units_man()) {
        requested_rate.set_units(*units);
        actual_rate.set_units(*units);
        remaining.set_units(*units);
    }
    show_store();
}
