#pragma once
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// A program run by a test as a child process: its standard input is
// /dev/null or fed by the test, its standard output and error are read
// through one pipe. A process still running when this goes is killed, and
// so is one whose starter dies without running the destructor (the kernel
// kills it when the thread that started it ends).
class Spawned_process {
public:
    enum class Input {
        none, // /dev/null
        fed,  // what write_input sends, until close_input
    };

    // arguments[0] is the program's path; settings ("NAME=value") are added
    // to this process's environment, replacing a variable of the same name.
    Spawned_process(const std::vector<std::string>& arguments, const std::vector<std::string>& settings = {},
                    Input input = Input::none);
    ~Spawned_process();
    Spawned_process(const Spawned_process&) = delete;
    Spawned_process& operator=(const Spawned_process&) = delete;

    // Reads the output until it holds the text (true) or the time is up or
    // the output ends (false).
    bool wait_for_output(const std::string& text, int timeout_ms);
    // Reads the output to its end and collects the process; its exit status,
    // or nothing when it ended by a signal or did not end in time.
    std::optional<int> wait_for_exit(int timeout_ms);
    // Sends the text to the standard input; false when it is not fed or the
    // process no longer reads it.
    bool write_input(const std::string& text);
    // Ends the standard input: the process reads its end.
    void close_input();
    void send_signal(int signal);
    // Sends the signal and waits for the end: the exit status, or -1.
    int stop(int signal, int timeout_ms = 10000);
    // The next line of output not yet taken (without its line end); false
    // at the end of the output or after timeout_ms.
    bool read_line(std::string& line, int timeout_ms = 10000);

    const std::string& output() const { return output_; }
    pid_t pid() const { return pid_; }

private:
    // Reads what arrives before the deadline; false once the output has ended.
    bool read_some(int timeout_ms);

    pid_t pid_ = -1;
    int fd_ = -1;
    int input_fd_ = -1;
    std::string output_;
    size_t lines_taken_ = 0; // where read_line goes on
};
