#pragma once
#include <memory>

namespace VT {

class VT_obj;

// The object table an application pool is built on: the caller's, or one of
// the pool's own. As the pool's first base it is there before any object of
// the pool is made and goes after the last is gone, with the table it made.
class Pool_table {
protected:
    // A null table makes one of needed slots. A supplied table of fewer
    // slots is a bug, found before any object is made.
    Pool_table(VT_obj** table, unsigned short size, unsigned short needed);

    VT_obj** get_slots() const { return slots_; }
    unsigned short get_slot_count() const { return slot_count_; }
    bool is_own_table() const { return own_ != nullptr; }

private:
    std::unique_ptr<VT_obj*[]> own_;
    VT_obj** slots_;
    unsigned short slot_count_;
};

}
