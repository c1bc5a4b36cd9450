#pragma once
#include "orrvan_comms/include/Ecu_comms_iface.h"
#include "orrvan_comms/include/Ecu_detect_status.h"
#include "orrvan_comms/include/Ecu_iface.h"
#include "orrvan_comms/include/Observable_iface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Next_gen {

// The library's manager of slave ECUs. Call initialise, open the link,
// detect_ecus, then take the ECU of the first NAME; finalise at the end.
class Ecu_manager_iface {
public:
    virtual ~Ecu_manager_iface() = default;

    // Finds the slave ECU (its identity from the override "<identity>,<type>",
    // or read over SPI when the override is empty), sets up the link on that
    // bus, adds the ECU and starts the "EcuManager" task, which ticks the link
    // and every ECU every 10 ms. A malformed override is reported and read as
    // an empty one.
    virtual void initialise(Ecu_comms_iface& comms, std::string bus, std::string identity_override) = 0;
    // Ends the task, closes the link and lets go of every ECU.
    virtual void finalise() = 0;
    // Starts a detection, which runs for 1499 ticks; one that runs goes on.
    virtual void detect_ecus() = 0;
    virtual Observable_iface<Ecu_manager_iface, Ecu_detect_status>& get_detect_status() = 0;
    // The NAMEs of all ECUs, ascending.
    virtual std::vector<uint64_t> get_iso_names() const = 0;
    // The ECU of that NAME (0: the slave ECU found by initialise), or the null
    // ECU, whose is_valid() is false.
    virtual Ecu_iface& get_ecu(uint64_t name) const = 0;
    virtual void reset_ecu_faults() = 0;
};

}
