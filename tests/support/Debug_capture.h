#pragma once
#include <mutex>
#include <string>

// Collects the process's debug output while it lives.
class Debug_capture {
public:
    Debug_capture();
    ~Debug_capture();
    Debug_capture(const Debug_capture&) = delete;
    Debug_capture& operator=(const Debug_capture&) = delete;

    std::string text() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::string text_;
};
