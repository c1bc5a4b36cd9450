#pragma once
#include "platform/data/NV_number.h"
#include "platform/data/NV_root.h"
#include "platform/data/NV_struct.h"

// A parameter tree small enough to write its description out by hand:
// served alone, it is numbered remote 1, cds 2, nv 3, t 4, a 5, rec 6, b 7,
// c 8, empty 9.
struct Small_tree : NV_store::NV_root {
    explicit Small_tree(module_man* manager) : NV_root(manager, 1, "t") {}

    struct Rec : NV_store::NV_struct {
        using NV_struct::NV_struct;
        NV_store::NV_number<uint16_t, Data_item::type_uint16> b{this, 1, 0x1234, "b"};
        NV_store::NV_number<int32_t, Data_item::type_int32> c{this, 2, -5, "c"};
    };

    NV_store::NV_number<uint8_t, Data_item::type_uint8> a{this, 1, 7, "a"};
    Rec rec{this, this, 2, "rec"};
    NV_store::NV_struct empty{this, this, 3, "empty"};
};

namespace small_ids {
constexpr uint16_t t = 4, a = 5, rec = 6, b = 7, c = 8, empty = 9;
}
