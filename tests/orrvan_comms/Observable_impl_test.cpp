#include "orrvan_comms/private/include/Ecu_common.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <future>
#include <thread>
#include <utility>
#include <vector>

using namespace Next_gen;

namespace {

class Test_owner {
public:
    virtual ~Test_owner() = default;
};

// An owner that wants to hear of the timing given to its observables.
class Triggered_owner : public Test_owner, public Observer_triggers_iface<Test_owner, unsigned> {
public:
    std::vector<unsigned> intervals_told;

    void set_on_time_update_interval(Test_owner* owner, unsigned* value, unsigned millisec) override
    {
        EXPECT_EQ(owner, static_cast<Test_owner*>(this));
        EXPECT_EQ(value, nullptr);
        intervals_told.push_back(millisec);
    }
    void set_min_on_change_update_interval(Test_owner*, unsigned*, unsigned) override
    {
        ADD_FAILURE() << "an observable never passes on its minimum on-change interval";
    }
    void set_change_threshold(Test_owner*, unsigned*, unsigned) override
    {
        ADD_FAILURE() << "an observable never passes on its threshold";
    }
};

using Observable = Observable_impl<Test_owner, unsigned>;
using Observer = Observable::Observer;
using Delivery = std::pair<int, unsigned>; // tick number, value delivered

// Records what its observers receive, by tick number.
struct Recorder {
    const Test_owner* expected_owner = nullptr;
    int tick = 0;
    std::vector<Delivery> seen;

