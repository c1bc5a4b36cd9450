#include "platform/ui/Data_screen.h"

#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Window_Activator.h"

Data_screen::Data_screen(const char* key, Screen_man* man)
    : Screen(key, man)
{
}

bool Data_screen::init(VT::vtui_pool* pool, VT::Data_mask_obj* mask, NV_quvel::parameters_t* params, unsigned short*,
                       int)
{
    if (!mask)
        return false;
    set_pool(pool);
    mask_ = mask;
    params_ = params;
    return true;
}

bool Data_screen::activate_mask()
{
    return show_mask(get_mask_id(), false);
}

uint16_t Data_screen::get_mask_id() const
{
    return mask_ ? mask_->get_id() : NULL_ID;
}

bool Data_screen::handle_soft_key_event(Soft_key_activation_event& event, unsigned int function)
{
    bool taken = false;
    if (event.code != Soft_key_activation_event::held) {
        // A key lost mid-press ends as a release, so that nothing held stays on.
        Window::Activator_event activator_event(event.code == Soft_key_activation_event::pressed
                                                    ? Window::Activator_event::pressed
                                                    : Window::Activator_event::released);
        for (Window::Activator* activator : std::vector<Window::Activator*>(get_activators()))
            if (activator->is_bound_to(event.object)) {
                taken = true;
                handle_activator_event(*activator, activator_event);
            }
    }
    return send_soft_key_event(event, function) || taken;
}

void Data_screen::set_units(Units_man& units)
{
    for (Stat* stat : get_stats())
        if (auto* number = dynamic_cast<Stat_num*>(stat))
            number->set_units(units);
}
