#include "tests/support/Fake_slave.h"
#include "tests/support/Fake_slave_monitor.h"
#include "tests/support/Fake_slave_replies.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {
using Fake_slave_replies::hex;

uint8_t sum_of(const uint8_t* bytes, size_t n)
{
    unsigned sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += bytes[i];
    return uint8_t(sum);
}

std::string time_of_day()
{
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec, int(ms));
    return text;
}
}

Fake_slave::Fake_slave(Settings settings, Log log)
    : settings_(std::move(settings)), log_(std::move(log)), silent_(settings_.silent), echo_(settings_.echo)
{
}

Fake_slave::~Fake_slave()
{
    stop();
}

bool Fake_slave::start(std::string& error)
{
    auto fail = [&](const std::string& what) {
        error = what + ": " + std::strerror(errno);
        stop();
        return false;
    };
    master_fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_fd_ < 0)
        return fail("cannot open a pseudo-terminal");
    char name[128];
    if (grantpt(master_fd_) != 0 || unlockpt(master_fd_) != 0 || ptsname_r(master_fd_, name, sizeof name) != 0)
        return fail("cannot unlock the pseudo-terminal");
    device_ = name;
    slave_fd_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios settings{};
    if (slave_fd_ < 0 || tcgetattr(slave_fd_, &settings) != 0)
        return fail("cannot open " + device_);
    cfmakeraw(&settings);
    if (tcsetattr(slave_fd_, TCSANOW, &settings) != 0)
        return fail("cannot make " + device_ + " raw");
    // A reply the line cannot take is lost rather than blocking the fake.
    fcntl(master_fd_, F_SETFL, fcntl(master_fd_, F_GETFL) | O_NONBLOCK);
    if (!settings_.link.empty()) {
        struct stat st {};
        if (lstat(settings_.link.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                errno = EEXIST;
                return fail(settings_.link + " exists and is no link");
            }
            unlink(settings_.link.c_str());
        }
        if (symlink(device_.c_str(), settings_.link.c_str()) != 0)
            return fail("cannot make the link " + settings_.link);
    }
    wake_fd_ = eventfd(0, EFD_CLOEXEC);
    if (wake_fd_ < 0)
        return fail("cannot make an eventfd");
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void Fake_slave::stop()
{
    if (thread_.joinable()) {
        stopping_ = true;
        uint64_t one = 1;
        ssize_t n = write(wake_fd_, &one, sizeof one);
        (void)n;
        thread_.join();
    }
    for (int* fd : {&wake_fd_, &slave_fd_, &master_fd_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    if (!settings_.link.empty() && !device_.empty()) {
        char target[128] = {};
        ssize_t n = readlink(settings_.link.c_str(), target, sizeof target - 1);
        if (n > 0 && device_ == std::string(target, size_t(n)))
            unlink(settings_.link.c_str());
    }
    received_.clear();
}

void Fake_slave::run()
{
    while (!stopping_) {
        pollfd fds[2] = {{master_fd_, POLLIN, 0}, {wake_fd_, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0)
            continue; // a signal
        if (stopping_)
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        uint8_t chunk[256];
        ssize_t n = read(master_fd_, chunk, sizeof chunk);
        if (n <= 0)
            continue;
        received_.insert(received_.end(), chunk, chunk + n);
        handle_received();
    }
}

void Fake_slave::set_silent(int address, bool silent)
{
    switch_address(silent_, address, silent);
}

void Fake_slave::set_stalled(int address, bool stalled)
{
    switch_address(stalled_, address, stalled);
}

void Fake_slave::switch_address(std::set<int>& addresses, int address, bool on)
{
    std::lock_guard<std::mutex> lock(switches_mutex_);
    if (on)
        addresses.insert(address);
    else
        addresses.erase(address);
}

void Fake_slave::set_echo(bool echo)
{
    std::lock_guard<std::mutex> lock(switches_mutex_);
    echo_ = echo;
}

void Fake_slave::handle_received()
{
    std::vector<uint8_t> skipped;
    const auto take = [this](size_t n) {
        std::vector<uint8_t> frame(received_.begin(), received_.begin() + long(n));
        received_.erase(received_.begin(), received_.begin() + long(n));
        return frame;
    };
    const auto report_skipped = [&] {
        if (!skipped.empty())
            log("skipped " + std::to_string(skipped.size()) + " bytes: " + hex(skipped));
        skipped.clear();
    };
    while (received_.size() >= 2) {
        if (received_[0] == 'S') {
            // The weigh-scale request: text of a fixed length.
            const size_t n = Fake_slave_replies::scale_request_length;
            if (received_.size() < n)
                break;
            const std::vector<uint8_t> text(received_.begin(), received_.begin() + long(n));
            if (Fake_slave_replies::is_scale_request(text)) {
                report_skipped();
                handle_scale_request(take(n));
                continue;
            }
        }
        const uint8_t destination = received_[0];
        const size_t length = received_[1];
        const bool plausible = destination >= first_address && destination <= last_address && length >= 4 && length < 32;
        if (plausible && received_.size() < length + 1)
            break; // the rest is still on its way
        if (plausible && sum_of(received_.data(), length) == received_[length]) {
            report_skipped();
            handle_frame(take(length + 1));
            continue;
        }
        skipped.push_back(received_[0]);
        received_.erase(received_.begin());
    }
    report_skipped();
}

void Fake_slave::handle_frame(const std::vector<uint8_t>& frame)
{
    const uint8_t address = frame[0];
    const uint8_t source = frame[2];
    const uint8_t command = frame[3];
    std::string line = "request to " + std::to_string(address) + " command " + std::to_string(command) + ": " + hex(frame);
    const std::string words = Fake_slave_replies::describe(frame);
    if (!words.empty())
        line += " (" + words + ")";
    if (source != controller_address) {
        log(line + " -> ignored, not from the controller");
        return;
    }
    {
        std::lock_guard<std::mutex> lock(switches_mutex_);
        if (silent_.count(address)) {
            log(line + " -> silent");
            return;
        }
    }
    bool stalled = false;
    {
        std::lock_guard<std::mutex> lock(switches_mutex_);
        stalled = stalled_.count(address) != 0;
    }
    std::vector<uint8_t> reply;
    if (stalled && Fake_slave_replies::is_drive_target(frame))
        reply = Fake_slave_replies::stalled_drive_reply(frame);
    else if (!fake_monitor_reply(frame, reply))
        reply = Fake_slave_replies::reply_to(frame);
    answer(frame, reply, line);
}

void Fake_slave::handle_scale_request(const std::vector<uint8_t>& text)
{
    answer(text, Fake_slave_replies::scale_reply_to(text),
           "request to scale " + std::string(1, char(text[2])) + ": " + Fake_slave_replies::printable(text));
}

void Fake_slave::answer(const std::vector<uint8_t>& request, const std::vector<uint8_t>& reply, std::string line)
{
    bool echo = false;
    {
        std::lock_guard<std::mutex> lock(switches_mutex_);
        echo = echo_;
    }
    if (echo) {
        write_all(request);
        std::this_thread::sleep_for(std::chrono::milliseconds(echo_pause_ms));
        line += " -> echo";
    }
    write_all(reply);
    const bool text = !reply.empty() && reply[0] == 'S';
    log(line + " -> reply " + (text ? Fake_slave_replies::printable(reply) : hex(reply)));
}

void Fake_slave::write_all(const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(master_fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            log("line full, lost: " + hex(std::vector<uint8_t>(bytes.begin() + long(done), bytes.end())));
            return;
        }
        done += size_t(n);
    }
}

void Fake_slave::log(const std::string& text)
{
    const std::string line = time_of_day() + " " + text;
    if (log_) {
        log_(line);
        return;
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}
