#pragma once
#include "platform/data/CDS_Lookup_struct.h"

namespace CDS {

// The top of a lookup tree: the node of a store's whole body, which keeps
// the store's head for the nodes below it.
class Lookup_root : public Lookup_struct {
public:
    Lookup_root(Head& head, void* body)
        : head_(head), body_(body)
    {
    }

    Lookup_root* as_root() override { return this; }
    Head& get_head() const { return head_; }
    void* get_body() const { return body_; }

private:
    Head& head_;
    void* const body_;
};

}
