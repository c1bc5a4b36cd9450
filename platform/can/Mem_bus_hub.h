#pragma once
#include "platform/can/Can_frame.h"
#include "platform/rtos/Atime.h"

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class Mem_can_bus;

// The wire of an in-process bus ("mem,name=X"): every bus of that name is a
// node on it. A frame goes to every other node at once, on the sender's
// thread, so tests stay deterministic. Switches for tests: drop frames, delay
// them, and record what is sent.
class Mem_bus_hub {
public:
    using Drop_rule = std::function<bool(const Can_frame&)>;

    // The hub of that name, made when no node or holder keeps one alive.
    static std::shared_ptr<Mem_bus_hub> get(const std::string& name);

    // Frames for which the rule is true are lost; an empty rule drops nothing.
    void set_drop_rule(Drop_rule rule);
    // Later frames reach the other nodes only once ms have passed on the
    // process clock: at the next send on this hub or deliver_due(),
    // whichever comes first.
    void set_delay(int ms);
    void deliver_due();
    // Keeps a copy of every frame sent (dropped ones too) while on.
    void set_recording(bool on);
    std::vector<Can_frame> recorded() const;

    explicit Mem_bus_hub(std::string name);
    ~Mem_bus_hub();

private:
    friend class Mem_can_bus;
    struct Pending {
        Can_frame frame;
        const Mem_can_bus* sender;
        Atime due;
    };

    void attach(Mem_can_bus* node);
    void detach(Mem_can_bus* node);
    void send(const Mem_can_bus* sender, const Can_frame& frame);
    void deliver_due_locked();
    void fan_out_locked(const Mem_can_bus* sender, const Can_frame& frame);

    const std::string name_;
    mutable std::recursive_mutex mutex_; // a drop rule may look at recorded()
    std::vector<Mem_can_bus*> nodes_;
    Drop_rule drop_;
    int delay_ms_ = 0;
    std::deque<Pending> pending_;
    bool recording_ = false;
    std::vector<Can_frame> recorded_;
};