    Observer observer()
    {
        return std::make_shared<std::function<void(const Test_owner&, const unsigned&)>>(
            [this](const Test_owner& owner, const unsigned& value) {
                EXPECT_EQ(&owner, expected_owner);
                seen.emplace_back(tick, value);
            });
    }
};

struct Change {
    int before_tick;
    unsigned value;
};

// Ticks 1 to count, applying each change just before its tick.
void run_ticks(Observable& observable, Recorder& recorder, int count, const std::vector<Change>& changes)
{
    for (int n = 1; n <= count; ++n) {
        for (const Change& c : changes)
            if (c.before_tick == n)
                observable.set_value(c.value);
        recorder.tick = n;
        observable.tick();
    }
}

TEST(Observable_impl, delivers_on_the_tick_after_registration_changes_and_on_time_intervals)
{
    struct Case {
        const char* what;
        std::function<void(Observable&, const Observer&)> set_up; // calls made before the first tick
        std::vector<Change> changes;
        int ticks;
        std::vector<Delivery> expected;
    };
    const std::vector<Case> cases = {
        {"registration alone: next tick, then one tick after every real change",
         [](Observable& o, const Observer& r) { o.register_observer(r); },
         {{3, 7}, {6, 7}, {9, 8}},
         12,
         {{1, 0}, {3, 7}, {9, 8}}},
        {"two changes between ticks give one delivery of the latest value",
         [](Observable& o, const Observer& r) { o.register_observer(r); },
         {{4, 1}, {4, 2}},
         6,
         {{1, 0}, {4, 2}}},
        {"a change and a change back before the tick still give one delivery",
         [](Observable& o, const Observer& r) { o.register_observer(r); },
         {{4, 5}, {4, 0}},
         6,
         {{1, 0}, {4, 0}}},
        {"interval before registration (200 ms): ticks 1, 20, 40, 60 and no change is delivered",
         [](Observable& o, const Observer& r) {
             o.set_on_time_update_interval(200);
             o.register_observer(r);
         },
         {{5, 1}, {25, 2}, {45, 3}},
         61,
         {{1, 0}, {20, 1}, {40, 2}, {60, 3}}},
        {"registration before interval: on-time deliveries and changes",
         [](Observable& o, const Observer& r) {
             o.register_observer(r);
             o.set_on_time_update_interval(200);
         },
         {{5, 1}, {25, 2}},
         41,
         {{1, 0}, {5, 1}, {20, 1}, {25, 2}, {40, 2}}},
        {"a 10 ms interval delivers on every tick, once per tick",
         [](Observable& o, const Observer& r) {
             o.set_on_time_update_interval(10);
             o.register_observer(r);
         },
         {{2, 4}},
         3,
         {{1, 0}, {2, 4}, {3, 4}}},
        {"a threshold stops deliveries on change, whatever its value",
         [](Observable& o, const Observer& r) {
             o.register_observer(r);
             o.set_change_threshold(100);
         },
         {{3, 1}, {5, 1000}},
         8,
         {{1, 0}}},
        {"a threshold leaves the on-time deliveries",
         [](Observable& o, const Observer& r) {
             o.register_observer(r);
             o.set_on_time_update_interval(50);
             o.set_change_threshold(0);
         },
         {{2, 4}},
         10,
         {{1, 0}, {5, 4}, {10, 4}}},
        {"an interval of 0 stops the on-time deliveries",
         [](Observable& o, const Observer& r) {
             o.register_observer(r);
             o.set_on_time_update_interval(50);
             o.set_on_time_update_interval(0);
         },
         {{3, 5}},
         20,
         {{1, 0}, {3, 5}}},
        {"the minimum on-change interval filters nothing",
         [](Observable& o, const Observer& r) {
             o.register_observer(r);
             o.set_min_on_change_update_interval(1000);
         },
         {{2, 1}, {3, 2}},
         4,
         {{1, 0}, {2, 1}, {3, 2}}},
        {"changes and intervals without an observer deliver nothing",
         [](Observable& o, const Observer&) { o.set_on_time_update_interval(20); },
         {{2, 1}},
         6,
         {}},
    };
    for (const Case& c : cases) {
        Test_owner owner;
        Observable observable(&owner);
        Recorder recorder;
        recorder.expected_owner = &owner;
        c.set_up(observable, recorder.observer());
        run_ticks(observable, recorder, c.ticks, c.changes);
        EXPECT_EQ(recorder.seen, c.expected) << c.what;
    }
}

TEST(Observable_impl, every_observer_is_called_in_registration_order_and_a_repeated_one_twice)
{
    Test_owner owner;
    Observable observable(&owner);
    std::vector<char> calls;
    auto make = [&calls](char id) {
        return std::make_shared<std::function<void(const Test_owner&, const unsigned&)>>(
            [&calls, id](const Test_owner&, const unsigned&) { calls.push_back(id); });
    };
    Observer a = make('a');
    Observer b = make('b');
    observable.register_observer(a);
    observable.register_observer(b);
    observable.register_observer(a);
    observable.tick();
    EXPECT_EQ(calls, (std::vector<char>{'a', 'b', 'a'}));

    // Deregistering removes the first registration of that callable only.
    calls.clear();
    observable.deregister_observer(a);
    observable.set_value(1);
    observable.tick();
    EXPECT_EQ(calls, (std::vector<char>{'b', 'a'}));
}

TEST(Observable_impl, a_float_nan_counts_as_a_change_every_time_and_minus_zero_does_not)
{
    Test_owner owner;
    Observable_impl<Test_owner, float> observable(&owner);
    std::vector<float> seen;
    observable.register_observer(std::make_shared<std::function<void(const Test_owner&, const float&)>>(
        [&seen](const Test_owner&, const float& v) { seen.push_back(v); }));
    observable.tick();
    ASSERT_EQ(seen.size(), 1u);

    observable.set_value(-0.0f);
    observable.tick();
    EXPECT_EQ(seen.size(), 1u) << "-0.0 equals the 0.0 held";

    for (int i = 0; i < 2; ++i) {
        observable.set_value(NAN);
        observable.tick();
        ASSERT_EQ(seen.size(), size_t(2 + i));
        EXPECT_TRUE(std::isnan(seen.back()));
    }
}

TEST(Observable_impl, the_owner_is_told_each_interval_and_0_when_the_last_observer_leaves)
{
    Triggered_owner owner;
    Observable observable(&owner);
    Recorder recorder;
    recorder.expected_owner = &owner;
    Observer first = recorder.observer();
    Observer second = recorder.observer();
    Observer stranger = recorder.observer();

    observable.set_on_time_update_interval(200);
    EXPECT_EQ(owner.intervals_told, (std::vector<unsigned>{200}));
    observable.register_observer(first);
    observable.register_observer(second);

    // Neither a stranger nor one of two observers leaving quietens anything.
    observable.deregister_observer(stranger);
    observable.deregister_observer(first);
    EXPECT_EQ(owner.intervals_told, (std::vector<unsigned>{200}));
    run_ticks(observable, recorder, 20, {});
    EXPECT_EQ(recorder.seen, (std::vector<Delivery>{{1, 0}, {20, 0}}));

    observable.deregister_observer(second);
    EXPECT_EQ(owner.intervals_told, (std::vector<unsigned>{200, 0}));
    // Deregistering on the empty list tells the owner nothing more.
    observable.deregister_observer(second);
    EXPECT_EQ(owner.intervals_told, (std::vector<unsigned>{200, 0}));
}

TEST(Observable_impl, deregistering_on_an_empty_list_tells_the_owner_only_when_an_interval_was_set)
{
    {
        Triggered_owner owner;
        Observable observable(&owner);
        observable.deregister_observer(nullptr);
        EXPECT_TRUE(owner.intervals_told.empty());
    }
    {
        Triggered_owner owner;
        Observable observable(&owner);
        observable.set_on_time_update_interval(100);
        observable.deregister_observer(nullptr);
        EXPECT_EQ(owner.intervals_told, (std::vector<unsigned>{100, 0}));
    }
}

TEST(Observable_impl, a_new_registration_after_the_last_left_decides_afresh_from_the_stored_interval)
{
    Triggered_owner owner;
    Observable observable(&owner);
    Recorder recorder;
    recorder.expected_owner = &owner;
    Observer observer = recorder.observer();

    // Registered before the interval: changes are delivered.
    observable.register_observer(observer);
    observable.set_on_time_update_interval(50);
    observable.deregister_observer(observer);

    // The interval is still stored, so this registration takes no changes,
    // while the on-time deliveries go on.
    observable.register_observer(observer);
    run_ticks(observable, recorder, 10, {{2, 9}});
    EXPECT_EQ(recorder.seen, (std::vector<Delivery>{{1, 0}, {5, 9}, {10, 9}}));
}

TEST(Observable_impl, set_value_with_the_value_held_makes_nothing_due)
{
    Test_owner owner;
    Observable observable(&owner);
    Recorder recorder;
    recorder.expected_owner = &owner;
    observable.register_observer(recorder.observer());
    run_ticks(observable, recorder, 1, {});
    run_ticks(observable, recorder, 3, {{1, 0}, {2, 0}});
    EXPECT_EQ(recorder.seen.size(), 1u);
}

TEST(Observable_impl, reads_the_current_value_both_ways)
{
    Test_owner owner;
    Observable observable(&owner);
    Observable_iface<Test_owner, unsigned>& iface = observable;
    EXPECT_EQ(iface.get_value(), 0u);
    observable.set_value(42);
    EXPECT_EQ(iface.get_value(), 42u);
    const unsigned& value = iface;
    EXPECT_EQ(value, 42u);
}

TEST(Observable_impl, without_an_owner_observers_are_not_called_and_nothing_breaks)
{
    Observable observable(nullptr);
    Recorder recorder;
    Observer observer = recorder.observer();
    observable.register_observer(observer);
    observable.set_on_time_update_interval(10);
    run_ticks(observable, recorder, 3, {{2, 1}});
    observable.deregister_observer(observer);
    EXPECT_TRUE(recorder.seen.empty());
}

TEST(Observable_impl, a_tick_that_finds_the_observer_list_busy_delivers_on_a_later_tick)
{
    Test_owner owner;
    Observable observable(&owner);
    std::promise<void> inside;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::vector<unsigned> seen;
    bool hold = true;
    // The first delivery, on another thread, holds the list while it waits.
    observable.register_observer(std::make_shared<std::function<void(const Test_owner&, const unsigned&)>>(
        [&](const Test_owner&, const unsigned& v) {
            seen.push_back(v);
            if (hold) {
                hold = false;
                inside.set_value();
                released.wait();
            }
        }));
    std::thread other([&] { observable.tick(); });
    ASSERT_EQ(inside.get_future().wait_for(std::chrono::seconds(30)), std::future_status::ready);

    observable.set_value(5);
    observable.tick(); // the list is held: no delivery now, none lost
    release.set_value();
    other.join();
    EXPECT_EQ(seen, (std::vector<unsigned>{0}));

    observable.tick();
    EXPECT_EQ(seen, (std::vector<unsigned>{0, 5}));
}

TEST(Observable_impl_death, an_interval_that_is_not_a_multiple_of_the_tick_is_a_caller_error)
{
    Test_owner owner;
    Observable observable(&owner);
    EXPECT_DEATH(observable.set_on_time_update_interval(15),
                 "unsigned int Next_gen::millisec_to_tick\\(unsigned int\\): "
                 "Assertion `millisec % TICK_INTERVAL_MS == 0' failed");
}

TEST(millisec_to_tick, counts_milliseconds_in_10_ms_ticks)
{
    EXPECT_EQ(TICK_INTERVAL_MS, 10u);
    EXPECT_EQ(millisec_to_tick(0), 0u);
    EXPECT_EQ(millisec_to_tick(10), 1u);
    EXPECT_EQ(millisec_to_tick(200), 20u);
}

}
