#include "control_logic/On_off_delay.h"
#include "control_logic/Seeder_controller.h"

#include <algorithm>

namespace {

// A negative delay is no delay.
int32_t to_ms(double seconds)
{
    return std::max(Seeder_controller::round_half_up(seconds * 1000.0), 0);
}

}

void On_off_delay::Stage::set_window(int32_t ms)
{
    if (ms != window) {
        window = ms;
        queue.reset(0, ms);
    }
}

void On_off_delay::set_times(double on_seconds, double off_seconds)
{
    and_mode_ = on_seconds > off_seconds;
    if (and_mode_) {
        output_.set_window(to_ms(off_seconds));
        input_.set_window(to_ms(on_seconds - off_seconds));
    } else {
        output_.set_window(to_ms(on_seconds));
        input_.set_window(to_ms(off_seconds - on_seconds));
    }
}

void On_off_delay::push(bool value, double seconds)
{
    const int32_t ms = to_ms(seconds);
    if (input_.window == 0) {
        output_.queue.add(value, ms);
        return;
    }
    Sample_queue<uint8_t>& in = input_.queue;
    in.add(value, ms);
    uint8_t x = and_mode_ ? 1 : 0;
    for (size_t i = 0; i < in.size(); ++i) {
        const uint8_t v = in.at(i).value;
        if (and_mode_ && v == 0) {
            x = 0;
            break;
        }
        if (!and_mode_ && v != 0) {
            x = v;
            break;
        }
    }
    output_.queue.add(x, ms);
}

uint8_t On_off_delay::output() const
{
    return output_.queue.empty() ? 0 : output_.queue.at(0).value;
}

uint8_t On_off_delay::first_other(uint8_t v) const
{
    for (size_t i = 0; i < output_.queue.size(); ++i)
        if (output_.queue.at(i).value != v)
            return output_.queue.at(i).value;
    return v;
}
