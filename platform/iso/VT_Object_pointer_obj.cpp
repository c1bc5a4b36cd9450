#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Object_pointer_obj::Object_pointer_obj(uint16_t id, const char* name, uint8_t, const uint16_t*, uint16_t value)
    : VT_obj(id, object_pointer, name), value_(value)
{
}

uint16_t Object_pointer_obj::get_value() const
{
    check_pool_locked();
    return value_;
}

void Object_pointer_obj::set_value(uint16_t id)
{
    check_pool_locked();
    if (value_ == id)
        return;
    value_ = id;
    send_command(Command::numeric_value(get_id(), id));
}

void Object_pointer_obj::serialise_body(Record_writer& out) const
{
    out.u16(value_);
}

}
