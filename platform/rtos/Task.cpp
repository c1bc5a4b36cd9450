#include "platform/rtos/Task.h"

#include <pthread.h>

Task::Task(const char* name, int, int, int) : name_(std::string(name ? name : "").substr(0, max_name)) {}

Task::~Task()
{
    if (thread_.joinable())
        thread_.detach();
}

bool Task::start(int, void (*entry)(void*), void* arg)
{
    if (thread_.joinable() || !entry)
        return false;
    thread_ = std::thread(entry, arg);
    std::string thread_name = ("vrm." + name_).substr(0, 15); // the kernel keeps 15 characters
    pthread_setname_np(thread_.native_handle(), thread_name.c_str());
    return true;
}

void Task::join()
{
    if (thread_.joinable())
        thread_.join();
}
