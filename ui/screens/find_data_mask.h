#pragma once
#include <cstdint>

namespace VT {
class Data_mask_obj;
class vtui_pool;
}

// The pool's data mask of that ID, looked up under the pool's lock; null
// when the ID names no object (65535 included) or another kind of object.
VT::Data_mask_obj* find_data_mask(VT::vtui_pool* pool, uint16_t id);
