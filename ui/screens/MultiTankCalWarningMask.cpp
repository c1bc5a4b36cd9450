#include "ui/screens/MultiTankCalWarningMask.h"

#include "data_store/Data_store.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Screen_listeners.h"
#include "vt_pool/Seeder_pool_ids.h"

MultiTankCalWarningMask::MultiTankCalWarningMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool MultiTankCalWarningMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    auto* mask = UI::bind_object<VT::Data_mask_obj>(pool, objects_.ids.multi_tank_cal1.mask);
    if (!Data_screen::init(pool, mask, params, nullptr, 0))
        return false;
    continue_.init(this, NULL_ID, NULL_ID, nullptr, NULL_ID, NULL_ID);
    back_.init(this, NULL_ID, NULL_ID, nullptr, NULL_ID, NULL_ID);
    return true;
}

void MultiTankCalWarningMask::post_snapshot_init()
{
    internal_listener_ = Screen_listeners::follow(*this, objects_.store.head, objects_.store.body.internal);
}

bool MultiTankCalWarningMask::activate()
{
    const bool shown = Data_screen::activate();
    send_val_updates(false);
    return shown;
}

bool MultiTankCalWarningMask::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    if (event.get_code() != Window::Activator_event::released)
        return true;
    if (activator == continue_)
        get_man()->switch_to_screen("multi_tank_cal_1_mask");
    else if (activator == back_)
        get_man()->switch_to_screen("product_settings_menu");
    return true;
}

void MultiTankCalWarningMask::handle_virt_listener_event(CDS::Virt_access*, waiter_event&)
{
    send_val_updates(false);
}
