#pragma once
#include "platform/ui/Screen.h"
#include "platform/ui/Screen_man.h"
#include "platform/ui/Window_Activator.h"

#include <array>
#include <cstdint>
#include <utility>

// Soft keys that each switch to one screen, first match in the order given.
template <size_t N>
class Nav_keys {
public:
    using Targets = std::array<std::pair<uint16_t, const char*>, N>;

    void init(Screen* screen, const Targets& targets)
    {
        for (size_t i = 0; i < N; ++i) {
            keys_[i].init(screen, targets[i].first, Screen::NULL_ID, nullptr, Screen::NULL_ID, Screen::NULL_ID);
            screens_[i] = targets[i].second;
        }
    }
    // Switches when the activator is one of the keys and it was released;
    // false when it is none of them.
    bool handle(Screen& screen, Window::Activator& a, Window::Activator_event& e)
    {
        for (size_t i = 0; i < N; ++i) {
            if (a == keys_[i]) {
                if (e.get_code() == Window::Activator_event::released)
                    screen.get_man()->switch_to_screen(screens_[i]);
                return true;
            }
        }
        return false;
    }

private:
    std::array<Window::Activator, N> keys_;
    std::array<const char*, N> screens_{};
};
