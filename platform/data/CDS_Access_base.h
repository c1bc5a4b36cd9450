#pragma once
#include <cstdint>

namespace CDS {

class Head;

// A byte range of a data store's body that a listener follows: the store's
// head, the range's offset from the body's start and its size in bytes.
class Access_base {
public:
    Access_base() = default;
    Access_base(Head& head, unsigned offset, unsigned size)
        : head_(&head), offset_(offset), size_(size)
    {
    }

    Head* get_head() const { return head_; }
    unsigned get_offset() const { return offset_; }
    unsigned get_size() const { return size_; }

private:
    Head* head_ = nullptr;
    unsigned offset_ = 0;
    unsigned size_ = 0;
};

}
