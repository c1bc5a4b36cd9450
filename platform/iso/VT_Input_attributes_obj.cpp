#include "platform/iso/VT_Input_attributes_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Input_attributes_obj::Input_attributes_obj(uint16_t id, const char* name, uint8_t validation_type, uint8_t length,
                                           const char* validation_string, uint8_t n_macros,
                                           const Attribute_event_macro* macros)
    : VT_obj(id, input_attributes, name), validation_type_(validation_type), length_(length),
      validation_string_(validation_string), n_macros_(n_macros), macros_(macros)
{
}

void Input_attributes_obj::serialise_body(Record_writer& out) const
{
    out.u8(validation_type_);
    out.u8(length_);
    out.text(validation_string_, length_);
    out.u8(n_macros_);
    out.macros(n_macros_, macros_);
}

}
