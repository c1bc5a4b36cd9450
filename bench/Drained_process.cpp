#include "bench/Drained_process.h"

#include <csignal>

namespace {
// Long enough for any benchmark: the drain ends when the program does.
constexpr int drain_ms = 24 * 3600 * 1000;
}

Drained_process::Drained_process(const std::vector<std::string>& arguments, const std::string& ready_text,
                                 int timeout_ms)
    : process_(arguments), pid_(process_.pid()), ready_(process_.wait_for_output(ready_text, timeout_ms)),
      start_output_(process_.output())
{
    // From here on only this thread touches the process object.
    drain_ = std::thread([this] {
        process_.wait_for_exit(drain_ms);
        ended_ = true;
    });
}

Drained_process::~Drained_process()
{
    if (pid_ > 0 && !ended_) // once it has ended, its number may be another's
        kill(pid_, SIGTERM);
    drain_.join();
}
