#pragma once
#include "params/NV_array.h"
#include "params/NV_item_array.h"
#include "platform/data/NV_number.h"
#include "platform/data/NV_struct.h"

#include <cstdint>

namespace NV_quvel {

// The field kinds the parameter records are made of.
using nv_bool = NV_store::NV_number<bool, Data_item::type_bool>;
using nv_u8 = NV_store::NV_number<uint8_t, Data_item::type_uint8>;
using nv_i8 = NV_store::NV_number<int8_t, Data_item::type_int8>;
using nv_u16 = NV_store::NV_number<uint16_t, Data_item::type_uint16>;
using nv_u32 = NV_store::NV_number<uint32_t, Data_item::type_uint32>;
using nv_i32 = NV_store::NV_number<int32_t, Data_item::type_int32>;
using nv_u64 = NV_store::NV_number<uint64_t, Data_item::type_uint64>;
using nv_float = NV_store::NV_number<float, Data_item::type_float>;
using nv_double = NV_store::NV_number<double, Data_item::type_double>;
using nv_name = NV_store::NV_array<char, Data_item::type_char, unsigned char, 20>;

}

// What every parameter record offers besides its fields, which it declares
// once, as members in id order, each with its id, name and default:
// - the member constructor (parent, root, id, name), for a named field of
//   another record;
// - the standalone constructor: id 0, the class's own name, no parent and no
//   root, for array elements and private copies;
// - the copy constructor (a standalone record holding the other's values) and
//   the copy assignment, both through assign_locked;
// - assign (the field-by-field copy with notifications; whether anything
//   changed) and assign_locked (the same under the record's lock).
#define NV_QUVEL_RECORD(cls)                                                                               \
public:                                                                                                    \
    cls()                                                                                                  \
        : NV_store::NV_struct(0, #cls)                                                                     \
    {                                                                                                      \
    }                                                                                                      \
    cls(NV_store::NV_container* parent, NV_store::NV_root* root, unsigned short id, const char* name)      \
        : NV_store::NV_struct(parent, root, id, name)                                                      \
    {                                                                                                      \
    }                                                                                                      \
    cls(const cls& other)                                                                                  \
        : cls()                                                                                            \
    {                                                                                                      \
        assign_locked(other);                                                                              \
    }                                                                                                      \
    cls& operator=(const cls& other)                                                                       \
    {                                                                                                      \
        assign_locked(other);                                                                              \
        return *this;                                                                                      \
    }                                                                                                      \
    bool assign(const cls& other, NV_store::notify_t mode) { return assign_record(other, mode); }          \
    bool assign_locked(const cls& other) { return assign_record_locked(other); }
