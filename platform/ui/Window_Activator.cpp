#include "platform/ui/Window_Activator.h"

Window::Activator::~Activator()
{
    if (window_)
        window_->remove_activator(this);
}

void Window::Activator::init(Window* window, uint16_t soft_key_id, uint16_t button_id, VT::Object_pointer_obj*,
                             uint16_t, uint16_t)
{
    if (window_ != window) {
        if (window_)
            window_->remove_activator(this);
        if (window)
            window->add_activator(this);
        window_ = window;
    }
    soft_key_id_ = soft_key_id;
    button_id_ = button_id;
}

bool Window::Activator::is_bound_to(uint16_t object) const
{
    return object != NULL_ID && (object == soft_key_id_ || object == button_id_);
}
