#include "isobus/Element_properties.h"
#include "isobus/Unit_pd_coders.h"

namespace TC_client {

const Literal_designator x_text("X");
const Literal_designator y_text("Y");
const Literal_designator element_type_instance_text("Element Type Instance");

void set_property(Property_element& property, uint16_t ddi, const Designator& designator, int32_t value,
                  const Value_presentation* presentation)
{
    property.set_ddi(ddi);
    property.set_designator(&designator);
    property.set_value(value);
    property.set_presentation(presentation);
}

int32_t metres_to_mm(double metres)
{
    return Unit_pd_coders<double>::m_to_mm.encode(metres);
}

}
