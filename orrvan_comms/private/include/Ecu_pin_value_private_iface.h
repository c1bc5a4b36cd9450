#pragma once

namespace Next_gen {

// How the library hands a pin a value of type T, reached by a run-time type
// query: received inputs, forced test values and outputs set by a client.
template <class T>
class Ecu_pin_value_private_iface {
public:
    virtual ~Ecu_pin_value_private_iface() = default;

    virtual void set_pin_value(T value) = 0;
};

}
