#include "app/Instance_lock.h"
#include "platform/io/File_util.h"
#include "platform/rtos/Debug_base.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

Instance_lock::Outcome cannot_lock(const std::string& path, const std::string& reason)
{
    Debug_print::dprint("Cannot lock %s (%s): a second kx4 on these files would go unnoticed\n", path.c_str(),
                        reason.c_str());
    return Instance_lock::no_lock;
}

// " (process N)" as the holder wrote it into the file, or nothing while it has not yet.
std::string holder_of(int fd)
{
    char text[24] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    const std::string pid(text, size_t(n > 0 ? n : 0));
    const size_t end = pid.find('\n');
    return end == 0 || end == std::string::npos ? "" : " (process " + pid.substr(0, end) + ")";
}

}

Instance_lock::~Instance_lock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Instance_lock::Outcome Instance_lock::take(const std::string& folder)
{
    const std::string path = folder + file_name;
    std::string error;
    if (!File_util::make_folders(folder, error))
        return cannot_lock(path, error);
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0)
        return cannot_lock(path, std::strerror(errno));
    int locked;
    do
        locked = ::flock(fd_, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0 && errno != EWOULDBLOCK)
        return cannot_lock(path, std::strerror(errno));
    if (locked != 0) {
        Debug_print::dprint("Another kx4%s already runs on the files in %s: this one ends\n", holder_of(fd_).c_str(),
                            folder.c_str());
        ::close(fd_);
        fd_ = -1;
        return held_by_another;
    }
    // Who holds it, for the message of the next one.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd_, 0) != 0 || ::pwrite(fd_, pid.data(), pid.size(), 0) != ssize_t(pid.size()))
        Debug_print::dprint("Cannot write this process's id into %s: %s\n", path.c_str(), std::strerror(errno));
    return taken;
}
