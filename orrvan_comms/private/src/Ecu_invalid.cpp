#include "orrvan_comms/private/include/Ecu_invalid.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"

namespace Next_gen {

Ecu_invalid::Ecu_invalid() : Ecu(nullptr, ~uint64_t(0), Ecu_version_info(), false) {}

bool Ecu_invalid::is_valid() const { return false; }

Ecu_connector_iface& Ecu_invalid::get_connector(unsigned) { return get_ecu_connector_invalid(); }

const Ecu_connector_iface& Ecu_invalid::get_connector(unsigned) const { return get_ecu_connector_invalid(); }

}
