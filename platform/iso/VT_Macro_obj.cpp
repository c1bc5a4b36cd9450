#include "platform/iso/VT_Macro_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Macro_obj::Macro_obj(uint16_t id, const char* name, uint16_t n_bytes, const uint8_t* commands)
    : VT_obj(id, macro, name), n_bytes_(n_bytes), commands_(commands)
{
}

void Macro_obj::serialise_body(Record_writer& out) const
{
    out.u16(n_bytes_);
    out.bytes(commands_, n_bytes_);
}

}
