#pragma once
#include <QString>

namespace Next_gen {

// A group of faults of an ECU.
class Ecu_fault_category_iface {
public:
    virtual ~Ecu_fault_category_iface() = default;

    virtual QString get_name() const = 0;
    virtual unsigned get_id() const = 0;
};

}
