#include "platform/iso/VT_Attribute_object_placement.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

namespace {
// The coordinate along one axis for a two-bit alignment code.
int16_t aligned(unsigned code, int16_t given, int parent, int child)
{
    const int spare = parent - child;
    switch (code) {
    case 1:
        return 0;
    case 2:
        return int16_t(spare >= 0 ? spare / 2 : -((1 - spare) / 2)); // floor
    case 3:
        return int16_t(spare);
    default:
        return given;
    }
}
}

void Attribute_object_placement::position_in(const VT_obj& parent, const VT_obj* child, int16_t& x, int16_t& y) const
{
    x = x_;
    y = y_;
    int parent_width, parent_height, child_width, child_height;
    if (alignment_ == 0 || !child || !parent.get_displayed_size(parent_width, parent_height)
        || !child->get_displayed_size(child_width, child_height))
        return;
    x = aligned(alignment_ & 3u, x_, parent_width, child_width);
    y = aligned(alignment_ >> 2 & 3u, y_, parent_height, child_height);
}

}
