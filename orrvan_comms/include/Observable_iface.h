#pragma once
#include <functional>
#include <memory>

namespace Next_gen {

// A value of type T that belongs to an owner seen as I, watched by observers.
// Observers are shared callable objects; an observer is identified by the
// callable it points to. They are called from the owner's 10 ms tick, never
// at the moment the value changes.
template <class I, class T>
class Observable_iface {
public:
    using Observer = std::shared_ptr<std::function<void(const I&, const T&)>>;

    virtual ~Observable_iface() = default;

    // Every observer receives the current value on the next tick.
    virtual void register_observer(Observer observer) = 0;
    virtual void deregister_observer(Observer observer) = 0;
    virtual T get_value() const = 0;
    // The current value; the reference stays valid until this thread's next
    // conversion of an observable of the same kind.
    virtual operator const T&() const = 0;
    virtual void tick() = 0;
    // Intervals are in milliseconds, multiples of the 10 ms tick.
    virtual void set_on_time_update_interval(unsigned millisec) = 0;
    virtual void set_min_on_change_update_interval(unsigned millisec) = 0;
    virtual void set_change_threshold(T threshold) = 0;
};

}
