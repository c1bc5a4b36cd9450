#pragma once
#include <cstddef>

namespace VT {

// Hears how far the pool's upload has come, on the client's task with the
// pool lock held.
class Upload_progress {
public:
    virtual ~Upload_progress() = default;
    // sent of total bytes have reached the VT (0 of 0 before the upload).
    virtual void report(size_t sent, size_t total) = 0;
};

}
