#pragma once
#include <string>

// One kx4 per set of files: an advisory lock on a file in the data folder,
// held for as long as the process lives. The kernel lets go of it when the
// process ends, however it ends, so a crash leaves nothing to clean up.
class Instance_lock {
public:
    static constexpr const char* file_name = "kx4.lock";

    enum Outcome {
        taken,           // this process holds the lock
        held_by_another, // another process holds it
        no_lock,         // the file cannot be made or locked: nothing to go by
    };

    Instance_lock() = default;
    ~Instance_lock();
    Instance_lock(const Instance_lock&) = delete;
    Instance_lock& operator=(const Instance_lock&) = delete;

    // Takes the lock on the file in the folder (made when missing) and writes
    // this process's id into it; says so when it cannot. Called once.
    Outcome take(const std::string& folder);

private:
    int fd_ = -1;
};
