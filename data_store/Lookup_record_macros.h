#pragma once
#include "data_store/Lookup_basic.h"
#include "data_store/Lookup_basic_array.h"
#include "data_store/Lookup_described.h"
#include "data_store/Lookup_record_array.h"
#include "data_store/ds_record_macros.h"

// The lookup class of a record, made from the record's member list (see
// ds_record_macros.h): one child node per published member, in member order,
// each bound to its member of the record the node describes.

// The child nodes, as members of the lookup class. An array of records gets
// a nested class named after the member (Lookup_ds_channels::Lookup_channels).
#define CDS_NODE(kind, ...) CDS_NODE_##kind(__VA_ARGS__)
#define CDS_NODE_LEAF(T, name, type_name, comment) Lookup_basic<T> name{*this, &record_->name};
#define CDS_NODE_ARRAY(T, name, count, type_name, comment) Lookup_basic_array<T> name{*this, record_->name};
#define CDS_NODE_RECORD(record, name, comment) Lookup_##record name{*this, &record_->name};
#define CDS_NODE_RECORDS(record, name, count, comment)                                                                 \
    class Lookup_##name : public Lookup_record_array<Lookup_##record> {                                                \
    public:                                                                                                            \
        using Lookup_record_array::Lookup_record_array;                                                                \
    };                                                                                                                 \
    Lookup_##name name{*this, record_->name};
#define CDS_NODE_HIDDEN(T, name)

// The description step: names the children and lists them in member order.
#define CDS_DESCRIBE(kind, ...) CDS_DESCRIBE_##kind(__VA_ARGS__)
#define CDS_DESCRIBE_LEAF(T, name, type_name, comment) describe_value(name, #name, type_name, comment);
#define CDS_DESCRIBE_ARRAY(T, name, count, type_name, comment) describe_value(name, #name, type_name, comment);
#define CDS_DESCRIBE_RECORD(record, name, comment) describe_record(name, #name, comment);
#define CDS_DESCRIBE_RECORDS(record, name, count, comment) describe_record(name, #name, comment);
#define CDS_DESCRIBE_HIDDEN(T, name)

// Declares CDS::Lookup_<record>.
#define CDS_LOOKUP_RECORD(record)                                                                                      \
    class Lookup_##record : public Lookup_record {                                                                     \
    public:                                                                                                            \
        using record_type = record;                                                                                    \
        static constexpr const char* record_name = #record;                                                            \
        Lookup_##record(Lookup_struct& parent, record* item);                                                          \
        void* get_item_ptr() const override { return record_; }                                                       \
        unsigned get_item_size() const override { return sizeof(record); }                                            \
                                                                                                                       \
    private:                                                                                                           \
        record* const record_;                                                                                         \
                                                                                                                       \
    public:                                                                                                            \
        record##_FIELDS(CDS_NODE)                                                                                      \
    };

// Defines its constructor: the children are built in member order (as
// members of the class), then the record describes itself and them.
#define CDS_LOOKUP_RECORD_CONSTRUCTOR(record)                                                                          \
    Lookup_##record::Lookup_##record(Lookup_struct& parent, record* item)                                              \
        : Lookup_record(parent), record_(item)                                                                         \
    {                                                                                                                  \
        describe_self(record_name);                                                                                    \
        record##_FIELDS(CDS_DESCRIBE)                                                                                  \
    }
