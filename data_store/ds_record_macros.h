#pragma once
#include <cstdint>

// Every data-store record is declared once, as a list of its members in
// order:
//   X(LEAF, T, name, "type name", "comment")            a plain value
//   X(ARRAY, T, name, count, "type name", "comment")    a fixed array of plain values
//   X(RECORD, record, name, comment or nullptr)         an embedded record
//   X(RECORDS, record, name, count, "comment")          a fixed array of records
//   X(HIDDEN, T, name)                                  a member the lookup tree does not publish
// The list makes both the record's struct (DS_RECORD) and its lookup class
// (CDS_LOOKUP_RECORD), so member order, offsets and the published tree
// cannot drift apart. The texts are the ones the tree publishes, verbatim.

#define DS_MEMBER(kind, ...) DS_MEMBER_##kind(__VA_ARGS__)
#define DS_MEMBER_LEAF(T, name, type_name, comment) T name;
#define DS_MEMBER_ARRAY(T, name, count, type_name, comment) T name[count];
#define DS_MEMBER_RECORD(record, name, comment) record name;
#define DS_MEMBER_RECORDS(record, name, count, comment) record name[count];
#define DS_MEMBER_HIDDEN(T, name) T name;

// Defines struct record from its list record##_FIELDS.
#define DS_RECORD(record)                                                                                              \
    struct record {                                                                                                    \
        record##_FIELDS(DS_MEMBER)                                                                                     \
    };
