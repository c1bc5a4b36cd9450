#pragma once
#include "orrvan_comms/private/include/Ecu_connector.h"

namespace Next_gen {

// The null connector: it creates no pin and answers every pin request with
// the null pin of the kind asked for.
class Ecu_connector_invalid : public Ecu_connector {
public:
    using Ecu_connector::Ecu_connector;

    bool is_valid() const override;
    Ecu_pin_iface& get_pin(unsigned index) override;
};

}
