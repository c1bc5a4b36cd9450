#include "platform/iso/VT_Auxiliary_input_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Auxiliary_input_obj::Auxiliary_input_obj(uint16_t id, const char* name, uint8_t background_colour,
                                         uint8_t function_type, uint8_t input_id, uint8_t n_objects,
                                         Attribute_object_placement* objects)
    : VT_obj(id, auxiliary_input, name), background_colour_(background_colour), function_type_(function_type),
      input_id_(input_id), n_objects_(n_objects), objects_(objects)
{
}

void Auxiliary_input_obj::serialise_body(Record_writer& out) const
{
    out.u8(background_colour_);
    out.u8(function_type_);
    out.u8(input_id_);
    out.u8(n_objects_);
    out.placements(*this, n_objects_, objects_);
}

}
