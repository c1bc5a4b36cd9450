#pragma once

namespace Next_gen {

// Implemented by an owner that wants to know when one of its observables is
// given timing, to pass it on (for example to the ECU as a reporting rate).
// The value pointer is always null.
template <class I, class T>
class Observer_triggers_iface {
public:
    virtual ~Observer_triggers_iface() = default;

    virtual void set_on_time_update_interval(I* owner, T* value, unsigned millisec) = 0;
    virtual void set_min_on_change_update_interval(I* owner, T* value, unsigned millisec) = 0;
    virtual void set_change_threshold(I* owner, T* value, T threshold) = 0;
};

}
