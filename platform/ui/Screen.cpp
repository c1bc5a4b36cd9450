#include "platform/ui/Screen.h"

#include "platform/iso/VT_vtui_pool.h"
#include "platform/ui/Screen_man.h"
#include "platform/ui/Stat.h"
#include "platform/ui/User_interface.h"

#include <cstdlib>

Screen::Screen(const char* key, Screen_man* man)
    : key_(key ? key : ""), man_(man)
{
    if (man_)
        man_->add_screen(this);
}

Screen::~Screen()
{
    if (!man_)
        return;
    man_->get_ui().forget_screen_timeouts(*this);
    man_->remove(this);
}

bool Screen::activate()
{
    shown_ = true;
    return activate_mask();
}

bool Screen::deactivate()
{
    shown_ = false;
    return true;
}

Screen_man* Screen::get_man() const
{
    if (!man_)
        exit(no_manager_status);
    return man_;
}

void Screen::set_units(Units_man&) {}

bool Screen::show_mask(uint16_t mask, bool alarm)
{
    if (mask == NULL_ID || !pool_)
        return false;
    pool_->lock_pool();
    if (alarm)
        pool_->activate_alarm_mask(mask);
    else
        pool_->activate_data_mask(mask);
    pool_->unlock_pool();
    return true;
}

void Screen::send_val_updates(bool all)
{
    pending_update_ = false;
    for (Stat* stat : get_stats())
        stat->send_update(all);
}

void Screen::submit_timeout(Timeout& t)
{
    submit_timeout(t, t.get_period());
}

void Screen::submit_timeout(Timeout& t, int period_ms)
{
    get_man()->get_ui().submit_screen_timeout(*this, t, period_ms);
}

void Screen::remove_timeout(Timeout& t)
{
    get_man()->get_ui().remove_screen_timeout(t);
}

waiter_descriptor& Screen::get_waiter() const
{
    return get_man()->get_ui().get_waiter();
}
