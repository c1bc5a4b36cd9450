#include "vt_pool/seeder_ecu_pool/Seeder_text_strings.h"

#include <algorithm>

namespace VT::Seeder_text_table {

namespace {

using Table = std::array<const char*, languages>;

// The one empty text that every unused slot points at.
constexpr char no_text[] = "";

constexpr std::array<Table, Seeder_texts::text_count> make_tables()
{
    std::array<Table, Seeder_texts::text_count> tables{};
    for (size_t i = 0; i < tables.size(); ++i) {
        tables[i][0] = Seeder_texts::english(i);
        for (size_t slot = 1; slot < size_t(languages); ++slot)
            tables[i][slot] = no_text;
    }
    return tables;
}

// The initial tables of the 96 strings, in ID order.
constexpr std::array<Table, Seeder_texts::text_count> tables = make_tables();

}

Seeder_object_name name(size_t position)
{
    using namespace Seeder_texts;
    if (position < working_text_count)
        return Seeder_object_name(working_texts[position].name, "");
    position -= working_text_count;
    if (position < alarm_count)
        return Seeder_object_name(alarm_text_prefix, alarms[position].key);
    return Seeder_object_name(unit_texts[position - alarm_count].name, "");
}

void copy(size_t position, const char** table)
{
    std::copy(tables[position].begin(), tables[position].end(), table);
}

}
