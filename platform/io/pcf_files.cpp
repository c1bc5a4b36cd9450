#include "platform/io/pcf_files.h"
#include "platform/io/File_util.h"
#include "platform/rtos/Platform.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

std::string pcf_folder()
{
    return Platform::instance().get_data_dir() + "pcf/";
}

std::string pcf_path(const char* name)
{
    return pcf_folder() + (name ? name : "");
}

bool pcfIsMounted(const char*)
{
    std::string error;
    return File_util::make_folders(pcf_folder(), error);
}

bool pcfExists(const char* name)
{
    struct stat st;
    return name && *name && ::stat(pcf_path(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool pcfRemove(const char* name)
{
    if (!name || !*name)
        return false;
    return ::unlink(pcf_path(name).c_str()) == 0 || errno == ENOENT;
}

bool pcfSyncFolder()
{
    return File_util::sync_folder(pcf_folder());
}

bool pcfReplace(const char* name, const void* data, size_t size)
{
    return name && *name && File_util::replace(pcf_path(name), data, size).ok();
}
