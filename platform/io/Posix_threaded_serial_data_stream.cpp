#include "platform/io/Posix_threaded_serial_data_stream.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Diner.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {
// How long a write waits for room in a full line before it gives up, so that
// a far side that stopped reading never blocks the owner for long.
constexpr int write_wait_ms = 100;
}

Posix_threaded_serial_data_stream::~Posix_threaded_serial_data_stream()
{
    close();
}

bool Posix_threaded_serial_data_stream::open(const char* device)
{
    close();
    device_ = device ? device : "";
    problem_.clear();
    // Non-blocking, so that neither a missing carrier nor a full line blocks.
    int fd = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        problem_ = std::string("cannot open it: ") + std::strerror(errno);
        return false;
    }
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        problem_ = std::string("not a serial line: ") + std::strerror(errno);
        ::close(fd);
        return false;
    }
    // Raw: frames are binary, so no character may be translated, echoed or
    // taken as a signal or flow control.
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        problem_ = std::string("cannot set the line raw: ") + std::strerror(errno);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    overrun_ = false;
    connected_ = true;
    std::lock_guard<std::mutex> lock(waiter_mutex_);
    if (waiter_)
        waiter_->watch(fd_, this);
    return true;
}

bool Posix_threaded_serial_data_stream::init(module_man* manager)
{
    modules_ = std::make_unique<module_man>(manager ? *manager : *Diner_info_list::get());
    module_id_ = modules_->register_module("Serial");
    return module_id_ > 0;
}

void Posix_threaded_serial_data_stream::register_waiter(waiter_descriptor* waiter)
{
    {
        std::lock_guard<std::mutex> lock(waiter_mutex_);
        if (waiter_ && fd_ >= 0)
            waiter_->unwatch(fd_);
        waiter_ = waiter;
        if (waiter_ && fd_ >= 0 && connected_)
            waiter_->watch(fd_, this);
    }
    if (bytes_avail(1))
        post_event(event_data);
}

void Posix_threaded_serial_data_stream::close()
{
    {
        // Once unwatched, no wait reads the descriptor any more.
        std::lock_guard<std::mutex> lock(waiter_mutex_);
        if (waiter_ && fd_ >= 0)
            waiter_->unwatch(fd_);
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    connected_ = false;
}

bool Posix_threaded_serial_data_stream::__write(const uint8_t* bytes, size_t n)
{
    if (fd_ < 0 || (!bytes && n))
        return false;
    size_t done = 0;
    while (done < n) {
        ssize_t written = ::write(fd_, bytes + done, n - done);
        if (written > 0) {
            done += size_t(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        pollfd p{fd_, POLLOUT, 0};
        if (written < 0 && errno == EAGAIN && ::poll(&p, 1, write_wait_ms) > 0)
            continue;
        return false;
    }
    return true;
}

bool Posix_threaded_serial_data_stream::on_input(waiter_event& event, bool& done)
{
    uint8_t chunk[default_capacity];
    ssize_t n = ::read(fd_, chunk, sizeof chunk);
    if (n > 0) {
        size_t kept = store(chunk, size_t(n));
        if (kept < size_t(n) && !overrun_)
            Debug_print::dprint("Serial port %s: receive buffer full, bytes lost\n", device_.c_str());
        overrun_ = kept < size_t(n);
        // Also when nothing fitted: the owner must get to empty its buffer.
        event = waiter_event{module_id_, event_data, nullptr, nullptr};
        return true;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return false;
    // A hang-up (nothing to read although the line woke us) or an error such
    // as EIO: the far side has gone, and this descriptor never comes back.
    Debug_print::dprint("Serial port %s: the far side has gone (%s), reading stops\n", device_.c_str(),
                        n == 0 ? "hang-up" : std::strerror(errno));
    connected_ = false;
    done = true;
    event = waiter_event{module_id_, event_gone, nullptr, nullptr};
    return true;
}

void Posix_threaded_serial_data_stream::post_event(uint32_t code)
{
    std::lock_guard<std::mutex> lock(waiter_mutex_);
    if (waiter_)
        waiter_->post(waiter_event{module_id_, code, nullptr, nullptr});
}
