#include "platform/rtos/waiter_descriptor.h"
#include "platform/rtos/Bugger.h"

#include <algorithm>
#include <poll.h>
#include <set>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {
// Never destroyed: static waiters leave it at exit, after every function-local static.
std::mutex& registry_mutex()
{
    static auto* m = new std::mutex;
    return *m;
}
std::set<waiter_descriptor*>& registry()
{
    static auto* r = new std::set<waiter_descriptor*>;
    return *r;
}
}

waiter_descriptor::waiter_descriptor()
{
    fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd_ < 0)
        Bugger::report_bug("waiter_descriptor: cannot create eventfd");
    for (auto& slot : anonymous_)
        slot.store(nullptr);
    std::lock_guard<std::mutex> lock(registry_mutex());
    registry().insert(this);
}

waiter_descriptor::~waiter_descriptor()
{
    {
        std::lock_guard<std::mutex> lock(registry_mutex());
        registry().erase(this);
    }
    close(fd_);
}

// Lock-free, so that a signal handler may post.
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<uint64_t>::is_always_lock_free);

void waiter_descriptor::signal_fd()
{
    if (signalled_.exchange(true))
        return; // the receiver has a wake-up to read still, and takes this event with the others
    writes_.fetch_add(1, std::memory_order_relaxed);
    uint64_t one = 1;
    ssize_t n = write(fd_, &one, sizeof one);
    (void)n; // a full counter already means "wake up"
}

void waiter_descriptor::post(const waiter_event& event)
{
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (event.listener && listeners_coalesced_) {
            const auto same = [&event](const waiter_event& queued) {
                return queued.listener == event.listener && queued.module == event.module &&
                       queued.code == event.code && queued.data == event.data;
            };
            if (std::find_if(queue_.begin(), queue_.end(), same) != queue_.end())
                return;
        }
        queue_.push_back(event);
        wake = !(event.listener && listeners_held_);
    }
    if (wake)
        signal_fd();
}

void waiter_descriptor::coalesce_listener_events()
{
    std::lock_guard<std::mutex> lock(mutex_);
    listeners_coalesced_ = true;
}

void waiter_descriptor::hold_listener_events(bool hold)
{
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wake = listeners_held_ && !hold && !queue_.empty();
        listeners_held_ = hold;
    }
    if (wake)
        signal_fd();
}

void send_anonymous_event(waiter_descriptor& waiter, void* data)
{
    for (auto& slot : waiter.anonymous_) {
        void* expected = nullptr;
        if (slot.compare_exchange_strong(expected, data))
            break;
    }
    waiter.signal_fd();
}

bool waiter_descriptor::take(waiter_event& event)
{
    for (auto& slot : anonymous_) {
        void* data = slot.exchange(nullptr);
        if (data) {
            event = waiter_event{};
            event.data = data;
            return true;
        }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (queue_.empty())
        return false;
    event = queue_.front();
    queue_.pop_front();
    return true;
}

bool waiter_descriptor::poll(waiter_event& event)
{
    if (take(event))
        return true;
    const int input = watched();
    pollfd p{input, POLLIN, 0};
    return input >= 0 && ::poll(&p, 1, 0) > 0 && take_input(input, event);
}

void waiter_descriptor::watch(int fd, Fd_watcher* watcher)
{
    {
        std::lock_guard<std::mutex> lock(watch_mutex_);
        watch_fd_ = watcher ? fd : -1;
        watcher_ = watch_fd_ >= 0 ? watcher : nullptr;
    }
    wake(); // a thread that waits already polls the old descriptor
}

void waiter_descriptor::unwatch(int fd)
{
    std::lock_guard<std::mutex> lock(watch_mutex_);
    if (fd >= 0 && fd == watch_fd_) {
        watch_fd_ = -1;
        watcher_ = nullptr;
    }
}

int waiter_descriptor::watched() const
{
    std::lock_guard<std::mutex> lock(watch_mutex_);
    return watch_fd_;
}

bool waiter_descriptor::take_input(int fd, waiter_event& event)
{
    std::lock_guard<std::mutex> lock(watch_mutex_);
    // Polled before the watch changed: the new one waits for the next poll.
    if (fd != watch_fd_)
        return false;
    bool done = false;
    const bool got = watcher_->on_input(event, done);
    if (done) {
        watch_fd_ = -1;
        watcher_ = nullptr;
    }
    return got;
}

bool waiter_descriptor::wait_once(waiter_event& event, const Atime* deadline)
{
    if (take(event))
        return true;
    int timeout_ms = -1;
    if (deadline) {
        Atime now = Atime::now();
        if (now >= *deadline)
            return false;
        // A manual clock only moves when a test advances it, and that wakes us.
        if (!Manual_clock::active())
            timeout_ms = int(std::min<int64_t>((*deadline - now).ms(), 60000));
    }
    const int input = watched();
    pollfd p[2] = {{fd_, POLLIN, 0}, {input, POLLIN, 0}};
    // A signal or a wake-up ends it early; the callers loop. Only a wake-up
    // is read: a plain time-out leaves the descriptor alone.
    const int ready = ::poll(p, input >= 0 ? 2 : 1, timeout_ms);
    if (ready > 0 && (p[0].revents & POLLIN)) {
        uint64_t count;
        ssize_t n = read(fd_, &count, sizeof count);
        (void)n;
        reads_.fetch_add(1, std::memory_order_relaxed);
        // Only now may a post write again: one coming before this finds its
        // event taken below.
        signalled_.store(false);
    }
    if (take(event))
        return true;
    return ready > 0 && input >= 0 && p[1].revents != 0 && take_input(input, event);
}

void waiter_descriptor::wait(waiter_event& event)
{
    while (!wait_once(event, nullptr)) {
    }
}

bool waiter_descriptor::wait(waiter_event& event, Atime deadline)
{
    while (Atime::now() < deadline) {
        if (wait_once(event, &deadline))
            return true;
    }
    return take(event);
}

void waiter_descriptor::wake()
{
    signal_fd();
}

void waiter_descriptor::wake_all()
{
    std::lock_guard<std::mutex> lock(registry_mutex());
    for (waiter_descriptor* w : registry())
        w->wake();
}

void waiter_descriptor::flush()
{
    for (auto& slot : anonymous_)
        slot.store(nullptr);
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.clear();
}

void waiter_descriptor::purge(const Event_listener* listener)
{
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(),
                                [listener](const waiter_event& e) { return e.listener == listener; }),
                 queue_.end());
}

waiter_descriptor::Wake_counts waiter_descriptor::wake_counts() const
{
    return Wake_counts{writes_.load(std::memory_order_relaxed), reads_.load(std::memory_order_relaxed)};
}

size_t waiter_descriptor::pending() const
{
    size_t n = 0;
    for (auto& slot : anonymous_)
        n += slot.load() != nullptr;
    std::lock_guard<std::mutex> lock(mutex_);
    return n + queue_.size();
}
