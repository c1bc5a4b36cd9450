#include "ui/screens/MultiTankCal2Mask.h"

#include "data_store/Data_store.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Multi_tank_cal.h"
#include "ui/screens/Screen_vt.h"
#include "ui/screens/Seeder_tanks.h"
#include "vt_pool/Seeder_pool_ids.h"

MultiTankCal2Mask::MultiTankCal2Mask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool MultiTankCal2Mask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Multi_tank_cal2_ids& ids = objects_.ids.multi_tank_cal2;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids.mask), params, nullptr, 0))
        return false;
    slot_keys_ = {ids.next_key, ids.cancel_key};
    next_.init(this, ids.next_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    cancel_.init(this, ids.cancel_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    for (size_t k = 0; k < key_slots_.size(); ++k)
        key_slots_[k] = UI::bind_object<VT::Object_pointer_obj>(pool, ids.key_slots[k]);
    const Stat_num_format metric(15, 0.001, 3), imperial(15, 0.00045359237, 3);
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        rows_[t] = UI::bind_object<VT::Container_obj>(pool, ids.rows[t]);
        estimate[t].init(this, UI::bind_object<VT::Output_number_obj>(pool, ids.estimated_weights[t]), metric,
                         imperial, 200, pool);
        actual[t].init(this, UI::bind_object<VT::Input_number_obj>(pool, ids.actual_inputs[t]),
                       UI::bind_object<VT::Output_number_obj>(pool, ids.actual_outputs[t]),
                       UI::bind_object<VT::Object_pointer_obj>(pool, ids.actual_pointers[t]),
                       UI::bind_object<VT::Number_variable_obj>(pool, ids.actual_variables[t]), metric, imperial, 200,
                       pool);
        actual[t].set_range(0, 50000);
        actual[t].set_editable(true);
        name[t].init(this, UI::bind_object<VT::Output_string_obj>(pool, ids.names[t]), pool,
                     Multi_tank_cal::name_length);
    }
    return true;
}

void MultiTankCal2Mask::post_snapshot_init()
{
    show_rows();
}

bool MultiTankCal2Mask::activate()
{
    const bool shown = Data_screen::activate();
    for (int t = 0; t < Seeder_tanks::count; ++t)
        estimate[t].set_val(objects_.store.head.get(objects_.store.body.channels.channels[t].cal_est_weight));
    show_rows();
    return shown;
}

bool MultiTankCal2Mask::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    if (event.get_code() != Window::Activator_event::released)
        return true;
    if (activator == next_) {
        for (int t = 0; t < Seeder_tanks::count; ++t)
            objects_.store.head.set(objects_.store.body.channels.channels[t].cal_act_weight,
                                    float(actual[t].get_val()));
        leave("multi_tank_cal_3_mask");
    } else if (activator == cancel_) {
        leave("product_settings_menu");
    }
    return true;
}

void MultiTankCal2Mask::show_rows()
{
    for (size_t k = 0; k < key_slots_.size(); ++k)
        Screen_vt::set_pointer(*this, key_slots_[k], slot_keys_[k]);
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        Multi_tank_cal::show_row(*this, objects_, t, rows_[t], name[t]);
    }
}

void MultiTankCal2Mask::leave(const char* key)
{
    for (Stat_num& weight : actual)
        weight.set_val(0);
    get_man()->switch_to_screen(key);
}
