#include "platform/can/Can_bus.h"

void Can_bus::set_receiver(Receiver receiver)
{
    std::lock_guard<std::mutex> lock(receiver_mutex_);
    receiver_ = std::move(receiver);
}

void Can_bus::deliver(const Can_frame& frame)
{
    std::lock_guard<std::mutex> lock(receiver_mutex_);
    if (receiver_)
        receiver_(frame);
}
