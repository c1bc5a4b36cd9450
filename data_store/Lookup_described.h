#pragma once
#include "platform/data/CDS_Lookup_root.h"

namespace CDS {

// What the record nodes of the store's tree share: their description step.
// The base is a Lookup_struct for record nodes and the Lookup_root for the body.
template <class Base>
class Lookup_described : public Base {
public:
    // A record node under its parent.
    explicit Lookup_described(Lookup_struct& parent)
        : Base(parent)
    {
    }
    // The body's node.
    Lookup_described(Head& head, void* body)
        : Base(head, body)
    {
    }

protected:
    // A record names itself after its type, with no comment; whoever
    // declares it as a member renames it afterwards.
    void describe_self(const char* record_name)
    {
        this->set_type_name(record_name);
        this->set_name(record_name);
        this->set_comment(nullptr);
    }
    // A plain value or array of them: name, type name and comment.
    void describe_value(Lookup_item& child, const char* name, const char* type_name, const char* comment)
    {
        child.set_name(name);
        child.set_type_name(type_name);
        child.set_comment(comment);
        this->append(child);
    }
    // An embedded record or an array of records: the type name is its own.
    void describe_record(Lookup_item& child, const char* name, const char* comment)
    {
        child.set_name(name);
        child.set_comment(comment);
        this->append(child);
    }
};

using Lookup_record = Lookup_described<Lookup_struct>;

}
