#include "ui/screens/SeederBrandMask.h"

#include "params/parameters_t.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "vt_pool/Seeder_pool_ids.h"

SeederBrandMask::SeederBrandMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool SeederBrandMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Seeder_brand_ids& ids = objects_.ids.seeder_brand;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids.mask), params, nullptr, 0))
        return false;
    links_.init(this, {{ids.main_key, NULL_ID, "main"},
                       {ids.settings_key, NULL_ID, "settings_menu"},
                       {ids.seeder_key, NULL_ID, "seeder_settings_menu"}});
    brand_.init(this, UI::bind_object<VT::Input_list_obj>(pool, ids.brand_list), nullptr, pool, false);
    return true;
}

void SeederBrandMask::post_snapshot_init()
{
    refresh();
}

bool SeederBrandMask::activate()
{
    const bool shown = Data_screen::activate();
    // The personality may have been changed from the console or a remote display.
    refresh();
    return shown;
}

bool SeederBrandMask::handle_stat_update(Stat* stat)
{
    if (stat == &brand_)
        objects_.parameters.app.personality.set(uint8_t(brand_.get_item()));
    return true;
}

bool SeederBrandMask::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    if (event.get_code() != Window::Activator_event::released)
        return true;
    Debug_print::dprint("Activator line=%d\n", __LINE__);
    if (links_.target_of(activator)) {
        Debug_print::dprint("Activator line=%d\n", __LINE__);
        links_.follow(*this, activator);
    }
    return true;
}

void SeederBrandMask::refresh()
{
    brand_.set_item(objects_.parameters.app.personality.get());
}
