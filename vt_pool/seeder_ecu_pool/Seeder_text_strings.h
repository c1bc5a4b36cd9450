#pragma once
#include "platform/iso/VT_Translatable_string_obj.h"
#include "platform/iso/VT_text.h"
#include "vt_pool/seeder_ecu_pool/Seeder_object_name.h"
#include "vt_pool/seeder_ecu_pool/Seeder_texts.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace VT {

namespace Seeder_text_table {
constexpr uint16_t first_id = 1319;
// The language slots of every string; only slot 0 holds a text.
constexpr int32_t languages = 28;

// The name of the string at a position in Seeder_texts' order.
Seeder_object_name name(size_t position);
// Copies the string's language table from the program's constant data.
void copy(size_t position, const char** table);
}

// The translatable string at a position (0 to text_count - 1) of
// Seeder_texts' order, with what it points into side by side before it: its
// language table and its value of exactly its length (none for length 0).
// Both are written only by fill(), once every object of the pool exists.
template <size_t position>
struct Seeder_text_string {
    static constexpr uint16_t id = uint16_t(Seeder_text_table::first_id + position);
    static constexpr uint16_t length = Seeder_texts::even_length(Seeder_texts::english(position));

    Seeder_text_string()
        : object(id, Seeder_text_table::name(position), length, length ? value.data() : nullptr, length, table,
                 Seeder_text_table::languages)
    {
    }
    void fill()
    {
        fill_text(value.data(), length, "");
        Seeder_text_table::copy(position, table);
    }

    const char* table[Seeder_text_table::languages] = {};
    std::array<char, length> value;
    Translatable_string_obj object;
};

// The strings at positions first to end - 1, in that order.
template <size_t first, size_t end>
struct Seeder_text_strings {
    template <class F>
    void each(F&& f)
    {
        f(string);
        rest.each(f);
    }

    Seeder_text_string<first> string;
    Seeder_text_strings<first + 1, end> rest;
};

template <size_t end>
struct Seeder_text_strings<end, end> {
    template <class F>
    void each(F&&)
    {
    }
};

}
