#pragma once
#include <cstddef>
#include <string>

// Files that must survive a power cut at any moment.
namespace File_util {

// How a replace went: the step that failed, if any, and why.
struct Replaced {
    enum Failure { none, create, write, rename, sync_folder };
    Failure failure = none;
    std::string error; // the step, the file and the system's reason
    bool ok() const { return failure == none; }
};

// Replaces the file's contents so that a power cut leaves either the old file
// or the new one: the data goes to a new file of a unique name beside path,
// is synced, renamed over path, and the folder is synced. When a step fails
// the new file is removed and the old file stays, unless only the folder
// sync failed.
Replaced replace(const std::string& path, const void* data, size_t size);

// The sync that replace calls on the new file and then on its folder. Tests
// put their own here to see what is synced, or to make a sync fail; null
// brings back fsync. Not for use while another thread replaces a file.
using Sync_function = int (*)(int fd);
void set_sync_function(Sync_function sync);

// Makes the folder and every missing folder above it. False, with the reason
// in error, when one cannot be made or a file stands in the way.
bool make_folders(const std::string& path, std::string& error);

}
