#include "platform/io/avl_bstree.h"

bool avl_order::operator()(const avl_bsnode* a, const avl_bsnode* b) const
{
    return compare(*a, *b) < 0;
}

avl_bsnode::~avl_bsnode()
{
    if (tree_)
        tree_->remove(*this);
}

avl_bstree::~avl_bstree()
{
    if (nodes_)
        for (avl_bsnode* node : *nodes_)
            node->tree_ = nullptr;
}

bool avl_bstree::create()
{
    if (!compare_)
        return false;
    if (nodes_)
        for (avl_bsnode* node : *nodes_)
            node->tree_ = nullptr;
    nodes_.emplace(avl_order{compare_});
    return true;
}

bool avl_bstree::insert(avl_bsnode& node)
{
    if (!nodes_ || node.tree_)
        return false;
    node.position_ = nodes_->insert(&node); // after the equal ones already in
    node.tree_ = this;
    return true;
}

bool avl_bstree::remove(avl_bsnode& node)
{
    if (node.tree_ != this)
        return false;
    nodes_->erase(node.position_);
    node.tree_ = nullptr;
    return true;
}

avl_bsnode* avl_bstree::find(const avl_bsnode& probe) const
{
    if (!nodes_)
        return nullptr;
    auto it = nodes_->lower_bound(const_cast<avl_bsnode*>(&probe));
    return it != nodes_->end() && compare_(**it, probe) == 0 ? *it : nullptr;
}

avl_bsnode* avl_bstree::first() const
{
    return nodes_ && !nodes_->empty() ? *nodes_->begin() : nullptr;
}

avl_bsnode* avl_bstree::next(const avl_bsnode& node) const
{
    if (node.tree_ != this)
        return nullptr;
    auto it = std::next(node.position_);
    return it == nodes_->end() ? nullptr : *it;
}
