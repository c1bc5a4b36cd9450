#pragma once
#include "platform/data/CDS_Lookup_item.h"
#include "platform/data/CDS_sl_list.h"

namespace CDS {

// A node with children: a record, an array of records or the body. Its
// children are listed in the order of the items they describe.
class Lookup_struct : public Lookup_item {
public:
    explicit Lookup_struct(Lookup_struct& parent)
        : Lookup_item(parent)
    {
    }

    Lookup_struct* as_struct() override { return this; }
    item_type_t get_type() const override { return type_struct; }
    // "struct <type name> { "<comment>"", the children one level deeper, "} <name>;".
    void print(int depth) const override;
    // A list named after the node holding the children's entries.
    void _print(Debug::Dumper& dumper) const override;
    // A structure has no text form.
    const char* from_string(const char* text, Head& head) override;

    const sl_list& children() const { return children_; }
    // Appends a child at the end of the list (an item already in a list is a bug).
    void append(Lookup_item& child) { children_.push(child); }

protected:
    // The root's constructor: no parent.
    Lookup_struct() = default;
    bool is_structure() const override { return true; }
    void for_each_child(const std::function<bool(Data_item&)>& visit) const override;
    // Takes the first child out of the list; null when none is left.
    Lookup_item* take_child() { return children_.take(); }

private:
    sl_list children_;
};

}
