#pragma once
#include <QByteArray>

#include <cstdint>

namespace VT {

// One entry of a reference list (the keys of a soft-key mask, the items of
// an input list): the object's ID and the list's name.
class Attribute_object_id {
public:
    Attribute_object_id() : Attribute_object_id(65535) {}
    explicit Attribute_object_id(uint16_t id, const char* name = "child_objects") : id_(id), name_(name) {}

    uint16_t get_id() const { return id_; }
    void set_id(uint16_t id) { id_ = id; }
    const QByteArray& get_name() const { return name_; }

private:
    uint16_t id_;
    QByteArray name_;
};

}
