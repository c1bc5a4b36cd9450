#pragma once
#include "params/NV_quvel_record.h"

#include <string>

// The 20-character names the operator gives products (and through them
// tanks): stored space-padded to 20 characters with at most 19 typed ones
// kept, shown without the padding. Each reads or writes the whole name
// under the item's lock and announces a write as a locked one.
namespace Operator_name {

// The stored name cut to its first 19 characters (and at a zero), without
// trailing spaces.
std::string shown(const NV_quvel::nv_name& name);
// Stores what the operator typed: its first 19 characters, padded with
// spaces to 20.
void store_typed(NV_quvel::nv_name& name, const std::string& typed);
// Copies the text of one name (at most 19 characters) with its terminating
// zero into another; characters after the zero stay as they were.
void copy(NV_quvel::nv_name& to, const NV_quvel::nv_name& from);

}
