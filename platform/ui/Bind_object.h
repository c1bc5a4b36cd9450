#pragma once
#include "platform/iso/VT_vtui_pool.h"

#include <cstdint>

namespace UI {

// The pool's object of the ID (the low 16 bits of an entry of the object-ID
// table) when it is a T, looked up under the pool lock; null for the ID
// 0xFFFF, a missing object or one of another type.
template <class T>
T* bind_object(VT::vtui_pool* pool, uint32_t id_entry)
{
    const uint16_t id = uint16_t(id_entry & 0xFFFF);
    if (!pool || id == 0xFFFF)
        return nullptr;
    pool->lock_pool();
    VT::VT_obj* object = pool->__find_object(id);
    pool->unlock_pool();
    return dynamic_cast<T*>(object);
}

}
