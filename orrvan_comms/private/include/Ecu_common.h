#pragma once
#include "orrvan_comms/include/Observable_iface.h"
#include "orrvan_comms/include/Observer_triggers_iface.h"
#include "orrvan_comms/private/include/Ecu_assert.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace Next_gen {

// The library's debug channel on the process's debug printer.
constexpr int DEBUG_MODULE = 122;

// Period of the library's tick; every interval the library takes in
// milliseconds is counted in these ticks.
constexpr unsigned TICK_INTERVAL_MS = 10;

inline unsigned millisec_to_tick(unsigned millisec)
{
    ECU_ASSERT(millisec % TICK_INTERVAL_MS == 0);
    return millisec / TICK_INTERVAL_MS;
}

// The library's observable value. Writers inside the library change it with
// set_value from any thread; the holder's tick, on the "EcuManager" task,
// calls the observers when a delivery is due: after a change, after a
// registration and every on-time interval. Changes are delivered only when no
// on-time interval was set before the last registration, and never once a
// change threshold is set (the threshold itself filters nothing).
//
// The value, the pending flag, the delivery flags and the intervals are
// atomics: the application sets intervals and registers from its own thread
// while the task ticks. The mutex guards only the observer list; tick only
// tries it, so a delivery that meets a registration in progress waits for a
// later tick instead of blocking the task.
template <class I, class T>
class Observable_impl : public Observable_iface<I, T> {
public:
    using Observer = typename Observable_iface<I, T>::Observer;

    // The owner is handed to every observer and told of on-time intervals
    // when it implements Observer_triggers_iface<I, T>.
    explicit Observable_impl(I* owner) : m_owner(owner) {}
    Observable_impl(const Observable_impl&) = delete;
    Observable_impl& operator=(const Observable_impl&) = delete;

    void register_observer(Observer observer) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_observers.push_back(std::move(observer));
            m_notify_on_change = m_on_time_interval_ms == 0;
        }
        m_pending = true;
    }

    void deregister_observer(Observer observer) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto found = std::find_if(m_observers.begin(), m_observers.end(),
                                  [&](const Observer& o) { return o.get() == observer.get(); });
        if (found != m_observers.end())
            m_observers.erase(found);
        if (!m_observers.empty())
            return;
        // Nobody listens any more: the owner may stop the reports it asked for.
        if (m_on_time_active) {
            if (auto* triggers = owner_triggers())
                triggers->set_on_time_update_interval(m_owner, nullptr, 0);
            m_on_time_active = false;
        }
        m_notify_on_change = false;
    }

    T get_value() const override { return m_value.load(); }

    operator const T&() const override
    {
        // The value lives in an atomic, which hands out no reference: give
        // one to a per-thread copy instead.
        static thread_local T snapshot;
        snapshot = get_value();
        return snapshot;
    }

    void tick() override
    {
        const unsigned countdown = m_on_time_countdown;
        if (countdown != 0) {
            m_on_time_countdown = countdown - 1;
        } else if (const unsigned interval = m_on_time_interval_ms; interval != 0) {
            m_on_time_countdown = millisec_to_tick(interval) - 1;
            m_pending = true;
        }
        if (!m_pending)
            return;
        std::unique_lock<std::mutex> lock(m_mutex, std::try_to_lock);
        if (!lock.owns_lock())
            return;
        m_pending = false;
        const T value = get_value();
        if (!m_owner)
            return;
        for (const Observer& observer : m_observers)
            (*observer)(*m_owner, value);
    }

    void set_on_time_update_interval(unsigned millisec) override
    {
        const unsigned ticks = millisec_to_tick(millisec);
        m_on_time_interval_ms = millisec;
        // The first on-time delivery falls on the interval's last tick.
        m_on_time_countdown = ticks == 0 ? 0 : ticks - 1;
        m_on_time_active = true;
        if (auto* triggers = owner_triggers())
            triggers->set_on_time_update_interval(m_owner, nullptr, millisec);
    }

    void set_min_on_change_update_interval(unsigned millisec) override
    {
        m_min_on_change_interval_ms = millisec;
    }

    void set_change_threshold(T threshold) override
    {
        m_change_threshold = threshold;
        m_threshold_set = true;
    }

    // The only way the value changes.
    void set_value(T value)
    {
        const T old = m_value.exchange(value);
        if (old != value && m_notify_on_change && !m_threshold_set)
            m_pending = true;
    }

private:
    Observer_triggers_iface<I, T>* owner_triggers() const
    {
        return dynamic_cast<Observer_triggers_iface<I, T>*>(m_owner);
    }

    std::atomic<bool> m_notify_on_change{false};
    std::atomic<bool> m_on_time_active{false};
    std::atomic<bool> m_threshold_set{false};
    std::atomic<T> m_value{T()};
    std::atomic<T> m_change_threshold{T()};
    I* const m_owner;
    std::mutex m_mutex;
    std::atomic<bool> m_pending{false};
    std::vector<Observer> m_observers;
    std::atomic<unsigned> m_on_time_interval_ms{0};
    std::atomic<unsigned> m_min_on_change_interval_ms{0};
    std::atomic<unsigned> m_on_time_countdown{0};
};

}
