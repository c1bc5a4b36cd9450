#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// Every state of a folder that a power cut could leave while the code under
// test writes in it, rebuilt from what that code syncs. Through File_util's
// sync seam it sees each sync of a file or of the folder, and reads the
// folder at that moment:
// - a change of a name (made, renamed over, removed) is durable once the
//   folder has been synced after it; until then a power cut may keep or
//   undo each such change, in any combination;
// - data written into a file that stays is durable once the file is synced.
// The files a replace writes beside its target (".new." in the name) are
// left out: nothing reads them.
//
// One at a time; the seam is the test's while this lives.
class Crash_states {
public:
    using Folder = std::map<std::string, std::vector<uint8_t>>;

    explicit Crash_states(std::string folder);
    ~Crash_states();
    Crash_states(const Crash_states&) = delete;
    Crash_states& operator=(const Crash_states&) = delete;

    // Every state a power cut could have left since this was made, the
    // folder as it is now included.
    std::vector<Folder> all();
    // The states a power cut now could leave.
    std::vector<Folder> now();
    // The changes each sync of the folder made durable, in order: "-name"
    // for a removal, "+name" for a name made or replaced.
    const std::vector<std::vector<std::string>>& folder_syncs() const { return folder_syncs_; }

    // Puts the state in place of what the folder holds.
    static void write(const std::string& folder, const Folder& state);
    static Folder read(const std::string& folder);

private:
    static int on_sync(int fd);
    void seen(const std::string& path);
    std::vector<Folder> possible() const;

    std::string folder_;
    Folder durable_;
    std::set<Folder> states_;
    std::vector<std::vector<std::string>> folder_syncs_;
};
