#pragma once
#include "platform/iso/VT_Common_blocks.h"
#include "platform/iso/VT_Object_pool.h"

namespace VT {

// The user-interface library's common pool: the objects its screens share,
// members of the pool, made in declaration order with the IDs 256 to 1228
// and entered in table slots 0 to 972 (slot = ID - 256). An application pool
// derives from it and adds its own objects after them.
class vtui_pool : public Object_pool {
public:
    static constexpr unsigned short common_count = 973;

    // The table must hold the common objects at least; a shorter or missing
    // one is a bug, found before any object is made.
    vtui_pool(module_man* man, VT_obj** table, unsigned short size);
    ~vtui_pool() override;

private:
    // The objects, made by a builder that lives only while they are made.
    struct Common_objects {
        Common_objects(vtui_pool& pool, Common_builder&& builder);
        Common::Blocks blocks;
    };

    static VT_obj** checked(VT_obj** table, unsigned short size);

    Common_objects common_;
};

}
