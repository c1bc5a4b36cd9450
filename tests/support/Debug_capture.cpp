#include "tests/support/Debug_capture.h"
#include "platform/rtos/Debug_base.h"

Debug_capture::Debug_capture()
{
    Debug_print::set_sink([this](const char* text) {
        std::lock_guard<std::mutex> lock(mutex_);
        text_ += text;
    });
}

Debug_capture::~Debug_capture()
{
    Debug_print::set_sink(nullptr);
}

std::string Debug_capture::text() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
}

void Debug_capture::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    text_.clear();
}
