#pragma once
#include "vt_pool/model/VtSerial.h"

#include <cstdint>

// A child placed in its parent, at a position relative to the parent.
struct VtObjectRef {
    VtObjectRef(uint16_t oid, int32_t x, int32_t y) : x(x), y(y), oid(oid), serial(nextVtSerial()) {}

    int32_t x;
    int32_t y;
    uint16_t oid;
    uint32_t serial;
};
