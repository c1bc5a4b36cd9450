#pragma once
#include "platform/data/CDS_Lookup_item.h"

namespace CDS {

// A node of a fixed array of plain values: at most 255 elements.
class Lookup_basic_array_base : public Lookup_item {
public:
    Lookup_basic_array_base(Lookup_struct& parent, unsigned char count)
        : Lookup_item(parent), count_(count)
    {
    }

    unsigned char get_count() const { return count_; }
    class_type_t get_class_type() const override { return class_array; }

private:
    const unsigned char count_;
};

}
