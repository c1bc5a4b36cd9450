#pragma once
#include <string>
#include <thread>

// A plain named thread, for work that is not event driven (the console).
class Task {
public:
    static constexpr int max_name = 20;

    // The stack size and the two settings are the real framework's; threads
    // here take the system's defaults.
    Task(const char* name, int stack_size, int setting1, int setting2);
    ~Task(); // a thread still running is left to end with the process
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;

    // Starts entry(arg) on a thread named "vrm." followed by the task name.
    bool start(int priority, void (*entry)(void*), void* arg);
    void join();
    const std::string& get_name() const { return name_; }

private:
    std::string name_;
    std::thread thread_;
};
