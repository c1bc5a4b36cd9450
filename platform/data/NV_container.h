#pragma once
#include "platform/data/NV_item.h"

namespace NV_store {

// A node with children: records, fixed arrays of records and the root. The
// children are kept in construction order, which is ascending id order.
class NV_container : public NV_item {
public:
    // A child of parent in the tree of root.
    NV_container(NV_container* parent, NV_root* root, unsigned short id, const char* name);
    // A standalone container: no parent, no root.
    NV_container(unsigned short id, const char* name);

    form_t get_form() const override { return form_container; }
    // False for fixed arrays, whose elements share a name and differ by id.
    virtual bool children_have_unique_names() const { return true; }

    NV_root* _get_root() const { return root_; }
    // Hands the root down to every container below.
    void _set_root(NV_root* root) override;

    const NV_item* get_first_child() const { return first_child_; }
    NV_item* get_first_child() { return first_child_; }
    NV_item* find_child(unsigned short id) const;
    NV_item* find_child(const char* name) const;
    // Follows a path of child names separated by separator; elements of a
    // fixed array are named by their decimal id ("app/channels/3/enabled").
    // Null when a step finds nothing.
    NV_item* _search(const char* path, char separator) const;

    bool set_default(bool flag) override;
    bool serialise(NV_iterator* it) const override;
    // Children are matched by id: a child missing from the file keeps its
    // value, and an item with an unknown id, or with another type or form than
    // the child of that id, is skipped.
    bool deserialise(NV_iterator* it) override;
    using NV_item::_print;
    void _print(Debug::Dumper& dumper, const char* name) const override;

protected:
    bool is_structure() const override { return true; }
    void for_each_child(const std::function<bool(Data_item&)>& visit) const override;

    // The field-by-field copy from a container of the same shape: every child
    // in order, then, unless mode is notify_none, this record's own
    // notification (also when nothing changed). Returns whether anything did.
    bool assign_record(const NV_container& other, notify_t mode);
    // The same with mode notify_locked, under this container's lock.
    bool assign_record_locked(const NV_container& other);
    // Copies every child in order without a notification of this container.
    bool assign_children(const NV_container& other, notify_t mode);
    bool assign_from(const NV_item& other, notify_t mode) override;

    // Queues one event to every listener in the subtree; the caller holds the
    // listener mutex.
    void post_to_all_listeners(int module) const;

private:
    friend class NV_item;
    void append_child(NV_item& child);

    NV_root* root_;
    NV_item* first_child_ = nullptr;
    NV_item* last_child_ = nullptr;
};

}
