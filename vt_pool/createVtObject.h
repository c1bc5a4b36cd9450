#pragma once
#include "vt_pool/VtObject.h"

#include <cstdint>
#include <memory>

// A new object of an ISO 11783-6 object type with that ID, at its defaults;
// null for a type past 30.
std::unique_ptr<VtObject> createVtObject(uint32_t type, uint16_t oid);
