#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

// A folder of its own under /tmp for the whole run of a fuzz target,
// removed at exit; empty when it cannot be made.
inline std::string scratch_folder()
{
    static char folder[] = "/tmp/kx4_fuzz_XXXXXX";
    if (!mkdtemp(folder))
        return {};
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    return folder;
}
