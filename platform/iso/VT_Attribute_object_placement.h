#pragma once
#include "platform/iso/VT_Lifecycle_watch.h"

#include <cstdint>

namespace VT {

class VT_obj;

// One child of a parent's list: the child's ID and where it is drawn inside
// the parent. The plain form gives x and y; the aligned form adds a code that
// places the child against its parent's edges instead: bits 0-1 across
// (1 left, 2 centred, 3 right), bits 2-3 down (1 top, 2 centred, 3 bottom),
// 0 keeping the given coordinate.
class Attribute_object_placement {
public:
    Attribute_object_placement() { Lifecycle_watch::tell_made(Lifecycle_watch::placement, id_, this); }
    Attribute_object_placement(uint16_t id, int16_t x, int16_t y) : id_(id), x_(x), y_(y)
    {
        Lifecycle_watch::tell_made(Lifecycle_watch::placement, id_, this);
    }
    Attribute_object_placement(uint16_t id, int16_t x, int16_t y, uint8_t alignment)
        : id_(id), x_(x), y_(y), alignment_(alignment)
    {
        Lifecycle_watch::tell_made(Lifecycle_watch::placement, id_, this);
    }
    Attribute_object_placement(const Attribute_object_placement& other)
        : id_(other.id_), x_(other.x_), y_(other.y_), alignment_(other.alignment_)
    {
        Lifecycle_watch::tell_made(Lifecycle_watch::placement, id_, this);
    }
    Attribute_object_placement& operator=(const Attribute_object_placement&) = default;
    ~Attribute_object_placement() { Lifecycle_watch::tell_gone(Lifecycle_watch::placement, id_, this); }

    uint16_t get_id() const { return id_; }
    int16_t get_x() const { return x_; }
    int16_t get_y() const { return y_; }
    uint8_t get_alignment() const { return alignment_; }
    void set_position(int16_t x, int16_t y)
    {
        x_ = x;
        y_ = y;
    }

    // The position the child is drawn at. An aligned child takes it from the
    // parent's size and its own (an odd spare pixel goes after the child);
    // where either has no size of its own, the given x and y stand.
    void position_in(const VT_obj& parent, const VT_obj* child, int16_t& x, int16_t& y) const;

private:
    uint16_t id_ = 65535;
    int16_t x_ = 0;
    int16_t y_ = 0;
    uint8_t alignment_ = 0;
};

}
