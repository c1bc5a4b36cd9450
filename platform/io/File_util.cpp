#include "platform/io/File_util.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace File_util {

namespace {

std::string reason(const char* step, const std::string& path)
{
    return std::string(step) + " " + path + ": " + std::strerror(errno);
}

bool write_all(int fd, const unsigned char* data, size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
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

bool sync_folder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}

bool replace(const std::string& path, const void* data, size_t size, std::string& error)
{
    const std::string fresh = path + ".new";
    int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = reason("cannot create", fresh);
        return false;
    }
    bool ok = write_all(fd, static_cast<const unsigned char*>(data), size) && ::fsync(fd) == 0;
    if (!ok)
        error = reason("cannot write", fresh);
    if (::close(fd) != 0 && ok) {
        error = reason("cannot write", fresh);
        ok = false;
    }
    if (ok && ::rename(fresh.c_str(), path.c_str()) != 0) {
        error = reason("cannot rename it to", path);
        ok = false;
    }
    if (!ok) {
        ::unlink(fresh.c_str());
        return false;
    }
    if (!sync_folder(folder_of(path))) {
        error = reason("cannot sync the folder of", path);
        return false;
    }
    return true;
}

bool make_folders(const std::string& path, std::string& error)
{
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return true;
        errno = ENOTDIR;
        error = reason("cannot make folder", path);
        return false;
    }
    std::string above = folder_of(path.back() == '/' ? path.substr(0, path.size() - 1) : path);
    if (above != path && above != "." && above != "/" && !make_folders(above, error))
        return false;
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
        error = reason("cannot make folder", path);
        return false;
    }
    return true;
}

}
