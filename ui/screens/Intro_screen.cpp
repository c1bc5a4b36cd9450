#include "ui/screens/Intro_screen.h"

#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_vtui_pool.h"

bool Intro_screen::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    // The intro mask is one of the pool's fixed objects, not a code-built
    // screen's, so it has no entry in the ID table.
    auto* mask = dynamic_cast<VT::Data_mask_obj*>(pool->find_object("mask_intro", true));
    return Data_screen::init(pool, mask, params, nullptr, 0);
}
