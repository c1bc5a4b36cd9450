#pragma once
#include "orrvan_comms/private/include/Ecu.h"

namespace Next_gen {

// The null ECU: no link, NAME all ones, and only the null connector.
class Ecu_invalid : public Ecu {
public:
    Ecu_invalid();

    bool is_valid() const override;
    Ecu_connector_iface& get_connector(unsigned index) override;
    const Ecu_connector_iface& get_connector(unsigned index) const override;
};

}
