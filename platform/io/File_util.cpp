#include "platform/io/File_util.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace File_util {

namespace {

Sync_function sync_function = ::fsync;

std::string reason(const std::string& step, const std::string& path)
{
    return step + " " + path + ": " + std::strerror(errno);
}

bool write_all(int fd, const unsigned char* data, size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

std::string folder_of(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}

Replaced replace(const std::string& path, const void* data, size_t size)
{
    // Unique, so that two writers of one file never share a new file.
    std::string fresh = path + ".new.XXXXXX";
    int fd = ::mkostemp(&fresh[0], O_CLOEXEC);
    if (fd < 0)
        return {Replaced::create, reason("cannot create a new file beside", path)};
    if (::fchmod(fd, 0644) != 0 || !write_all(fd, static_cast<const unsigned char*>(data), size)) {
        Replaced failed{Replaced::write, reason("cannot write", fresh)};
        ::close(fd);
        ::unlink(fresh.c_str());
        return failed;
    }
    return put_in_place(fd, fresh, path);
}

Replaced put_in_place(int fd, const std::string& fresh, const std::string& path)
{
    Replaced outcome;
    if (sync(fd) != 0)
        outcome = {Replaced::write, reason("cannot sync", fresh)};
    if (::close(fd) != 0 && outcome.ok())
        outcome = {Replaced::write, reason("cannot write", fresh)};
    if (outcome.ok() && ::rename(fresh.c_str(), path.c_str()) != 0)
        outcome = {Replaced::rename, reason("cannot rename " + fresh + " to", path)};
    if (!outcome.ok()) {
        ::unlink(fresh.c_str());
        return outcome;
    }
    if (!sync_folder(folder_of(path)))
        return {Replaced::sync_folder, reason("cannot sync the folder of", path)};
    return outcome;
}

bool sync_folder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = sync(fd) == 0;
    const int saved_errno = errno;
    ::close(fd);
    errno = saved_errno;
    return ok;
}

int sync(int fd)
{
    return sync_function(fd);
}

void set_sync_function(Sync_function sync)
{
    sync_function = sync ? sync : ::fsync;
}

bool make_folders(const std::string& path, std::string& error)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        std::string above = folder_of(path.back() == '/' ? path.substr(0, path.size() - 1) : path);
        if (above != path && above != "." && above != "/" && !make_folders(above, error))
            return false;
        if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
            error = reason("cannot make folder", path);
            return false;
        }
    }
    // Also after EEXIST: a file may stand where the folder should be.
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        errno = ENOTDIR;
        error = reason("cannot make folder", path);
        return false;
    }
    return true;
}

}
