#include "tests/support/Spawned_process.h"
#include "platform/rtos/Atime.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<std::string> environment_with(const std::vector<std::string>& settings)
{
    std::vector<std::string> variables;
    for (char** v = environ; *v; ++v) {
        bool replaced = false;
        for (const std::string& s : settings)
            replaced = replaced || std::strncmp(*v, s.c_str(), s.find('=') + 1) == 0;
        if (!replaced)
            variables.emplace_back(*v);
    }
    variables.insert(variables.end(), settings.begin(), settings.end());
    return variables;
}

std::vector<char*> pointers_to(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(&text[0]);
    pointers.push_back(nullptr);
    return pointers;
}

}

Spawned_process::Spawned_process(const std::vector<std::string>& arguments, const std::vector<std::string>& settings,
                                 Input input_kind)
{
    std::vector<std::string> argument_texts = arguments;
    std::vector<std::string> environment = environment_with(settings);
    std::vector<char*> argv = pointers_to(argument_texts);
    std::vector<char*> envp = pointers_to(environment);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    // A socket pair rather than a pipe: a write to a process that has gone
    // fails instead of raising SIGPIPE in the test.
    int input[2] = {-1, -1};
    if (input_kind == Input::fed && socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, input) != 0) {
        close(fds[0]);
        close(fds[1]);
        return;
    }
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        // Killed with its starter too, also when that is killed or dies of
        // a closed output pipe and never runs the destructor.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        dup2(fds[1], 1);
        dup2(fds[1], 2);
        dup2(input_kind == Input::fed ? input[1] : open("/dev/null", O_RDONLY), 0);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(fds[1]);
    fd_ = fds[0];
    if (input_kind == Input::fed) {
        close(input[1]);
        input_fd_ = input[0];
    }
}

Spawned_process::~Spawned_process()
{
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (fd_ >= 0)
        close(fd_);
    close_input();
}

bool Spawned_process::read_some(int timeout_ms)
{
    if (fd_ < 0)
        return false;
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeout_ms) <= 0)
        return true;
    char buffer[4096];
    ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n <= 0) {
        close(fd_);
        fd_ = -1;
        return false;
    }
    output_.append(buffer, size_t(n));
    return true;
}

bool Spawned_process::wait_for_output(const std::string& text, int timeout_ms)
{
    const Atime deadline = Atime::now() + Rtime(timeout_ms);
    while (output_.find(text) == std::string::npos) {
        const Atime now = Atime::now();
        if (now >= deadline || !read_some(int((deadline - now).ms())))
            return output_.find(text) != std::string::npos;
    }
    return true;
}

std::optional<int> Spawned_process::wait_for_exit(int timeout_ms)
{
    const Atime deadline = Atime::now() + Rtime(timeout_ms);
    for (Atime now = Atime::now(); now < deadline && read_some(int((deadline - now).ms())); now = Atime::now()) {
    }
    if (pid_ <= 0 || fd_ >= 0)
        return std::nullopt; // still writing: taken as still running
    int status = 0;
    if (waitpid(pid_, &status, 0) != pid_)
        return std::nullopt;
    pid_ = -1;
    return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
}

bool Spawned_process::write_input(const std::string& text)
{
    for (size_t sent = 0; sent < text.size();) {
        ssize_t n = input_fd_ >= 0 ? send(input_fd_, text.data() + sent, text.size() - sent, MSG_NOSIGNAL) : -1;
        if (n < 0 && errno != EINTR)
            return false;
        sent += n > 0 ? size_t(n) : 0;
    }
    return true;
}

void Spawned_process::close_input()
{
    if (input_fd_ >= 0)
        close(input_fd_);
    input_fd_ = -1;
}

void Spawned_process::send_signal(int signal)
{
    if (pid_ > 0)
        kill(pid_, signal);
}

int Spawned_process::stop(int signal, int timeout_ms)
{
    send_signal(signal);
    return wait_for_exit(timeout_ms).value_or(-1);
}

bool Spawned_process::read_line(std::string& line, int timeout_ms)
{
    const Atime deadline = Atime::now() + Rtime(timeout_ms);
    for (;;) {
        const size_t end = output_.find('\n', lines_taken_);
        if (end != std::string::npos) {
            line = output_.substr(lines_taken_, end - lines_taken_);
            lines_taken_ = end + 1;
            return true;
        }
        const Atime now = Atime::now();
        if (now >= deadline || !read_some(int((deadline - now).ms())))
            return false;
    }
}
