#include "tests/support/Child_process.h"

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

Child_result run_in_child(const std::function<void()>& body)
{
    Child_result result;
    int fds[2];
    if (pipe(fds) != 0)
        return result;
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        dup2(fds[1], 2);
        close(fds[0]);
        close(fds[1]);
        body();
        std::fflush(nullptr);
        _exit(0);
    }
    close(fds[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        result.output.append(buffer, size_t(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.exited = WIFEXITED(status);
    result.exit_status = result.exited ? WEXITSTATUS(status) : 0;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}
