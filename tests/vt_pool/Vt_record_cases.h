#pragma once
#include "tests/vt_pool/Vt_bytes.h"

#include <cstdint>
#include <string>
#include <vector>

// One record body per object type, every field away from its default, each
// field with the bytes it has when the object is new. A record cut short
// keeps the fields that were all there and leaves the rest at their
// defaults; a count is written from its list, so it keeps its value only
// when its list was read too.
enum class Field_kind {
    fixed,   // blank: the given bytes, or zeros
    text,    // a length-prefixed text; blank: an empty one
    list,    // entries; blank: none
    count,   // the length of list `of`
    derived, // kept only when field `of` was read too; blank: zeros
};

struct Record_field {
    Field_kind kind;
    std::string full;
    std::string blank;
    int of;
};

inline Record_field F(const char* full, const char* blank = "") { return {Field_kind::fixed, full, blank, -1}; }
inline Record_field T(const char* full, const char* blank) { return {Field_kind::text, full, blank, -1}; }
inline Record_field L(const char* full) { return {Field_kind::list, full, "", -1}; }
inline Record_field C(const char* full, int list) { return {Field_kind::count, full, "", list}; }
inline Record_field D(const char* full, int needs) { return {Field_kind::derived, full, "", needs}; }

struct Record_case {
    uint32_t type;
    std::vector<Record_field> fields;
};

// Two children, (3000, -5, 10) and (3001, 20, -30).
#define VT_CHILDS "B8 0B FB FF 0A 00 B9 0B 14 00 E2 FF"
// Two macros, event 5 runs 0x60 and event 6 runs 0x61.
#define VT_MACROS "05 60 06 61"

