#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <set>

class avl_bsnode;
class avl_bstree;

// The order of a tree: negative, zero or positive as a sorts before, with
// or after b.
using avl_compare = std::function<int(const avl_bsnode& a, const avl_bsnode& b)>;

struct avl_order {
    avl_compare compare;
    bool operator()(const avl_bsnode* a, const avl_bsnode* b) const;
};

// The link of an item kept in an avl_bstree: the item holds it, and is in at
// most one tree at a time.
class avl_bsnode {
public:
    avl_bsnode() = default;
    ~avl_bsnode(); // leaves its tree
    avl_bsnode(const avl_bsnode&) = delete;
    avl_bsnode& operator=(const avl_bsnode&) = delete;

    bool in_tree() const { return tree_ != nullptr; }

private:
    friend class avl_bstree;
    avl_bstree* tree_ = nullptr;
    std::multiset<avl_bsnode*, avl_order>::iterator position_;
};

// A balanced search tree of items, each linked in through the avl_bsnode it
// holds, so that an item knows its tree and its place in it: removing an
// item or stepping to the next one needs no search. Items that compare equal
// are all kept, in the order they were inserted.
class avl_bstree {
public:
    avl_bstree() = default;
    ~avl_bstree(); // unlinks the items still in it
    avl_bstree(const avl_bstree&) = delete;
    avl_bstree& operator=(const avl_bstree&) = delete;

    // The order, set before create.
    void set_compare(avl_compare compare) { compare_ = std::move(compare); }
    // Makes the tree ready, empty, in the order set; false without one.
    bool create();
    bool is_created() const { return nodes_.has_value(); }

    // False when the tree is not created or the node is in a tree already.
    bool insert(avl_bsnode& node);
    // False when the node is not in this tree.
    bool remove(avl_bsnode& node);
    // The first node equal to the probe, or null.
    avl_bsnode* find(const avl_bsnode& probe) const;
    avl_bsnode* first() const;
    // The node after this one (which must be in this tree), or null.
    avl_bsnode* next(const avl_bsnode& node) const;
    size_t size() const { return nodes_ ? nodes_->size() : 0; }

private:
    avl_compare compare_;
    std::optional<std::multiset<avl_bsnode*, avl_order>> nodes_;
};
