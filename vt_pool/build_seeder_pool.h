#pragma once
#include "vt_pool/Seeder_pool_ids.h"
#include "vt_pool/VtSize.h"

#include <cstdint>

class VtWriter;

// The room start-up gives the encoded pool.
constexpr uint32_t seeder_pool_writer_size = 99000;

// Builds the seeder's whole pool in code for a data mask of that size,
// records in the table the IDs its screens use and leaves the encoded pool
// in the writer. False when the writer could not hold all of it: the bytes
// it holds are then a cut pool that must not be loaded.
bool build_seeder_pool(Seeder_pool_ids& ids, VtWriter& writer, VtSize size);
