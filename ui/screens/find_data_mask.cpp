#include "ui/screens/find_data_mask.h"

#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_vtui_pool.h"

VT::Data_mask_obj* find_data_mask(VT::vtui_pool* pool, uint16_t id)
{
    pool->lock_pool();
    VT::Data_mask_obj* mask = dynamic_cast<VT::Data_mask_obj*>(pool->__find_object(id));
    pool->unlock_pool();
    return mask;
}
