#include "platform/rtos/Diner.h"
#include "platform/rtos/Bugger.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <pthread.h>
#include <string>

namespace {
// Timer state of every task: short critical sections, never held while a
// handler runs.
std::mutex& timer_mutex()
{
    static auto* m = new std::mutex; // never destroyed: static tasks and timers use it at exit
    return *m;
}
}

Timeout::Timeout(bool repeating, int period_ms) : repeating_(repeating), period_ms_(period_ms) {}

Timeout::~Timeout()
{
    std::lock_guard<std::mutex> lock(timer_mutex());
    if (owner_)
        owner_->disarm_locked(*this);
}

void Timeout::set_period(int ms)
{
    std::lock_guard<std::mutex> lock(timer_mutex());
    period_ms_ = ms;
}

int Timeout::get_period() const
{
    std::lock_guard<std::mutex> lock(timer_mutex());
    return period_ms_;
}

bool Timeout::is_armed() const
{
    std::lock_guard<std::mutex> lock(timer_mutex());
    return owner_ != nullptr;
}

Atime Timeout::get_deadline() const
{
    std::lock_guard<std::mutex> lock(timer_mutex());
    return deadline_;
}

Diner::Diner() = default;

Diner::~Diner()
{
    if (is_running())
        terminate(1, 1000);
    std::lock_guard<std::mutex> lock(timer_mutex());
    for (Timeout* t : timers_)
        t->owner_ = nullptr;
    timers_.clear();
}

bool Diner::init(module_man* manager, void*, const char* name, int, int, bool, bool)
{
    // A second init gives the first one's modules back.
    modules_ = std::make_unique<module_man>(manager ? *manager : *Diner_info_list::get());
    std::strncpy(name_, name ? name : "", max_name);
    name_[max_name] = '\0';
    module_id_ = modules_->register_module(name_);
    return module_id_ > 0;
}

bool Diner::start()
{
    if (is_running())
        return false;
    stop_requested_ = false;
    finished_ = false;
    thread_ = std::thread([this] { run(); });
    std::string thread_name = ("vrm." + std::string(name_)).substr(0, 15); // the kernel keeps 15 characters
    pthread_setname_np(thread_.native_handle(), thread_name.c_str());
    return true;
}

void Diner::stop()
{
    stop_requested_ = true;
    waiter_.wake();
}

namespace {
// The payload of the event that stop_via_event queues.
char stop_event_marker;
}

void Diner::stop_via_event()
{
    if (!is_running())
        return;
    waiter_.post(waiter_event{module_id_, 0, &stop_event_marker, nullptr});
    if (thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

bool Diner::terminate(int tries, int timeout_ms)
{
    if (!is_running())
        return true;
    if (thread_.get_id() == std::this_thread::get_id())
        Bugger::report_bug("Diner::terminate called from the task's own thread");
    stop();
    bool ended = false;
    {
        std::unique_lock<std::mutex> lock(finish_mutex_);
        for (int i = 0; i < std::max(tries, 1) && !ended; ++i)
            ended = finished_cv_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [this] { return finished_; });
    }
    if (!ended)
        Debug_print::dprint("Diner %s: task did not end within %d x %d ms, still waiting\n", name_, tries, timeout_ms);
    thread_.join();
    return ended;
}

void Diner::set_runner(std::thread::id runner)
{
    std::lock_guard<std::mutex> lock(timer_mutex());
    runner_ = runner;
    has_wake_at_ = false;
}

void Diner::run()
{
    set_runner(std::this_thread::get_id());
    diner_start();
    while (!stop_requested_) {
        Atime now = Atime::now();
        if (Timeout* due = take_due(now)) {
            handle_timeout(*due);
            continue;
        }
        Atime deadline;
        bool has_deadline = plan_sleep(deadline);
        waiter_event event;
        if (waiter_.wait_once(event, has_deadline ? &deadline : nullptr))
            dispatch(event);
    }
    diner_stop();
    set_runner(std::thread::id());
    std::lock_guard<std::mutex> lock(finish_mutex_);
    finished_ = true;
    finished_cv_.notify_all();
}

int Diner::run_pending()
{
    if (is_running())
        Bugger::report_bug("Diner::run_pending on a started task");
    set_runner(std::this_thread::get_id());
    int count = 0;
    for (;;) {
        if (Timeout* due = take_due(Atime::now())) {
            handle_timeout(*due);
        } else {
            waiter_event event;
            if (!waiter_.poll(event)) {
                set_runner(std::thread::id());
                return count;
            }
            dispatch(event);
        }
        ++count;
    }
}

void Diner::dispatch(waiter_event& event)
{
    if (event.data == &stop_event_marker)
        stop_requested_ = true;
    else if (event.listener)
        handle_listener_event(event);
    else
        handle_event(event);
}

void Diner::handle_listener_event(waiter_event& event)
{
    event.listener->handle_listener_event(event);
}

void Diner::submit_timeout(Timeout& t)
{
    submit_timeout_at(t, Atime::now() + Rtime(t.get_period()));
}

void Diner::submit_timeout(Timeout& t, int period_ms)
{
    t.set_period(period_ms);
    submit_timeout(t);
}

void Diner::submit_timeout_at(Timeout& t, Atime deadline)
{
    bool wake;
    {
        std::lock_guard<std::mutex> lock(timer_mutex());
        if (t.owner_)
            t.owner_->disarm_locked(t);
        t.owner_ = this;
        t.deadline_ = deadline;
        t.sequence_ = next_sequence_++;
        timers_.push_back(&t);
        // A transport re-arms its timer on every packet it handles: on the
        // task's own thread that must cost no wake-up.
        wake = runner_ != std::this_thread::get_id() && (!has_wake_at_ || deadline < wake_at_);
    }
    if (wake)
        waiter_.wake();
}

void Diner::remove_timeout(Timeout& t)
{
    std::lock_guard<std::mutex> lock(timer_mutex());
    if (t.owner_ == this)
        disarm_locked(t);
}

void Diner::disarm_locked(Timeout& t)
{
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &t), timers_.end());
    t.owner_ = nullptr;
}

Timeout* Diner::take_due(Atime now)
{
    std::lock_guard<std::mutex> lock(timer_mutex());
    Timeout* due = nullptr;
    for (Timeout* t : timers_) {
        if (t->deadline_ > now)
            continue;
        if (!due || t->deadline_ < due->deadline_ ||
            (t->deadline_ == due->deadline_ && t->sequence_ < due->sequence_))
            due = t;
    }
    if (!due)
        return nullptr;
    if (due->repeating_) {
        // Keep the period's rhythm; after a stall, skip the missed ticks
        // rather than fire them in a burst.
        Rtime period(std::max(due->period_ms_, 1));
        due->deadline_ += period;
        if (due->deadline_ <= now)
            due->deadline_ = now + period;
        due->sequence_ = next_sequence_++;
    } else {
        disarm_locked(*due);
    }
    return due;
}

bool Diner::plan_sleep(Atime& deadline)
{
    std::lock_guard<std::mutex> lock(timer_mutex());
    has_wake_at_ = !timers_.empty();
    if (!has_wake_at_)
        return false;
    wake_at_ = (*std::min_element(timers_.begin(), timers_.end(),
                                  [](const Timeout* a, const Timeout* b) { return a->deadline_ < b->deadline_; }))
                   ->deadline_;
    deadline = wake_at_;
    return true;
}
