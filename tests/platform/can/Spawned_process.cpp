#include "tests/platform/can/Spawned_process.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <future>
#include <unistd.h>

Spawned_process::Spawned_process(const std::vector<std::string>& argv)
{
    int pipe_fds[2];
    if (pipe2(pipe_fds, O_CLOEXEC) < 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(pipe_fds[1], STDOUT_FILENO);
        int null = open("/dev/null", O_RDONLY);
        dup2(null, STDIN_FILENO);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(pipe_fds[1]);
    out_fd_ = pipe_fds[0];
}

Spawned_process::~Spawned_process()
{
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (out_fd_ >= 0)
        close(out_fd_);
}

bool Spawned_process::read_line(std::string& line, int timeout_ms)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return true;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{out_fd_, POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, int(left.count())) != 1)
            return false;
        char buf[1024];
        ssize_t n = read(out_fd_, buf, sizeof buf);
        if (n <= 0)
            return false;
        pending_.append(buf, size_t(n));
    }
}

int Spawned_process::stop(int signal, int timeout_ms)
{
    if (pid_ <= 0)
        return -1;
    pid_t pid = pid_;
    pid_ = -1;
    auto ended = std::async(std::launch::async, [pid] {
        int status = 0;
        waitpid(pid, &status, 0);
        return status;
    });
    kill(pid, signal);
    if (ended.wait_for(std::chrono::milliseconds(timeout_ms)) != std::future_status::ready) {
        kill(pid, SIGKILL);
        ended.get();
        return -1;
    }
    int status = ended.get();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
