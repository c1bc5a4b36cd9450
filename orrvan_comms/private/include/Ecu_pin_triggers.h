#pragma once
#include "orrvan_comms/include/Observer_triggers_iface.h"

namespace Next_gen {

// An input pin passes on only the on-time interval of its observables, as
// the ECU's reporting rate of the input; the other timings stay with the
// observable.
template <class I, class T>
class Ecu_pin_triggers : public Observer_triggers_iface<I, T> {
public:
    void set_min_on_change_update_interval(I*, T*, unsigned) override {}
    void set_change_threshold(I*, T*, T) override {}
};

}
