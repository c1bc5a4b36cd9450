#pragma once
#include "orrvan_comms/include/Ecu_fault_category_iface.h"
#include "orrvan_comms/include/Observable_iface.h"

#include <QString>

namespace Next_gen {

// One fault an ECU supports, with its observable on/off status.
class Ecu_fault_iface {
public:
    virtual ~Ecu_fault_iface() = default;

    virtual QString get_name() const = 0;
    virtual unsigned get_id() const = 0;
    virtual Observable_iface<Ecu_fault_iface, bool>& get_status() = 0;
    virtual const Ecu_fault_category_iface& get_fault_category() const = 0;
};

}
