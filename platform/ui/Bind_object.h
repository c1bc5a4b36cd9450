#pragma once
#include "platform/iso/VT_vtui_pool.h"

#include <atomic>
#include <cstdint>
#include <typeinfo>

namespace UI {

// Told of every bind that gives null: the ID asked for (0xFFFF for none)
// and the type it was asked as. Lets a check see that the screens and their
// pool agree; null, as it starts, tells no one.
using Bind_miss_observer = void (*)(uint16_t id, const std::type_info& type);
inline std::atomic<Bind_miss_observer> bind_miss_observer{nullptr};

// The pool's object of the ID (the low 16 bits of an entry of the object-ID
// table) when it is a T, looked up under the pool lock; null for the ID
// 0xFFFF, a missing object or one of another type.
template <class T>
T* bind_object(VT::vtui_pool* pool, uint32_t id_entry)
{
    const uint16_t id = uint16_t(id_entry & 0xFFFF);
    T* found = nullptr;
    if (pool && id != 0xFFFF) {
        pool->lock_pool();
        VT::VT_obj* object = pool->__find_object(id);
        pool->unlock_pool();
        found = dynamic_cast<T*>(object);
    }
    if (!found)
        if (Bind_miss_observer observer = bind_miss_observer.load())
            observer(id, typeid(T));
    return found;
}

}
