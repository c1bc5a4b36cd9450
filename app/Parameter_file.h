#pragma once
#include "platform/data/NV_file_iterator.h"

#include <string>

namespace NV_quvel {
class parameters_t;
}

// The parameter tree's file "params" and its backup "params.bak" in one
// folder. A save writes "params" beside the old one, synced and renamed over
// it, and only a save that succeeded refreshes the backup, from the file as
// read back and checked. A load falls back to the backup when "params" is
// missing, torn or corrupt, and reads the backup itself when it cannot be put
// in place; when both are bad the tree keeps what it holds, and the files are
// renamed with the suffix ".damaged", so that no save overwrites them. At the first
// start, with neither file there, the load saves the factory defaults.
// Used from one thread.
class Parameter_file {
public:
    static constexpr const char* default_folder = "/var/data/kx4/cache/";
    static constexpr const char* damaged_suffix = ".damaged";

    // folder ends in '/'.
    Parameter_file(NV_quvel::parameters_t& parameters, const std::string& folder);

    // Makes the folder when it is missing; false, after saying so, when it cannot.
    bool create_folder() const;

    // Writes the whole tree, then refreshes the backup; false, after saying
    // so, when the file could not be written (the backup is then untouched).
    bool save();
    // Reads the tree from "params", restoring "params" from the backup when it
    // cannot be read, at most twice. With neither file there, saves the tree
    // as it stands instead. False, after saying so, when neither file could
    // be read (those that are there are then kept as "*.damaged"), or the
    // first save failed.
    bool load();
    // Every parameter back to its factory default, non-VT display mode as
    // given; tells every listener and saves.
    void reset(bool non_vtt_mode);

    // Copies a parameter file whose contents check out, so that a power cut
    // leaves the old target or the new one; false when the source is
    // missing or bad, or the target cannot be written.
    static bool copy(const std::string& from, const std::string& to);

    const std::string& get_path() const { return path_; }
    const std::string& get_backup_path() const { return backup_path_; }

private:
    // One read of "params"; false, after saying why, when it gave nothing.
    bool read_params();
    static void say_problem(const NV_store::NV_file_iterator& file);
    // Renames a file that is there to its name with the damaged suffix.
    void keep_damaged(const std::string& path);

    NV_quvel::parameters_t& parameters_;
    const std::string folder_;
    const std::string path_;
    const std::string backup_path_;
    NV_store::NV_file_iterator iterator_;
};
