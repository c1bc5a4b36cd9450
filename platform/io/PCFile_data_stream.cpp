#include "platform/io/PCFile_data_stream.h"
#include "platform/io/File_util.h"
#include "platform/io/pcf_files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

PCFile_data_stream::PCFile_data_stream() = default;

PCFile_data_stream::~PCFile_data_stream()
{
    close();
}

bool PCFile_data_stream::open(const char* name, int flags)
{
    close();
    drop_all();
    failed_ = false;
    if (!name || !*name) {
        error_ = ENOENT;
        return false;
    }
    fd_ = ::open(pcf_path(name).c_str(), flags | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    return true;
}

bool PCFile_data_stream::open_read(const char* name, int)
{
    writing_ = false;
    return open(name, O_RDONLY);
}

bool PCFile_data_stream::open_write(const char* name, int mode)
{
    writing_ = true;
    int flags = O_WRONLY;
    if (mode & create)
        flags |= O_CREAT;
    flags |= (mode & append) ? O_APPEND : O_TRUNC;
    return open(name, flags);
}

bool PCFile_data_stream::close()
{
    if (fd_ < 0)
        return !failed_;
    if (writing_ && File_util::sync(fd_) != 0) {
        error_ = errno;
        failed_ = true;
    }
    if (::close(fd_) != 0 && !failed_) {
        error_ = errno;
        failed_ = true;
    }
    fd_ = -1;
    return !failed_;
}

bool PCFile_data_stream::__write(const uint8_t* bytes, size_t n)
{
    if (fd_ < 0 || !writing_) {
        error_ = EBADF;
        failed_ = true;
        return false;
    }
    while (n > 0) {
        const ssize_t written = ::write(fd_, bytes, n);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error_ = written < 0 ? errno : EIO;
            failed_ = true;
            return false;
        }
        bytes += written;
        n -= size_t(written);
    }
    return true;
}

size_t PCFile_data_stream::fill()
{
    if (fd_ < 0 || writing_)
        return 0;
    uint8_t chunk[512];
    const size_t room = get_capacity() - bytes_avail();
    const size_t want = room < sizeof chunk ? room : sizeof chunk;
    if (want == 0)
        return 0;
    ssize_t n;
    do
        n = ::read(fd_, chunk, want);
    while (n < 0 && errno == EINTR);
    return n > 0 ? store(chunk, size_t(n)) : 0;
}

const char* PCFile_data_stream::get_error() const
{
    return std::strerror(error_);
}
