#include "platform/can/Mem_can_bus.h"

Mem_can_bus::Mem_can_bus(const std::string& name) : hub_(Mem_bus_hub::get(name))
{
    hub_->attach(this);
}

Mem_can_bus::~Mem_can_bus()
{
    hub_->detach(this);
}

bool Mem_can_bus::send(const Can_frame& frame)
{
    if (frame.dlc > 8)
        return false;
    hub_->send(this, frame);
    return true;
}
