#include "ui/screens/MultiTankCal3Mask.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Multi_tank_cal.h"
#include "ui/screens/Screen_vt.h"
#include "ui/screens/Seeder_tanks.h"
#include "vt_pool/Seeder_pool_ids.h"

MultiTankCal3Mask::MultiTankCal3Mask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool MultiTankCal3Mask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Multi_tank_cal3_ids& ids = objects_.ids.multi_tank_cal3;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids.mask), params, nullptr, 0))
        return false;
    slot_keys_ = {ids.clear_all_key, ids.save_all_key, ids.exit_key, ids.back_key};
    Window::Activator* keys[] = {&clear_all_, &save_all_, &exit_, &back_};
    for (size_t k = 0; k < slot_keys_.size(); ++k) {
        keys[k]->init(this, slot_keys_[k], NULL_ID, nullptr, NULL_ID, NULL_ID);
        key_slots_[k] = UI::bind_object<VT::Object_pointer_obj>(pool, ids.key_slots[k]);
    }
    const Stat_num_format metric(25, 0.001, 3), imperial(25, 0.00045359237, 3), percent(0, 0.1, 1);
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        Row& row = rows_[t];
        row.row = UI::bind_object<VT::Container_obj>(pool, ids.rows[t]);
        row.ignore_group = UI::bind_object<VT::Container_obj>(pool, ids.ignore_groups[t]);
        row.save_group = UI::bind_object<VT::Container_obj>(pool, ids.save_groups[t]);
        row.ignore_button.init(this, NULL_ID, ids.ignore_buttons[t], nullptr, NULL_ID, NULL_ID);
        row.save_button.init(this, NULL_ID, objects_.ids.multi_tank_cal3_more.save_buttons[t], nullptr, NULL_ID,
                             NULL_ID);
        old_factor[t].init(this, UI::bind_object<VT::Output_number_obj>(pool, ids.old_factors[t]), metric, imperial,
                           200, pool);
        new_factor[t].init(this, UI::bind_object<VT::Output_number_obj>(pool, ids.new_factors[t]), metric, imperial,
                           200, pool);
        difference[t].init(this, UI::bind_object<VT::Output_number_obj>(pool, ids.differences[t]), percent, percent,
                           200, pool);
        name[t].init(this, UI::bind_object<VT::Output_string_obj>(pool, ids.names[t]), pool,
                     Multi_tank_cal::name_length);
    }
    return true;
}

void MultiTankCal3Mask::post_snapshot_init()
{
    show_rows();
}

bool MultiTankCal3Mask::activate()
{
    const bool shown = Data_screen::activate();
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        const ds_channel& channel = objects_.store.body.channels.channels[t];
        const float est = objects_.store.head.get(channel.cal_est_weight);
        const float revs = objects_.store.head.get(channel.cal_act_revs);
        const float act = objects_.store.head.get(channel.cal_act_weight);
        Row& row = rows_[t];
        old_factor[t].set_val(Seeder_tanks::channel(objects_.parameters, t).cal_setting.get());
        new_factor[t].set_val(revs > 0 ? act / revs : 0.0f);
        const float ratio = est > 0 ? act / est : 0.0f;
        const double diff = ratio != 0 ? 100.0 * ratio - 100.0 : 0.0;
        difference[t].set_val(diff);
        row.same = diff == 0;
        row.save = false;
        Screen_vt::set_hidden(*this, row.save_group, true);
        Screen_vt::set_hidden(*this, row.ignore_group, row.same && est != 0);
    }
    show_rows();
    return shown;
}

bool MultiTankCal3Mask::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    if (event.get_code() != Window::Activator_event::released)
        return true;
    if (activator == clear_all_ || activator == save_all_) {
        for (int t = 0; t < Seeder_tanks::count; ++t)
            decide(t, activator == save_all_);
    } else if (activator == back_) {
        get_man()->switch_to_screen("multi_tank_cal_2_mask");
    } else if (activator == exit_) {
        store_saved();
        get_man()->switch_to_screen("product_settings_menu");
    } else {
        for (int t = 0; t < Seeder_tanks::count; ++t)
            if (activator == rows_[t].ignore_button || activator == rows_[t].save_button)
                decide(t, activator == rows_[t].ignore_button);
    }
    return true;
}

void MultiTankCal3Mask::show_rows()
{
    for (size_t k = 0; k < key_slots_.size(); ++k)
        Screen_vt::set_pointer(*this, key_slots_[k], slot_keys_[k]);
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        Multi_tank_cal::show_row(*this, objects_, t, rows_[t].row, name[t]);
    }
}

void MultiTankCal3Mask::decide(int tank, bool save)
{
    Row& row = rows_[tank];
    if (row.same && (old_factor[tank].get_val() != 0 || new_factor[tank].get_val() == 0)) {
        row.save = false;
        Screen_vt::set_hidden(*this, row.ignore_group, true);
        Screen_vt::set_hidden(*this, row.save_group, true);
        return;
    }
    row.save = save;
    Screen_vt::set_hidden(*this, row.ignore_group, save);
    Screen_vt::set_hidden(*this, row.save_group, !save);
}

void MultiTankCal3Mask::store_saved()
{
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        if (!rows_[t].save)
            continue;
        const float factor = float(new_factor[t].get_val());
        Seeder_tanks::channel(objects_.parameters, t).cal_setting.set(factor);
        // The product table has 16 entries; a number outside it names none.
        const int product = objects_.store.head.get(objects_.store.body.channels.channels[t].product_number);
        if (Seeder_tanks::is_product(product))
            Seeder_tanks::product(objects_.parameters, product).product_cal_factor.set(factor);
    }
}
