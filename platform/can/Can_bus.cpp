#include "platform/can/Can_bus.h"

void Can_bus::set_receiver(Receiver receiver, Restored restored)
{
    std::lock_guard<std::mutex> lock(receiver_mutex_);
    receiver_ = std::move(receiver);
    restored_ = std::move(restored);
}

void Can_bus::deliver(const Can_frame& frame)
{
    std::lock_guard<std::mutex> lock(receiver_mutex_);
    if (receiver_)
        receiver_(frame);
}

void Can_bus::restored()
{
    std::lock_guard<std::mutex> lock(receiver_mutex_);
    if (restored_)
        restored_();
}
