#include "vt_pool/seeder_ecu_pool/Seeder_object_name.h"

#include <cstdio>

namespace VT {

Seeder_object_name Seeder_object_name::generated(uint16_t id)
{
    return Seeder_object_name("DYN_OBJ_", unsigned(id) - 973u);
}

Seeder_object_name::Seeder_object_name(const char* prefix, unsigned number)
{
    std::snprintf(text_, sizeof text_, "%s%u", prefix, number);
}

Seeder_object_name::Seeder_object_name(const char* prefix, const char* suffix)
{
    std::snprintf(text_, sizeof text_, "%s%s", prefix, suffix);
}

}
