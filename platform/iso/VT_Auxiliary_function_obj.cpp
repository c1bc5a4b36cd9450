#include "platform/iso/VT_Auxiliary_function_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Auxiliary_function_obj::Auxiliary_function_obj(uint16_t id, const char* name, uint8_t background_colour,
                                               uint8_t function_type, uint8_t n_objects,
                                               Attribute_object_placement* objects)
    : VT_obj(id, auxiliary_function, name), background_colour_(background_colour), function_type_(function_type),
      n_objects_(n_objects), objects_(objects)
{
}

void Auxiliary_function_obj::serialise_body(Record_writer& out) const
{
    out.u8(background_colour_);
    out.u8(function_type_);
    out.u8(n_objects_);
    out.placements(*this, n_objects_, objects_);
}

}
