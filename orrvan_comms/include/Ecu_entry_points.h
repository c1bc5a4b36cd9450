#pragma once
#include "orrvan_comms/include/Ecu_comms_iface.h"
#include "orrvan_comms/include/Ecu_manager_iface.h"
#include "orrvan_comms/include/Ecu_test_iface.h"

// The only symbols the library exports.
#define ORRVAN_COMMS_EXPORT __attribute__((visibility("default")))

namespace Next_gen {

// Process-wide objects owned by the library, built on first use and never
// freed by the caller. The manager and the test interface are one object.
ORRVAN_COMMS_EXPORT Ecu_manager_iface& get_ecu_manager();
ORRVAN_COMMS_EXPORT Ecu_test_iface& get_test_iface();
ORRVAN_COMMS_EXPORT Ecu_comms_iface& get_default_comms_iface();

}
