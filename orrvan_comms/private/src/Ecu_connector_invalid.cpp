#include "orrvan_comms/private/include/Ecu_connector_invalid.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"

namespace Next_gen {

bool Ecu_connector_invalid::is_valid() const { return false; }

Ecu_pin_iface& Ecu_connector_invalid::get_pin(unsigned) { return get_ecu_pin_invalid_analogue(); }

}
