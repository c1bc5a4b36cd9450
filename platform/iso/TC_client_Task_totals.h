#pragma once
#include <cstdint>
#include <map>

namespace TC_client {

// Where the task totals stand, kept by the controller for its whole life,
// while the device it describes is rebuilt (a Task Controller that went and
// came back, a reset, another display): each total is its lifetime source
// minus a base, and the base of a source stays until the Task Controller
// sets the total. So a total changes only as its source grows or when the
// Task Controller sets it. Used on the controller's task only.
class Task_totals {
public:
    // The base of the source's total. The first time the total starts at 0:
    // its base is the lifetime value now.
    int64_t base_of(const void* source, int32_t lifetime_now);
    void set_base(const void* source, int64_t base);

private:
    std::map<const void*, int64_t> bases_;
};

}
