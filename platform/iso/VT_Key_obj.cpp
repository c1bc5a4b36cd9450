#include "platform/iso/VT_Key_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Key_obj::Key_obj(uint16_t id, const char* name, uint8_t background_colour, uint8_t key_code, uint8_t n_objects,
                 uint8_t n_macros, Attribute_object_placement* objects, const Attribute_event_macro* macros)
    : VT_obj(id, key, name), background_colour_(background_colour), key_code_(key_code), n_objects_(n_objects),
      n_macros_(n_macros), objects_(objects), macros_(macros)
{
}

void Key_obj::serialise_body(Record_writer& out) const
{
    out.u8(background_colour_);
    out.u8(key_code_);
    out.u8(n_objects_);
    out.u8(n_macros_);
    out.placements(*this, n_objects_, objects_);
    out.macros(n_macros_, macros_);
}

}
