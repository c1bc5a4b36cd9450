#pragma once
#include "platform/can/Can_bus.h"
#include "platform/can/Mem_bus_hub.h"

#include <memory>

// A node on an in-process bus (Mem_bus_hub).
class Mem_can_bus : public Can_bus {
public:
    explicit Mem_can_bus(const std::string& name);
    ~Mem_can_bus() override;

    bool send(const Can_frame& frame) override;
    Mem_bus_hub& hub() { return *hub_; }

private:
    friend class Mem_bus_hub;
    void receive(const Can_frame& frame) { deliver(frame); }

    std::shared_ptr<Mem_bus_hub> hub_;
};
