#pragma once
#include "orrvan_comms/include/Ecu_pin_iface.h"
#include "orrvan_comms/include/Ecu_version_info.h"

#include <QString>
#include <cstdint>

namespace Next_gen {

// What a test harness or simulator does with the manager: add ECUs,
// connectors and faults, force pin values and tick by hand. Operations on a
// NAME without an ECU do nothing.
class Ecu_test_iface {
public:
    virtual ~Ecu_test_iface() = default;

    // Runs the manager's 10 ms tick n times on the caller's thread.
    virtual void tick(unsigned n) = 0;
    // Forces the status and the value of a pin that takes a value of the type.
    virtual void set_pin(uint64_t name, unsigned connector, unsigned pin, Ecu_pin_value_status status,
                         float value) = 0;
    virtual void set_pin(uint64_t name, unsigned connector, unsigned pin, Ecu_pin_value_status status,
                         bool value) = 0;
    virtual void set_pin(uint64_t name, unsigned connector, unsigned pin, Ecu_pin_value_status status,
                         unsigned value) = 0;
    // Creates and initialises an ECU, replacing one of the same NAME.
    virtual void add_ecu(uint64_t name, Ecu_version_info version, bool version_fixed) = 0;
    virtual void add_connector(uint64_t name, QString connector) = 0;
    virtual void set_fault_status(uint64_t name, unsigned fault, bool active) = 0;
    // Returns the new category's index, -1 without such an ECU.
    virtual int add_fault_category(uint64_t name, QString category, unsigned id) = 0;
    virtual void add_fault(uint64_t name, int category, QString text, unsigned id) = 0;
    // Before initialise: the slave's version, which initialise then keeps
    // instead of reading it over SPI, and which the slave cannot change.
    virtual void set_spi_version(Ecu_version_info version) = 0;
};

}
