#pragma once
#include "platform/data/Data_item.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace NV_store {

class NV_container;
class NV_iterator;
class NV_root;
class Virt_access;

// Why a change is announced; listeners receive it as their event's code.
enum notify_t : uint8_t {
    notify_none = 0,   // a record copy that announces no record
    notify_set = 1,    // a scalar written directly (set, text)
    notify_field = 2,  // a field written by a record copy
    notify_locked = 3, // written under the item's or record's lock: a name, a locked record copy
};

// How an item's body follows its header in the parameter file.
enum form_t : uint8_t {
    form_value = 0,     // one value, its size fixed by the type
    form_container = 1, // a length, then the children
    form_counted = 9,   // a count, then that many elements
};

// A node of a parameter tree: a child of its container, keyed there by its
// id, with a name, a lock and the listeners that follow it. Nodes are built
// in place as members of their container and never move.
class NV_item : public Data_item {
public:
    // A null parent makes a standalone item.
    NV_item(NV_container* parent, unsigned short id, const char* name);
    ~NV_item() override;
    NV_item(const NV_item&) = delete;
    NV_item& operator=(const NV_item&) = delete;

    const char* get_name() const override { return name_; }
    unsigned short get_id() const { return id_; }
    NV_container* get_parent() const { return parent_; }
    const NV_item* get_next_sibling() const { return next_sibling_; }
    NV_item* get_next_sibling() { return next_sibling_; }

    virtual form_t get_form() const = 0;

    // flag true puts the item (and everything below it) back to its defaults,
    // silently: the caller signals afterwards (NV_root::signal_all).
    virtual bool set_default(bool flag) = 0;

    // The parameter file: serialise pushes the item's header and body;
    // deserialise pops them, and refuses an item with another id, type or
    // form. A load changes values silently.
    virtual bool serialise(NV_iterator* it) const = 0;
    virtual bool deserialise(NV_iterator* it) = 0;

    // Sets the item from text with a change notification; returns the end of
    // the parsed text, or null (and changes nothing) when it does not parse.
    virtual const char* _from_string(const char* text);

    void _print(Debug::Dumper& dumper) const override { _print(dumper, get_name()); }
    virtual void _print(Debug::Dumper& dumper, const char* name) const = 0;

    virtual void _set_root(NV_root* root);

    // The item's own lock, recursive for the thread that holds it.
    void lock() const { lock_.lock(); }
    void unlock() const { lock_.unlock(); }

    // When changed, announces the item (below).
    void notify_updated(bool changed, notify_t mode) const;
    // Queues an event to every listener of this item and of the containers
    // above it (those registered for changes below them), then tells the
    // change handlers of the item and of the containers above it. Never
    // blocks on a receiver and never calls one; call it without the item's lock.
    void announce(notify_t mode) const;

    // Re-parents a standalone item as the next child of parent, under a new id.
    static void _set_parent(NV_item& item, NV_container* parent, unsigned short id);

protected:
    friend class NV_container;
    // Copies the value(s) of other, an item of the same shape, notifying as a
    // record copy does; returns whether anything changed.
    virtual bool assign_from(const NV_item& other, notify_t mode) = 0;
    // Queues an event to each listener of this item; the caller holds the
    // listener mutex. Only listeners for changes below hear a change below.
    void post_to_listeners(const NV_item& changed, int module, notify_t mode) const;

    // Guards every item's listener list and every listener's registration.
    static std::mutex& listener_mutex();

private:
    friend class Virt_access;

    NV_container* parent_;
    NV_item* next_sibling_ = nullptr;
    unsigned short id_;
    const char* name_;
    mutable std::recursive_mutex lock_;
    std::vector<Virt_access*> listeners_;
};

}
