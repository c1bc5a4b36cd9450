#pragma once
#include "platform/data/Data_item.h"

#include <cstdint>

namespace CDS {

class Event_handler;
class Head;
class Lookup_root;
class Lookup_struct;
class sl_list;

// A node of a data store's lookup tree: names one item of the store body (a
// field, an array, a record or the body itself) with a name, a type name and
// a comment, and knows the item's address and size. Names and comments are
// kept as given (texts that outlive the tree); a missing comment prints as "".
class Lookup_item : public Data_item {
public:
    explicit Lookup_item(Lookup_struct& parent);
    Lookup_item(const Lookup_item&) = delete;
    Lookup_item& operator=(const Lookup_item&) = delete;

    const char* get_name() const override { return name_; }
    const char* get_type_name() const { return type_name_; }
    const char* get_comment() const { return comment_; }
    void set_name(const char* name) { name_ = name; }
    void set_type_name(const char* type_name) { type_name_ = type_name; }
    void set_comment(const char* comment) { comment_ = comment; }

    // The node that declared this one (for an element of an array of
    // records, the record holding the array); null for the root.
    Lookup_struct* get_parent() const { return parent_; }
    // The root of the tree this node belongs to.
    Lookup_root* root();
    virtual Lookup_struct* as_struct() { return nullptr; }
    virtual Lookup_root* as_root() { return nullptr; }

    // Prints the node (and what lies below it) at depth x 4 spaces of indent.
    virtual void print(int depth) const = 0;
    // Sets the item from text under the store's lock with one change event;
    // returns the end of the text read, or null (item untouched, no event).
    virtual const char* from_string(const char* text, Head& head) = 0;
    virtual void* get_item_ptr() const = 0;
    virtual unsigned get_item_size() const = 0;
    // Signals the item's current value as a change.
    virtual void notify() {}

    // The node at a path of child names joined by separator, relative to this
    // node ("" is the node itself); null when a name does not match.
    Lookup_item* find_item(const char* path, char separator);
    Lookup_item* find_data_item(const char* path) { return find_item(path, '.'); }

    // The handler hears of every locked write that touches the node's bytes,
    // once the writer has released the store's lock.
    void set_event_handler(Event_handler* handler) override;

protected:
    // The root's constructor: no parent.
    Lookup_item() = default;
    // Locks the store, signals size bytes at item as changed, unlocks. Never
    // call it while holding the store's lock: the lock is not re-entrant.
    void notify_cds(void* item, unsigned size);
    // Texts for printing: never null.
    const char* name_text() const { return name_ ? name_ : ""; }
    const char* type_name_text() const { return type_name_ ? type_name_ : ""; }
    const char* comment_text() const { return comment_ ? comment_ : ""; }

private:
    friend class sl_list;

    Lookup_struct* parent_ = nullptr;
    Lookup_item* link_ = nullptr; // see sl_list
    const char* name_ = nullptr;
    const char* type_name_ = nullptr;
    const char* comment_ = nullptr;
};

}
