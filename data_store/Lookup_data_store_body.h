#pragma once
#include "data_store/Lookup_ds_records.h"

namespace CDS {

class Head;

// The root of the store's lookup tree, "data_store": the twenty groups of
// the body in order. It registers itself with the head it is given.
class Lookup_data_store_body : public Lookup_described<Lookup_root> {
public:
    Lookup_data_store_body(Head& head, data_store_body* body);

    void* get_item_ptr() const override { return record_; }
    unsigned get_item_size() const override { return sizeof(data_store_body); }

private:
    data_store_body* const record_;

public:
    data_store_body_FIELDS(CDS_NODE)
};

}
