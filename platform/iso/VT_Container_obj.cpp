#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Container_obj::Container_obj(uint16_t id, const char* name, uint16_t width, uint16_t height, uint8_t hidden,
                             uint8_t n_objects, uint8_t n_macros, Attribute_object_placement* objects,
                             const Attribute_event_macro* macros)
    : VT_obj(id, container, name), width_(width), height_(height), hidden_(hidden), n_objects_(n_objects),
      n_macros_(n_macros), objects_(objects), macros_(macros)
{
}

bool Container_obj::get_displayed_size(int& width, int& height) const
{
    width = width_;
    height = height_;
    return true;
}

void Container_obj::serialise_body(Record_writer& out) const
{
    out.u16(width_);
    out.u16(height_);
    out.u8(hidden_);
    out.u8(n_objects_);
    out.u8(n_macros_);
    out.placements(*this, n_objects_, objects_);
    out.macros(n_macros_, macros_);
}

bool Container_obj::get_hidden() const
{
    check_pool_locked();
    return hidden_ != 0;
}

void Container_obj::set_hidden(bool hidden)
{
    check_pool_locked();
    if (hidden_ == (hidden ? 1 : 0))
        return;
    hidden_ = hidden ? 1 : 0;
    send_command(Command::hide_show(get_id(), !hidden));
}

}
