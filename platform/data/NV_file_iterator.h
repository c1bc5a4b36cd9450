#pragma once
#include "platform/data/NV_iterator.h"

#include <string>

namespace NV_store {

class NV_container;

// The parameter file on disk. Mode 1 reads the whole file and checks it;
// mode 3 starts a new image in memory, and the following mode 0 writes it:
// to a new file beside the target, synced, renamed over the target, with the
// folder synced after, so that a power cut leaves either the old file or the
// new one. Mode 0 after a read just ends the use.
class NV_file_iterator : public NV_iterator {
public:
    enum Mode { mode_idle = 0, mode_read = 1, mode_write = 3 };

    explicit NV_file_iterator(const char* path);

    // False when a read finds no readable file, or when the write that mode
    // 0 ends fails (the target then keeps its old contents).
    bool set_mode(int mode);
    int get_mode() const { return mode_; }
    // Whether the last read got the whole file off the disk; it stays so
    // through mode 0. Whether the file is sound, deserialise tells; why a
    // read failed or its file is unsound, get_problem.
    bool is_readable() const { return readable_; }
    const std::string& get_path() const { return path_; }

    // One whole save or load of a tree; false when it failed. A failed load
    // changes nothing in the tree.
    static bool save(const NV_container& tree, const char* path);
    static bool load(NV_container& tree, const char* path);

private:
    bool read_file();
    bool write_file();

    std::string path_;
    int mode_ = mode_idle;
    bool readable_ = false;
};

}
