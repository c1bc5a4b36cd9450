#pragma once
#include "platform/io/Data_stream.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

// A serial line read by the thread that waits on the registered waiter: its
// wait reads what arrived into the stream's buffer and returns a data event,
// or a gone event when the far side has gone away. No thread of its own and
// no hand-over: each reply costs the owner one wake-up. Bytes wait in the
// line while no waiter is registered. Opening, writing and closing belong to
// one thread (the owner's), which may open the line again.
class Posix_threaded_serial_data_stream : public Data_stream, private Fd_watcher {
public:
    // The codes of the events.
    static constexpr uint32_t event_data = 1;
    static constexpr uint32_t event_gone = 2;

    Posix_threaded_serial_data_stream() = default;
    ~Posix_threaded_serial_data_stream() override; // closes

    // Opens the device as a raw line (8 bits, no translation, no echo, read
    // time-out 0: a read returns what has arrived) and starts reading it.
    // False when it cannot be opened or is no terminal: get_problem() says
    // why, and the owner decides whether to tell.
    bool open(const char* device);
    // Why the last open failed ("cannot open it: No such file or directory").
    const std::string& get_problem() const { return problem_; }
    // Registers the stream's module, whose id its data events carry; a null
    // manager means the process's. False when no id is left.
    bool init(module_man* manager);
    int get_module_id() const { return module_id_; }
    // The waiter whose waits read the line (null: none). Bytes already
    // buffered are signalled at once. The waiter must outlive the stream's
    // registration.
    void register_waiter(waiter_descriptor* waiter);
    // Open, and the far side has not gone away.
    bool is_connected() const { return connected_; }
    void close();

    // False when the line is closed or gone, or stays full for a while.
    bool __write(const uint8_t* bytes, size_t n) override;

private:
    // On the waiting thread.
    bool on_input(waiter_event& event, bool& done) override;
    void post_event(uint32_t code);

    std::string device_;
    std::string problem_;
    int fd_ = -1;
    std::atomic<bool> connected_{false};
    std::unique_ptr<module_man> modules_;
    std::atomic<int> module_id_{0};
    std::mutex waiter_mutex_;
    waiter_descriptor* waiter_ = nullptr;
    bool overrun_ = false; // the waiting thread's: the last read did not fit
};
