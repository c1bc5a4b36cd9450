#pragma once
#include "platform/ui/Screen.h"
#include "platform/ui/Screen_man.h"
#include "platform/ui/Window_Activator.h"

#include <cstddef>
#include <cstdint>

// Soft keys and buttons that each lead to another screen: the navigation of
// the menus and the settings screens.
template <size_t N>
class Screen_links {
public:
    struct Link {
        uint16_t soft_key; // NULL_ID for a button
        uint16_t button;   // NULL_ID for a soft key
        const char* target;
    };

    // Binds one activator per link to the window, in the order given.
    void init(Window* window, const Link (&links)[N])
    {
        for (size_t i = 0; i < N; ++i) {
            activators_[i].init(window, links[i].soft_key, links[i].button, nullptr, Screen::NULL_ID,
                                Screen::NULL_ID);
            targets_[i] = links[i].target;
        }
    }

    // The key of the screen the activator leads to; null when it is none of the links'.
    const char* target_of(const Window::Activator& activator) const
    {
        for (size_t i = 0; i < N; ++i)
            if (activator == activators_[i])
                return targets_[i];
        return nullptr;
    }

    // Switches the screen's manager to where the activator leads; false when it is none of the links'.
    bool follow(Screen& screen, const Window::Activator& activator) const
    {
        const char* target = target_of(activator);
        if (!target)
            return false;
        screen.get_man()->switch_to_screen(target);
        return true;
    }

    // Takes every event of its own keys and switches on the release; false
    // when the activator is none of the links'.
    bool handle(Screen& screen, const Window::Activator& activator, const Window::Activator_event& event) const
    {
        if (!target_of(activator))
            return false;
        if (event.get_code() == Window::Activator_event::released)
            follow(screen, activator);
        return true;
    }

private:
    Window::Activator activators_[N];
    const char* targets_[N] = {};
};
