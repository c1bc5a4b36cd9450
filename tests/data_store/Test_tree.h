#pragma once
#include "data_store/Lookup_record_macros.h"
#include "platform/data/CDS_Head.h"
#include "platform/rtos/module_man.h"

// A small record with one member of every kind, declared the way the
// store's records are, under a root of its own, over a head of its own.

#define test_part_FIELDS(X) X(LEAF, uint16_t, count, "uint16_t", "parts")
DS_RECORD(test_part)

#define test_record_FIELDS(X) \
    X(LEAF, bool, flag, "bool", "a flag") \
    X(LEAF, uint8_t, small, "uchar", "") \
    X(LEAF, uint16_t, u16, "uint16_t", "") \
    X(LEAF, uint32_t, period, "unsigned long", "") \
    X(LEAF, int32_t, number, "int", "signed") \
    X(LEAF, float, ratio, "float", "") \
    X(LEAF, double, rate, "double", "The rate ") \
    X(LEAF, uint64_t, wide, "uint64_t", "") \
    X(HIDDEN, uint32_t, secret) \
    X(ARRAY, uint8_t, bytes, 3, "uchar", "three") \
    X(ARRAY, bool, flags, 3, "bool", "") \
    X(ARRAY, uint32_t, words, 2, "unsigned int", "") \
    X(ARRAY, float, reals, 2, "float", "") \
    X(ARRAY, char, text, 6, "char", "") \
    X(RECORD, test_part, part, nullptr) \
    X(RECORDS, test_part, parts, 2, "")
DS_RECORD(test_record)

namespace CDS {
CDS_LOOKUP_RECORD(test_part)
CDS_LOOKUP_RECORD(test_record)
}

// The root "test" holds the record "record" and an array of no elements, "empty".
class Test_root : public CDS::Lookup_described<CDS::Lookup_root> {
public:
    Test_root(CDS::Head& head, test_record* body);

    void* get_item_ptr() const override { return body_; }
    unsigned get_item_size() const override { return sizeof(test_record); }

    test_record* const body_;
    CDS::Lookup_test_record record{*this, body_};
    CDS::Lookup_basic_array<uint8_t> empty{*this, body_->bytes, 0};
};

struct Test_tree {
    module_man manager;
    test_record body{};
    CDS::Head head{&manager, &body};
    Test_root root{head, &body};
};
