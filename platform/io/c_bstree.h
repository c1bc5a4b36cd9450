#pragma once
#include "platform/rtos/Debug_base.h"

#include <cstdlib>
#include <cstddef>

// A search tree of T (which derives from the tree's node type), ordered by a
// compare function on T. An item is in at most one tree: inserting one that
// is still linked somewhere is a broken invariant and ends the process.
template <class Tree, class T>
class c_bstree {
public:
    using compare_function = int (*)(const T& a, const T& b);
    static constexpr int exit_code_linked = -154;

    void set_compare(compare_function compare)
    {
        tree_.set_compare([compare](const auto& a, const auto& b) {
            return compare(static_cast<const T&>(a), static_cast<const T&>(b));
        });
    }
    bool create() { return tree_.create(); }

    void insert(T& item) { tree_.insert(get_mutable(item)); }
    bool remove(T& item) { return tree_.remove(item); }
    T* find(const T& probe) const { return static_cast<T*>(tree_.find(probe)); }
    T* first() const { return static_cast<T*>(tree_.first()); }
    T* next(const T& item) const { return static_cast<T*>(tree_.next(item)); }
    size_t size() const { return tree_.size(); }

private:
    // The item, free to be linked into this tree.
    static T& get_mutable(T& item)
    {
        if (item.in_tree()) {
            Debug_print::dprint("c_bstree::get_mutable(): already in T::\n");
            std::exit(exit_code_linked);
        }
        return item;
    }

    Tree tree_;
};
