#pragma once
#include "platform/data/CDS_Lookup_struct.h"
#include "platform/data/CDS_get_number_as_name.h"

#include <cstddef>

namespace CDS {

// The node of a fixed array of records: one element node per record, named
// "0", "1", ..., made on the heap and owned here. An element's parent is the
// node that declares the array (not this node), though it is listed here.
template <class Node>
class Lookup_record_array : public Lookup_struct {
public:
    using record_type = typename Node::record_type;

    template <size_t N>
    Lookup_record_array(Lookup_struct& declaring, record_type (&array)[N])
        : Lookup_struct(declaring), first_(array), count_(N)
    {
        set_type_name(Node::record_name);
        for (size_t i = 0; i < N; ++i) {
            Node* element = new Node(declaring, &array[i]);
            element->set_name(get_number_as_name(unsigned(i)));
            append(*element);
        }
    }
    ~Lookup_record_array() override
    {
        while (Lookup_item* element = take_child())
            delete element;
    }

    void* get_item_ptr() const override { return first_; }
    unsigned get_item_size() const override { return unsigned(count_ * sizeof(record_type)); }

private:
    record_type* const first_;
    const size_t count_;
};

}
