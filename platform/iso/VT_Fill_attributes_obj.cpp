#include "platform/iso/VT_Fill_attributes_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Fill_attributes_obj::Fill_attributes_obj(uint16_t id, const char* name, uint8_t fill_type, uint8_t fill_colour,
                                         uint16_t fill_pattern, uint8_t n_macros, const Attribute_event_macro* macros)
    : VT_obj(id, fill_attributes, name), fill_type_(fill_type), fill_colour_(fill_colour), fill_pattern_(fill_pattern),
      n_macros_(n_macros), macros_(macros)
{
}

void Fill_attributes_obj::serialise_body(Record_writer& out) const
{
    out.u8(fill_type_);
    out.u8(fill_colour_);
    out.u16(fill_pattern_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

}
