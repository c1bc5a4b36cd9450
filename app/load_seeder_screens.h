#pragma once
#include "platform/iso/VT_VT_obj.h"
#include "vt_pool/build_seeder_pool.h"

#include <cstdint>

template <class T>
class Object_pool_base;

// Builds the seeder's screens in code into a writer of the room given,
// recording their object IDs in ids, and loads them into the pool. False
// when they do not fit or the pool refuses them: nothing of them is loaded
// then, and one line says that there is no VT interface and why.
bool load_seeder_screens(Object_pool_base<VT::VT_obj>& pool, Seeder_pool_ids& ids,
                         uint32_t writer_size = seeder_pool_writer_size);
