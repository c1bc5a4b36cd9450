#pragma once
#include "platform/iso/VT_Lifecycle_watch.h"

#include <QByteArray>

#include <cstdint>

namespace VT {

// One entry of a reference list (the keys of a soft-key mask, the items of
// an input list): the object's ID and the list's name.
class Attribute_object_id {
public:
    Attribute_object_id() : Attribute_object_id(65535) {}
    explicit Attribute_object_id(uint16_t id, const char* name = "child_objects") : id_(id), name_(name)
    {
        Lifecycle_watch::tell_made(Lifecycle_watch::reference, id_, this);
    }
    Attribute_object_id(const Attribute_object_id& other) : id_(other.id_), name_(other.name_)
    {
        Lifecycle_watch::tell_made(Lifecycle_watch::reference, id_, this);
    }
    Attribute_object_id& operator=(const Attribute_object_id&) = default;
    ~Attribute_object_id() { Lifecycle_watch::tell_gone(Lifecycle_watch::reference, id_, this); }

    uint16_t get_id() const { return id_; }
    void set_id(uint16_t id) { id_ = id; }
    const QByteArray& get_name() const { return name_; }

private:
    uint16_t id_;
    QByteArray name_;
};

}
