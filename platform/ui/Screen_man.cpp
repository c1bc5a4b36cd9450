#include "platform/ui/Screen_man.h"

#include "platform/rtos/Debug_base.h"
#include "platform/ui/Alarm_screen.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/User_interface.h"
#include "platform/ui/User_interface_iface.h"

#include <algorithm>

Screen_man::Screen_man(UI::User_interface& ui)
    : ui_(ui)
{
}

Screen_man::~Screen_man()
{
    // Detached first, the alarm screens go without reaching back.
    const std::vector<Screen*> screens(screens_);
    for (Screen* screen : screens)
        screen->man_ = nullptr;
    for (Screen* screen : screens)
        if (screen->get_alarm_screen())
            delete screen;
}

Screen* Screen_man::find_screen(const char* key) const
{
    const auto found = keys_.find(key ? key : "");
    return found == keys_.end() ? nullptr : found->second;
}

bool Screen_man::switch_to_screen(const char* key)
{
    Screen* screen = find_screen(key);
    if (!screen)
        Debug_print::dprint("UI: no screen \"%s\" to switch to\n", key ? key : "");
    return switch_to_screen(screen);
}

bool Screen_man::switch_to_screen(Screen* screen)
{
    if (!screen || screen->man_ != this || !screen->allow_switch_to())
        return false;
    if (current_) {
        hide(current_);
        if (current_ != screen)
            history_.push_back(current_);
    }
    show(screen);
    return true;
}

bool Screen_man::back_screen(int n)
{
    if (n <= 0 || history_.empty())
        return false;
    const size_t keep = history_.size() > size_t(n) ? history_.size() - size_t(n) : 0;
    Screen* target = history_[keep];
    history_.resize(keep);
    if (current_)
        hide(current_);
    show(target);
    return true;
}

bool Screen_man::remove_screen(Screen* screen, bool)
{
    if (!screen || screen == current_)
        return false;
    const size_t before = history_.size();
    history_.erase(std::remove(history_.begin(), history_.end(), screen), history_.end());
    return history_.size() != before;
}

void Screen_man::add_screen(Screen* screen)
{
    screens_.push_back(screen);
    if (!keys_.emplace(screen->key_, screen).second)
        Debug_print::dprint("UI: a second screen under the key \"%s\" is not found by it\n", screen->get_key());
}

void Screen_man::remove(Screen* screen)
{
    screens_.erase(std::remove(screens_.begin(), screens_.end(), screen), screens_.end());
    const auto found = keys_.find(screen->key_);
    if (found != keys_.end() && found->second == screen)
        keys_.erase(found);
    history_.erase(std::remove(history_.begin(), history_.end(), screen), history_.end());
    if (current_ == screen)
        current_ = nullptr;
}

void Screen_man::show(Screen* screen)
{
    current_ = screen;
    screen->activate();
    if (UI::User_interface_iface* iface = ui_.get_iface()) {
        iface->notify_screen_up(screen);
        if (Data_screen* data = screen->get_data_screen())
            iface->notify_data_screen_up(data);
        if (Alarm_screen* alarm = screen->get_alarm_screen())
            iface->notify_alarm_screen_up(alarm);
    }
}

void Screen_man::hide(Screen* screen)
{
    screen->deactivate();
    if (UI::User_interface_iface* iface = ui_.get_iface()) {
        iface->notify_screen_down(screen);
        if (Data_screen* data = screen->get_data_screen())
            iface->notify_data_screen_down(data);
        if (Alarm_screen* alarm = screen->get_alarm_screen())
            iface->notify_alarm_screen_down(alarm);
    }
}
