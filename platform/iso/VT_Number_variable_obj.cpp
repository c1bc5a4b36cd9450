#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Number_variable_obj::Number_variable_obj(uint16_t id, const char* name, uint32_t value)
    : VT_obj(id, number_variable, name), value_(value)
{
}

void Number_variable_obj::serialise_body(Record_writer& out) const
{
    out.u32(value_);
}

uint32_t Number_variable_obj::get_value() const
{
    check_pool_locked();
    return value_;
}

void Number_variable_obj::set_value(uint32_t value)
{
    check_pool_locked();
    if (value_ == value)
        return;
    value_ = value;
    send_command(Command::numeric_value(get_id(), value));
}

}
