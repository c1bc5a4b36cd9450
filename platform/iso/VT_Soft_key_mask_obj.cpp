#include "platform/iso/VT_Soft_key_mask_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Soft_key_mask_obj::Soft_key_mask_obj(uint16_t id, const char* name, uint8_t background_colour, uint8_t n_objects,
                                     uint8_t n_macros, Attribute_object_id* objects,
                                     const Attribute_event_macro* macros)
    : VT_obj(id, soft_key_mask, name), background_colour_(background_colour), n_objects_(n_objects),
      n_macros_(n_macros), objects_(objects), macros_(macros)
{
}

void Soft_key_mask_obj::serialise_body(Record_writer& out) const
{
    out.u8(background_colour_);
    out.u8(n_objects_);
    out.u8(n_macros_);
    out.references(n_objects_, objects_);
    out.macros(n_macros_, macros_);
}

}
