#pragma once
#include "platform/rtos/Atime.h"
#include "platform/rtos/Timeout.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A long-lived task: one thread with its own waiter and timers. The thread
// runs handle_event for each queued event and handle_timeout for each due
// Timeout, one at a time, in order, between diner_start and diner_stop.
class Diner {
public:
    static constexpr int max_name = 20;

    Diner();
    virtual ~Diner(); // a task still running is stopped and joined
    Diner(const Diner&) = delete;
    Diner& operator=(const Diner&) = delete;

    // Names the task (at most 20 characters kept) and registers its module;
    // manager null means the process's manager. The queue never fills and
    // posting never blocks, so the queue and stack sizes and the two flags
    // are accepted for the callers' sake only. False when the module cannot
    // be registered. The task's modules (its own and those registered through
    // get_module_man) go back to the manager when it is destroyed or
    // initialised again.
    bool init(module_man* manager, void* selector, const char* name, int queue_size, int stack_size,
              bool flag1, bool flag2);

    bool start();
    // Asks the thread to end after the event or timeout it is handling.
    void stop();
    // Queues a stop behind the events already queued, so that they are
    // handled first, and waits for the thread to end (from another thread).
    void stop_via_event();
    // Stops the thread and joins it: waits up to tries x timeout_ms for it to
    // end, says so when it does not, and then waits for it regardless.
    bool terminate(int tries, int timeout_ms);
    bool is_running() const { return thread_.joinable(); }

    // A change made on the task's own thread wakes no one: the thread looks
    // at its timers again before it sleeps. From another thread, the task is
    // woken when the new deadline comes before the one it sleeps towards.
    void submit_timeout(Timeout& t);                 // due after its period
    void submit_timeout(Timeout& t, int period_ms);  // sets the period first
    void submit_timeout_at(Timeout& t, Atime deadline);
    void remove_timeout(Timeout& t);

    // Runs the queued events and due timeouts on the calling thread, for tests
    // that step a manual clock. The task must not be started. Returns how many ran.
    int run_pending();

    waiter_descriptor& get_waiter() { return waiter_; }
    const char* get_name() const { return name_; }
    int get_module_id() const { return module_id_; }
    module_man* get_module_man() const { return modules_.get(); }

protected:
    virtual void diner_start() {}
    virtual void diner_stop() {}
    virtual void handle_event(waiter_event&) {}
    // An event that names a listener; by default the listener takes it.
    virtual void handle_listener_event(waiter_event& event);
    // A timeout removed or destroyed on another thread just as it falls due
    // may still be handled once, so a handler only compares the reference
    // with its own timeouts and reaches nothing through it.
    virtual void handle_timeout(Timeout&) {}

private:
    friend class Timeout;
    void run();
    void dispatch(waiter_event& event);
    // Takes the earliest due timeout off the list (re-arming a repeating one).
    Timeout* take_due(Atime now);
    // The earliest deadline, noted as the one the thread sleeps towards.
    bool plan_sleep(Atime& deadline);
    void disarm_locked(Timeout& t);
    void set_runner(std::thread::id runner);

    char name_[max_name + 1] = {};
    int module_id_ = 0;
    std::unique_ptr<module_man> modules_;
    waiter_descriptor waiter_;
    // Guarded by the process-wide timer lock.
    std::vector<Timeout*> timers_;
    uint64_t next_sequence_ = 0;
    std::thread::id runner_;     // the thread running the handlers, if any
    bool has_wake_at_ = false;   // the thread sleeps towards wake_at_; else until an event
    Atime wake_at_;
    std::thread thread_;
    std::atomic<bool> stop_requested_{false};
    std::mutex finish_mutex_;
    std::condition_variable finished_cv_;
    bool finished_ = false;
};

class Diner_info_list {
public:
    // The process's module manager.
    static module_man* get();
};
