#pragma once
#include "orrvan_comms/include/Ecu_iface.h"
#include "orrvan_comms/include/Ecu_status.h"

#include <string>

class Data_store;
namespace NV_quvel {
class parameters_t;
}

// Starts the communications library on the slave-ECU bus and takes its slave
// ECU: records its NAME in ecu_config.ecu_info[1], observes its status and
// its master-switch input (connector 2, "DIG Input 1", active low, reported
// every 200 ms). Without a slave ECU the process ends with the assertion
// "ecu_slave.is_valid()"; a bus that cannot be reached makes the library end
// it. The observers work on the store and the parameters given here.
void start_slave_ecu(const std::string& bus_spec, const std::string& identity_override, Data_store& store,
                     const NV_quvel::parameters_t& parameters);

// The slave ECU's status observer, on the "EcuManager" thread: once the slave
// runs (status 1), its firmware version goes into ecu_config.ecu_info[1].
void on_slave_status(Data_store& store, const Next_gen::Ecu_iface& ecu, Next_gen::Ecu_status status);

// The master-switch input's observer, on the "EcuManager" thread: the input
// is the master switch only in remote master mode 3.
void on_master_switch_input(Data_store& store, const NV_quvel::parameters_t& parameters, bool value);
