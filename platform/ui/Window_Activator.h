#pragma once
#include "platform/ui/Window.h"

#include <cstdint>

namespace VT {
class Object_pointer_obj;
}

// One soft key or button a window reacts to. Bound by init to its window,
// which hears every operation of the key or button named.
class Window::Activator {
public:
    static constexpr uint16_t NULL_ID = 0xFFFF;

    Activator() = default;
    virtual ~Activator(); // leaves its window
    Activator(const Activator&) = delete;
    Activator& operator=(const Activator&) = delete;

    // Identity: an activator equals only itself.
    virtual bool operator==(const Activator& other) const { return this == &other; }

    // Binds to the window, soft key ID first, button ID second (NULL_ID for
    // none); a second init moves the activator. The object pointer and the
    // last two IDs are accepted for the callers' sake only.
    void init(Window* window, uint16_t soft_key_id, uint16_t button_id, VT::Object_pointer_obj* pointer,
              uint16_t id_a, uint16_t id_b);

    bool is_bound_to(uint16_t object) const;
    uint16_t get_soft_key_id() const { return soft_key_id_; }
    uint16_t get_button_id() const { return button_id_; }
    Window* get_window() const { return window_; }

private:
    friend class Window;
    Window* window_ = nullptr;
    uint16_t soft_key_id_ = NULL_ID;
    uint16_t button_id_ = NULL_ID;
};

// What happened to an activator's key: pressed (0) or released (1).
class Window::Activator_event {
public:
    static constexpr unsigned pressed = 0, released = 1;

    explicit Activator_event(unsigned code)
        : code_(code)
    {
    }
    unsigned get_code() const { return code_; }

private:
    unsigned code_;
};
