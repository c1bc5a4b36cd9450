#include "platform/data/NV_file_iterator.h"
#include "platform/data/NV_container.h"
#include "platform/rtos/Debug_base.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace NV_store {

namespace {

bool write_all(int fd, const uint8_t* data, size_t size)
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

bool sync_folder_of(const std::string& path)
{
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}

NV_file_iterator::NV_file_iterator(const char* path)
    : path_(path)
{
}

bool NV_file_iterator::set_mode(int mode)
{
    bool ok = true;
    switch (mode) {
    case mode_read:
        readable_ = read_file();
        ok = readable_;
        break;
    case mode_write:
        start_image();
        break;
    case mode_idle:
        if (mode_ == mode_write)
            ok = finish_image() && write_file();
        close();
        break;
    default:
        return false;
    }
    mode_ = mode;
    return ok;
}

bool NV_file_iterator::read_file()
{
    close();
    int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::vector<uint8_t> bytes;
    uint8_t block[16384];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        bytes.insert(bytes.end(), block, block + n);
    }
    ::close(fd);
    // A damaged image leaves nothing to read, so deserialise reports it.
    if (ok)
        open_image(std::move(bytes));
    return ok;
}

bool NV_file_iterator::write_file()
{
    std::string fresh = path_ + ".new";
    const std::vector<uint8_t>& image = get_image();
    int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = fd >= 0;
    if (ok) {
        ok = write_all(fd, image.data(), image.size()) && ::fsync(fd) == 0;
        ok = ::close(fd) == 0 && ok;
    }
    ok = ok && ::rename(fresh.c_str(), path_.c_str()) == 0;
    if (!ok) {
        int error = errno;
        ::unlink(fresh.c_str());
        Debug_print::dprint("Writing parameter file %s failed: %s\n", path_.c_str(), std::strerror(error));
        return false;
    }
    if (!sync_folder_of(path_)) {
        Debug_print::dprint("Syncing the folder of parameter file %s failed: %s\n", path_.c_str(),
                            std::strerror(errno));
        return false;
    }
    return true;
}

bool NV_file_iterator::save(const NV_container& tree, const char* path)
{
    NV_file_iterator it(path);
    it.set_mode(mode_write);
    bool ok = tree.serialise(&it);
    if (!ok)
        it.close(); // nothing of a half-built image reaches the disk
    return it.set_mode(mode_idle) && ok;
}

bool NV_file_iterator::load(NV_container& tree, const char* path)
{
    NV_file_iterator it(path);
    bool ok = it.set_mode(mode_read) && tree.deserialise(&it);
    it.set_mode(mode_idle);
    return ok;
}

}
