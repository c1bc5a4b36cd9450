#pragma once
#include "platform/rtos/Atime.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>

struct waiter_event;

// An object that handles its own events on the receiving task's thread
// (data-store and parameter listeners). An event that names a listener goes
// to it instead of the task's handle_event.
class Event_listener {
public:
    virtual void handle_listener_event(waiter_event& event) = 0;

protected:
    ~Event_listener() = default;
};

struct waiter_event {
    int module = 0;                     // module id of the sender
    uint32_t code = 0;                  // sender's event word
    void* data = nullptr;               // sender's payload, not owned
    Event_listener* listener = nullptr; // handles the event when set
};

// The owner of a file descriptor that the waiting thread reads itself, so
// that input costs no thread of its own and no hand-over between threads.
class Fd_watcher {
public:
    // Runs on the waiting thread when the descriptor has input or was hung
    // up: true with the event the wait returns. `done` set: the descriptor
    // is watched no more.
    virtual bool on_input(waiter_event& event, bool& done) = 0;

protected:
    ~Fd_watcher() = default;
};

// A task's queue of events. Posting never blocks and never calls the
// receiver; the receiving thread takes events out in the order they were
// posted. An anonymous event can be posted from a signal handler.
class waiter_descriptor {
public:
    waiter_descriptor();
    ~waiter_descriptor();
    waiter_descriptor(const waiter_descriptor&) = delete;
    waiter_descriptor& operator=(const waiter_descriptor&) = delete;

    void post(const waiter_event& event);
    // From now on an event for a listener that equals one still queued is
    // dropped: for receivers whose listeners read the current value when
    // they take the event, so that one event stands for every change before.
    void coalesce_listener_events();
    // While held, events for listeners are queued without waking the
    // receiver: it takes them when something else wakes it, or at once when
    // the hold ends.
    void hold_listener_events(bool hold);

    // Blocks until an event arrives.
    void wait(waiter_event& event);
    // Blocks until an event arrives (true) or the deadline passes (false).
    bool wait(waiter_event& event, Atime deadline);
    // Takes an event if one is queued or the watched descriptor has input;
    // never blocks.
    bool poll(waiter_event& event);
    // Blocks until an event arrives (true), the deadline passes or the waiter
    // is woken without an event (false); no deadline when deadline is null.
    bool wait_once(waiter_event& event, const Atime* deadline);

    // The waits also end when fd has input, which the watcher turns into
    // their event; one descriptor at a time, -1 for none. Once it returns,
    // the watcher it replaced is not running and is not called again.
    void watch(int fd, Fd_watcher* watcher);
    // Ends the watch of fd, if it is the one watched.
    void unwatch(int fd);

    // Makes a thread blocked in wait_once return.
    void wake();
    // Wakes every waiter of the process, for example when a manual clock moves.
    static void wake_all();

    void flush();
    // Drops the queued events that name the listener, before it goes away.
    void purge(const Event_listener* listener);
    size_t pending() const;

    // How often the descriptor was written (wake-ups sent) and read (wake-ups
    // taken), for tests and benchmarks that count wake-ups.
    struct Wake_counts {
        uint64_t writes = 0;
        uint64_t reads = 0;
    };
    Wake_counts wake_counts() const;

    // Async-signal-safe: queues an anonymous event (module 0, code 0) carrying data.
    friend void send_anonymous_event(waiter_descriptor& waiter, void* data);

private:
    bool take(waiter_event& event);
    void signal_fd();
    // What the watched descriptor brought, once poll said it has something.
    bool take_input(int fd, waiter_event& event);
    // The watched descriptor, or -1.
    int watched() const;

    int fd_ = -1; // eventfd that wakes the receiver
    // A wake-up was written and not read yet: further posts need not write.
    std::atomic<bool> signalled_{false};
    std::atomic<uint64_t> writes_{0};
    std::atomic<uint64_t> reads_{0};
    mutable std::mutex mutex_;
    std::deque<waiter_event> queue_;
    bool listeners_coalesced_ = false; // under mutex_
    bool listeners_held_ = false;      // under mutex_
    std::array<std::atomic<void*>, 8> anonymous_{};
    // Held while the watcher runs, so that a watch ended elsewhere waits for it.
    mutable std::mutex watch_mutex_;
    int watch_fd_ = -1;
    Fd_watcher* watcher_ = nullptr;
};

void send_anonymous_event(waiter_descriptor& waiter, void* data);
