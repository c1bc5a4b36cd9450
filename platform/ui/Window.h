#pragma once
#include "platform/ui/Stat_collector.h"

#include <cstdint>
#include <vector>

// What shows on the VT and takes the operator's keys: the soft keys and
// buttons it binds through its Activators, and the Stats of its values.
class Window : public Stat_collector {
public:
    class Activator;
    class Activator_event;

    Window() = default;
    ~Window() override;

    // A bound soft key or button was operated: code 0 pressed, 1 released.
    virtual bool handle_activator_event(Activator&, Activator_event&) { return false; }

    const std::vector<Activator*>& get_activators() const { return activators_; }

private:
    friend class Activator;
    void add_activator(Activator* activator);
    void remove_activator(Activator* activator);

    std::vector<Activator*> activators_;
};
