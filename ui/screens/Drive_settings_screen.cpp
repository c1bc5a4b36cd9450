#include "ui/screens/Drive_settings_screen.h"

#include "data_store/Data_store.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"

Drive_settings_screen::Drive_settings_screen(const char* key, Screen_man* man, const Screen_objects& objects,
                                             const char* name, Takes_tank takes)
    : Data_screen(key, man), objects_(objects), name_(name), takes_(takes)
{
}

bool Drive_settings_screen::init_navigation(VT::vtui_pool* pool, NV_quvel::parameters_t* params,
                                            const Navigation& navigation)
{
    navigation_ = navigation;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, navigation.mask), params, nullptr, 0))
        return false;
    if (navigation.button_target)
        button_.init(this, NULL_ID, navigation.button, nullptr, NULL_ID, NULL_ID);
    keys_.init(this, {{navigation.keys.tank_settings_key, NULL_ID, "tank_settings_mask"},
                      {navigation.keys.main_key, NULL_ID, "main"},
                      {navigation.keys.settings_key, NULL_ID, "settings_menu"},
                      {navigation.keys.seeder_key, NULL_ID, "seeder_settings_menu"}});
    tank_number_ = UI::bind_object<VT::Output_number_obj>(pool, navigation.tank_number);
    return true;
}

void Drive_settings_screen::bind(VT::vtui_pool* pool, Flag_field& field, const Input_list_id& id)
{
    field.stat.init(this, UI::bind_object<VT::Input_list_obj>(pool, id), nullptr, pool, false);
    field.stat.set_editable(true);
}

void Drive_settings_screen::bind(VT::vtui_pool* pool, Item_field& field, const Input_list_id& id)
{
    field.stat.init(this, UI::bind_object<VT::Input_list_obj>(pool, id), nullptr, pool, false);
    field.stat.set_editable(true);
}

void Drive_settings_screen::bind(VT::vtui_pool* pool, Float_field& field, const Input_number_id& id, double step,
                                 int decimals, double max)
{
    const Stat_num_format format(0, step, decimals);
    field.stat.init(this, UI::bind_object<VT::Input_number_obj>(pool, id), format, format, 1000, pool);
    field.stat.set_range(0, max);
    field.stat.set_editable(true);
}

void Drive_settings_screen::post_snapshot_init()
{
    CDS::Head& head = objects_.store.head;
    internal_listener_.init(CDS::Access_base(head, head.offset_of(&objects_.store.body.internal),
                                             sizeof objects_.store.body.internal));
    internal_listener_.autoreg(get_waiter());
    if (takes_ == Takes_tank::at_snapshot)
        update_from_cds();
}

void Drive_settings_screen::update_from_cds()
{
    const uint32_t index = objects_.store.head.get(objects_.store.body.internal.current_channel_index);
    if (VT::vtui_pool* pool = get_pool(); pool && tank_number_) {
        pool->lock_pool();
        tank_number_->set_value(index + 1);
        pool->unlock_pool();
    }
    index_ = index;
    if (has_settings())
        refresh_fields();
}

void Drive_settings_screen::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    if (listener == &internal_listener_)
        update_from_cds();
    send_val_updates(false);
}

void Drive_settings_screen::load(const std::vector<Flag_field*>& flags, const std::vector<Item_field*>& items,
                                 const std::vector<Float_field*>& numbers)
{
    NV_quvel::channel_t& c = channel();
    for (Flag_field* f : flags)
        f->stat.set_item((c.*(f->member)).get() ? 1 : 0);
    for (Item_field* f : items)
        f->stat.set_item((c.*(f->member)).get());
    for (Float_field* f : numbers)
        f->stat.set_val((c.*(f->member)).get());
}

bool Drive_settings_screen::write(Stat* s, const std::vector<Flag_field*>& flags,
                                  const std::vector<Item_field*>& items, const std::vector<Float_field*>& numbers)
{
    NV_quvel::channel_t& c = channel();
    for (Flag_field* f : flags)
        if (s == &f->stat) {
            (c.*(f->member)).set(f->stat.get_item() != 0);
            return true;
        }
    for (Item_field* f : items)
        if (s == &f->stat) {
            (c.*(f->member)).set(uint8_t(f->stat.get_item()));
            return true;
        }
    for (Float_field* f : numbers)
        if (s == &f->stat) {
            (c.*(f->member)).set(float(f->stat.get_val()));
            return true;
        }
    return false;
}

bool Drive_settings_screen::handle_stat_update(Stat* s)
{
    Debug_print::dprint("%s::handle_stat_update ()\n", name_);
    if (has_settings())
        edit(s);
    return false;
}

bool Drive_settings_screen::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    if (keys_.handle(*this, a, e))
        return true;
    if (navigation_.button_target && a == button_ && e.get_code() == Window::Activator_event::released)
        get_man()->switch_to_screen(button_target());
    return true;
}
