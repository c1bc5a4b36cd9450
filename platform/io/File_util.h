#pragma once
#include <cstddef>
#include <string>

// Files that must survive a power cut at any moment.
namespace File_util {

// Replaces the file's contents so that a power cut leaves either the old file
// or the new one: the data goes to path + ".new", is synced, renamed over
// path, and the folder is synced. False, with the reason in error, when a
// step fails; the old file then stays, unless only the folder sync failed.
bool replace(const std::string& path, const void* data, size_t size, std::string& error);

// Makes the folder and every missing folder above it. False, with the reason
// in error, when one cannot be made or a file stands in the way.
bool make_folders(const std::string& path, std::string& error);

}
