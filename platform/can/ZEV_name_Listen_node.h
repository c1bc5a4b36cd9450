#pragma once
#include "platform/can/ZEV_name_NAME.h"

#include <cstdint>

class waiter_descriptor;

namespace ZEV_name {

// One watch on the NAMEs that match a pattern. Its events carry its id as
// their code, on the stack's name module.
class Listen_node {
public:
    Listen_node(const NAME& pattern, waiter_descriptor* waiter, uint32_t id)
        : pattern_(pattern), waiter_(waiter), id_(id)
    {
    }
    const NAME& get_name() const { return pattern_; }
    waiter_descriptor* get_waiter() const { return waiter_; }
    uint32_t get_id() const { return id_; }

private:
    NAME pattern_;
    waiter_descriptor* waiter_;
    uint32_t id_;
};

}
