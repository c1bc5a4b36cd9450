#include "platform/ui/Alarm_screen.h"

#include "platform/iso/VT_Alarm_mask_obj.h"

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
    return show_mask(get_mask_id(), true);
}

bool Alarm_screen::handle_soft_key_event(Soft_key_activation_event& event, unsigned int function)
{
    send_soft_key_event(event, function);
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
