#include "control_logic/Rate_delay.h"

void Rate_delay::set_window(int32_t ms)
{
    if (ms == window_)
        return;
    window_ = ms;
    queue_.reset(0.0f, ms);
}

void Rate_delay::add(float rate, int32_t ms)
{
    queue_.add(rate, ms);
}

float Rate_delay::delayed() const
{
    return queue_.empty() ? 0.0f : queue_.at(0).value;
}

float Rate_delay::first_non_zero() const
{
    for (size_t i = 0; i < queue_.size(); ++i)
        if (queue_.at(i).value != 0.0f)
            return queue_.at(i).value;
    return 0.0f;
}
