#pragma once
#include "isobus/Literal_designator.h"
#include "platform/iso/TC_client_Property_element.h"

namespace TC_client {

// The names of the fixed values that several elements carry.
extern const Literal_designator x_text;                     // offset X, DDI 134
extern const Literal_designator y_text;                     // offset Y, DDI 135
extern const Literal_designator element_type_instance_text; // DDI 178

// Gives a property its DDI, name, value and presentation (null: none).
void set_property(Property_element& property, uint16_t ddi, const Designator& designator, int32_t value,
                  const Value_presentation* presentation = nullptr);

// A length in metres as the description states it: whole millimetres,
// rounded to nearest with ties to even, saturated to the int32 range.
int32_t metres_to_mm(double metres);

}
