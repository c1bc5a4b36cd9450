#pragma once
#include "platform/data/NV_container.h"

namespace NV_store {

// A record of the parameter tree: named fields with fixed ids.
class NV_struct : public NV_container {
public:
    using NV_container::NV_container;

    item_type_t get_type() const override { return type_struct; }
};

}
