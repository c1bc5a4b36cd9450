#include "vt_pool/Seeder_pool_ids.h"

#include <cstring>

namespace {

// Copies the entries that make up bytes [from, to) of the part.
template <class Part>
void append_entries(std::vector<Seeder_pool_entry>& entries, const Part& part, size_t from, size_t to)
{
    const size_t first = entries.size();
    entries.resize(first + (to - from) / sizeof(Seeder_pool_entry));
    std::memcpy(entries.data() + first, reinterpret_cast<const unsigned char*>(&part) + from, to - from);
}

}

std::vector<Seeder_pool_entry> Seeder_pool_ids::entries() const
{
    std::vector<Seeder_pool_entry> all;
    append_entries(all, *this, 0, offsetof(Seeder_pool_ids, tank_record_refs));
    for (const Seeder_tank_record& record : tank_records)
        append_entries(all, record, 0, offsetof(Seeder_tank_record, initial_values));
    append_entries(all, *this, offsetof(Seeder_pool_ids, tank_fill_more), sizeof(Seeder_pool_ids));
    return all;
}
