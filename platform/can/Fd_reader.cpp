#include "platform/can/Fd_reader.h"
#include "platform/rtos/Bugger.h"

#include <poll.h>
#include <pthread.h>
#include <string>
#include <sys/eventfd.h>
#include <unistd.h>

Fd_reader::Fd_reader()
{
    wake_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_fd_ < 0)
        Bugger::report_bug("Fd_reader: cannot create eventfd");
}

Fd_reader::~Fd_reader()
{
    stop();
    close(wake_fd_);
}

void Fd_reader::start(int fd, std::function<bool()> on_input, const char* name)
{
    stop();
    stopping_ = false;
    thread_ = std::thread([this, fd, on_input = std::move(on_input)] { run(fd, on_input); });
    pthread_setname_np(thread_.native_handle(), std::string(name).substr(0, 15).c_str());
}

void Fd_reader::stop()
{
    if (!thread_.joinable())
        return;
    stopping_ = true;
    uint64_t one = 1;
    ssize_t n = write(wake_fd_, &one, sizeof one);
    (void)n;
    thread_.join();
    uint64_t count;
    n = read(wake_fd_, &count, sizeof count);
    (void)n;
}

void Fd_reader::run(int fd, const std::function<bool()>& on_input)
{
    while (!stopping_) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {wake_fd_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0)
            continue; // interrupted by a signal
        if (stopping_)
            return;
        if (fds[0].revents && !on_input())
            return;
    }
}
