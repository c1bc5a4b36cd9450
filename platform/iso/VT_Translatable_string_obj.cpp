#include "platform/iso/VT_Translatable_string_obj.h"
#include "platform/iso/VT_Record_writer.h"

#include <cstring>

namespace VT {

Translatable_string_obj::Translatable_string_obj(uint16_t id, const char* name, uint16_t length, char*, int32_t,
                                                 const char* const* table, int32_t table_size)
    : VT_obj(id, string_variable, name), length_(length), table_(table), table_size_(table_size)
{
}

void Translatable_string_obj::serialise_body(Record_writer& out) const
{
    const char* text = table_ && table_size_ > 0 && table_[0] ? table_[0] : "";
    const size_t n = strnlen(text, length_);
    out.u16(length_);
    out.text(text, n);
    for (size_t i = n; i < length_; ++i)
        out.u8(' ');
}

}
