#pragma once

namespace CDS {

// Told of every write that touches the lookup item it is attached to (the
// remote data-store server attaches one to each item it watches).
class Event_handler {
public:
    virtual void signal_event(bool changed) = 0;

protected:
    ~Event_handler() = default;
};

}