inline const std::vector<Record_case>& record_cases()
{
    static const std::vector<Record_case> cases = {
        {0, {F("0C"), F("01"), F("E8 03", "FF FF"), C("02", 6), C("02", 7), C("02", 8), L(VT_CHILDS), L(VT_MACROS),
             L("65 6E 64 65")}},
        {1, {F("01"), F("D0 07", "FF FF"), C("02", 4), C("02", 5), L(VT_CHILDS), L(VT_MACROS)}},
        {2, {F("0E"), F("D1 07", "FF FF"), F("01"), F("02"), C("02", 6), C("02", 7), L(VT_CHILDS), L(VT_MACROS)}},
        {3, {F("F0 00 78 00"), F("01"), C("02", 4), C("02", 5), L(VT_CHILDS), L(VT_MACROS)}},
        {4, {F("08"), C("03", 3), C("02", 4), L("10 27 11 27 FF FF"), L(VT_MACROS)}},
        {5, {F("09"), F("18"), C("02", 4), C("02", 5), L(VT_CHILDS), L(VT_MACROS)}},
        {6, {F("3C 00 20 00"), F("02"), F("08"), F("3A"), F("01"), C("02", 7), C("02", 8), L(VT_CHILDS), L(VT_MACROS)}},
        {7, {F("01"), F("10 00"), F("20 4E", "FF FF"), F("21 4E", "FF FF"), F("01"), F("01"), C("02", 7), L(VT_MACROS)}},
        {8, {F("50 00 14 00"), F("01"), F("22 4E", "FF FF"), F("23 4E", "FF FF"), F("03"), F("24 4E", "FF FF"), F("02"),
             T("05 48 65 6C 6C 6F", "00"), F("01"), C("02", 10), L(VT_MACROS)}},
        {9, {F("50 00 14 00"), F("0C"), F("22 4E", "FF FF"), F("01"), F("25 4E", "FF FF"), F("E8 03 00 00"),
             F("0A 00 00 00"), F("0F 27 00 00"), F("9C FF FF FF"), F("CD CC CC 3D", "00 00 80 3F"), F("02"), F("01"),
             F("02"), F("01"), C("02", 15), L(VT_MACROS)}},
        {10, {F("50 00 14 00"), F("26 4E", "FF FF"), F("01"), C("02", 6), F("01"), C("02", 7), L("27 4E 28 4E"),
              L(VT_MACROS)}},
        {11, {F("50 00 14 00"), F("01"), F("22 4E", "FF FF"), F("01"), F("29 4E", "FF FF"), F("01"),
              T("03 00 41 42 43", "00 00"), C("02", 8), L(VT_MACROS)}},
        {12, {F("50 00 14 00"), F("01"), F("22 4E", "FF FF"), F("05"), F("2A 4E", "FF FF"), F("2C 01 00 00"),
              F("F6 FF FF FF"), F("00 00 20 41", "00 00 80 3F"), F("01"), F("01"), F("02"), C("02", 12), L(VT_MACROS)}},
        {13, {F("2B 4E", "FF FF"), F("28 00 01 00"), F("01"), C("02", 4), L(VT_MACROS)}},
        {14, {F("2B 4E", "FF FF"), F("28 00 14 00"), F("0F"), F("2C 4E", "FF FF"), C("02", 5), L(VT_MACROS)}},
        {15, {F("2B 4E", "FF FF"), F("28 00 14 00"), F("02"), F("10"), F("5A"), F("2C 4E", "FF FF"), C("02", 7),
              L(VT_MACROS)}},
        {16, {F("28 00 14 00"), F("2B 4E", "FF FF"), F("2C 4E", "FF FF"), F("01"), C("03", 6), C("02", 7),
              L("00 00 00 00 28 00 00 00 14 00 14 00"), L(VT_MACROS)}},
        {17, {F("40 00"), F("0C"), F("01"), F("08"), F("0F"), F("05"), F("10"), F("B4"), F("0A 00"), F("E8 03"),
              F("2D 4E", "FF FF"), F("F4 01"), C("02", 13), L(VT_MACROS)}},
        // A new linear bar graph names object 0 as its variable.
        {18, {F("0A 00 50 00"), F("02"), F("0C"), F("1B"), F("0A"), F("05 00"), F("64 00"), F("2E 4E", "00 00"),
              F("32 00"), F("2F 4E", "FF FF"), F("4B 00"), C("02", 12), L(VT_MACROS)}},
        {19, {F("50 00 50 00"), F("02"), F("0C"), F("1B"), F("1E"), F("96"), F("08 00"), F("05 00"), F("64 00"),
              F("30 4E", "FF FF"), F("32 00"), F("31 4E", "FF FF"), F("4B 00"), C("02", 14), L(VT_MACROS)}},
        // The shown width scales the actual width: without one it is 0.
        {20, {D("28 00", 1), F("64 00"), F("32 00"), F("02"), F("05"), F("01"), C("04 00 00 00", 8), C("02", 9),
              L("0A 01 0B 02"), L(VT_MACROS)}},
        {21, {F("78 56 34 12")}},
        {22, {T("04 00 54 45 53 54", "00 00")}},
        {23, {F("0C"), F("03"), F("01"), F("02"), C("02", 5), L(VT_MACROS)}},
        {24, {F("09"), F("02"), F("AA AA", "FF FF"), C("02", 4), L(VT_MACROS)}},
        {25, {F("02"), F("0E"), F("32 4E", "FF FF"), C("02", 4), L(VT_MACROS)}},
        {26, {F("01"), T("03 30 31 32", "00"), C("02", 3), L(VT_MACROS)}},
        {27, {F("33 4E", "FF FF")}},
        {28, {C("05 00", 1), L("A0 00 01 FF FF")}},
        {29, {F("0C"), F("01"), C("02", 3), L(VT_CHILDS)}},
        {30, {F("0C"), F("01"), F("03"), C("02", 4), L(VT_CHILDS)}},
    };
    return cases;
}

#undef VT_CHILDS
#undef VT_MACROS

inline Bytes full_record(const Record_case& record)
{
    Bytes out;
    for (const Record_field& field : record.fields) {
        const Bytes part = bytes(field.full);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

inline Bytes blank_field(const Record_field& field)
{
    switch (field.kind) {
    case Field_kind::list:
        return {};
    case Field_kind::text:
        return bytes(field.blank);
    default:
        return field.blank.empty() ? Bytes(bytes(field.full).size(), 0) : bytes(field.blank);
    }
}

inline Bytes blank_record(const Record_case& record)
{
    Bytes out;
    for (const Record_field& field : record.fields) {
        const Bytes part = blank_field(field);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// What an object writes after reading the first `cut` bytes of the record.
inline Bytes cut_record(const Record_case& record, size_t cut)
{
    std::vector<bool> read;
    size_t end = 0;
    for (const Record_field& field : record.fields) {
        end += bytes(field.full).size();
        read.push_back(end <= cut);
    }
    Bytes out;
    for (size_t i = 0; i < record.fields.size(); ++i) {
        const Record_field& field = record.fields[i];
        bool kept = read[i];
        if (field.kind == Field_kind::count)
            kept = read[size_t(field.of)];
        else if (field.kind == Field_kind::derived)
            kept = kept && read[size_t(field.of)];
        const Bytes part = kept ? bytes(field.full) : blank_field(field);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}
