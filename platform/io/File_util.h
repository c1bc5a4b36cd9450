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

// The end of a replace for a file written beside path by its owner (fresh,
// open as fd): synced, closed, renamed over path and the folder synced. The
// descriptor is closed in every case; when a step before the rename fails,
// fresh is removed.
Replaced put_in_place(int fd, const std::string& fresh, const std::string& path);

// Syncs the folder itself, so that the files made, renamed or removed in it
// so far survive a power cut. False, with errno set, when it cannot.
bool sync_folder(const std::string& folder);

// Syncs a file's data through the sync function: 0, or -1 with errno set.
int sync(int fd);

// The sync that every function here calls on files and folders. Tests put
// their own here to see what is synced, or to make a sync fail; null brings
// back fsync. Not for use while another thread writes a file.
using Sync_function = int (*)(int fd);
void set_sync_function(Sync_function sync);

// Makes the folder and every missing folder above it. False, with the reason
// in error, when one cannot be made or a file stands in the way.
bool make_folders(const std::string& path, std::string& error);

}
