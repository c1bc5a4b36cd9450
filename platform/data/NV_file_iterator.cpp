#include "platform/data/NV_file_iterator.h"
#include "platform/data/NV_container.h"
#include "platform/io/File_util.h"
#include "platform/rtos/Debug_base.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace NV_store {

namespace {
// A parameter file is some tens of kilobytes. Far more is no parameter file,
// and reading it whole could exhaust the memory.
constexpr size_t max_file_size = 16 * 1024 * 1024;
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
    problem_.clear();
    int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        problem_ = std::strerror(errno);
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t block[16384];
    for (;;) {
        ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            problem_ = std::strerror(errno);
        if (n <= 0)
            break;
        if (bytes.size() + size_t(n) > max_file_size) {
            problem_ = "larger than " + std::to_string(max_file_size) + " bytes, no parameter file";
            break;
        }
        bytes.insert(bytes.end(), block, block + n);
    }
    ::close(fd);
    if (!problem_.empty())
        return false;
    // A damaged image leaves nothing to read, so deserialise reports it.
    open_image(std::move(bytes));
    return true;
}

bool NV_file_iterator::write_file()
{
    const std::vector<uint8_t>& image = get_image();
    const File_util::Replaced written = File_util::replace(path_, image.data(), image.size());
    if (!written.ok())
        Debug_print::dprint("Writing parameter file %s failed: %s\n", path_.c_str(), written.error.c_str());
    return written.ok();
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
