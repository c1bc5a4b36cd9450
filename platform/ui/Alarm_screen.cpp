#include "platform/ui/Alarm_screen.h"

#include "platform/iso/VT_Alarm_mask_obj.h"
#include "platform/iso/VT_vtui_pool.h"

namespace {

const char* key_of(VT::Alarm_mask_obj* mask, const char* name)
{
    if (name)
        return name;
    return mask ? mask->get_name() : "";
}

}

Alarm_screen::Alarm_screen(VT::Alarm_mask_obj* mask, Screen_man* man, const char* name)
    : Screen(key_of(mask, name), man), mask_(mask)
{
}

bool Alarm_screen::init(VT::vtui_pool* pool, NV_quvel::parameters_t*)
{
    if (!mask_)
        return false;
    set_pool(pool);
    return true;
}

bool Alarm_screen::activate_mask()
{
    if (!mask_ || !get_pool())
        return false;
    get_pool()->lock_pool();
    get_pool()->activate_alarm_mask(mask_->get_id());
    get_pool()->unlock_pool();
    return true;
}

uint16_t Alarm_screen::get_mask_id() const
{
    return mask_ ? mask_->get_id() : NULL_ID;
}

uint8_t Alarm_screen::get_priority() const
{
    return mask_ ? mask_->get_priority() : 2;
}
