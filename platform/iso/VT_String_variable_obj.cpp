#include "platform/iso/VT_String_variable_obj.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Record_writer.h"
#include "platform/iso/VT_text.h"

#include <string>

namespace VT {

String_variable_obj::String_variable_obj(uint16_t id, const char* name, uint16_t length, char* value)
    : VT_obj(id, string_variable, name), length_(length), value_(value)
{
}

void String_variable_obj::serialise_body(Record_writer& out) const
{
    out.u16(length_);
    out.text(value_, length_);
}

const char* String_variable_obj::get_value() const
{
    check_pool_locked();
    return value_;
}

void String_variable_obj::__set_string(const char* text)
{
    check_pool_locked();
    if (!value_)
        return;
    const std::string before(value_, length_);
    fill_text(value_, length_, text);
    if (before.compare(0, length_, value_, length_) != 0)
        send_command(Command::string_value(get_id(), value_, length_));
}

}
