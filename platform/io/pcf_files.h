#pragma once
#include <cstddef>
#include <string>

// The persistent file space: one folder, "pcf/" in the platform's data
// folder. Names are the names of files in it.

// Whether the file space can be used, making its folder when missing; the
// volume null is the one file space.
bool pcfIsMounted(const char* volume);
// Whether a file of that name is there.
bool pcfExists(const char* name);
// True when the file is gone afterwards (also when it was not there). The
// removal survives a power cut only once the folder is synced.
bool pcfRemove(const char* name);
// Syncs the folder: the removals so far survive a power cut. False when it cannot.
bool pcfSyncFolder();
// Puts the bytes in place as the whole file so that a power cut leaves the
// old file or the new one, never a part: written beside, synced, renamed.
bool pcfReplace(const char* name, const void* data, size_t size);
// The path of the file space's folder (ending in '/') and of a file in it.
std::string pcf_folder();
std::string pcf_path(const char* name);
