#pragma once
#include <cstdint>

namespace CDS {

class Lookup_item;

// The child list of a lookup structure: singly linked through a link word
// in each item (0 while the item is in no list, all bits set while it is the
// last), appended at the tail so that iteration follows declaration order.
// An item belongs to at most one list.
class sl_list {
public:
    class iterator {
    public:
        explicit iterator(Lookup_item* item) : item_(item) {}
        Lookup_item& operator*() const { return *item_; }
        iterator& operator++();
        bool operator!=(const iterator& other) const { return item_ != other.item_; }

    private:
        Lookup_item* item_;
    };

    sl_list() = default;
    sl_list(const sl_list&) = delete;
    sl_list& operator=(const sl_list&) = delete;

    // Appends the item; an item already in a list is a bug.
    void push(Lookup_item& item);
    // Takes the first item out of the list; null when the list is empty.
    Lookup_item* take();

    unsigned count() const { return count_; }
    // Null when the list is empty.
    Lookup_item* first() const;
    // The item after this one in its list, null after the last.
    static Lookup_item* next(const Lookup_item& item);

    iterator begin() const { return iterator(first()); }
    iterator end() const { return iterator(nullptr); }

private:
    static Lookup_item* end_mark() { return reinterpret_cast<Lookup_item*>(~uintptr_t(0)); }

    unsigned count_ = 0;
    Lookup_item* first_ = end_mark();
    Lookup_item* last_ = end_mark();
};

}
