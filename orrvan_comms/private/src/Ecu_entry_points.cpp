#include "orrvan_comms/include/Ecu_entry_points.h"
#include "orrvan_comms/private/include/Ecu_manager.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"
#include "orrvan_comms/private/include/Slave_comms.h"

namespace Next_gen {

namespace {

// Statics are destroyed in the reverse order of their construction, and the
// manager's destructor is what ends its task when finalise was not called.
// So what that task may still reach, the default link it ticks and the null
// objects its observers are handed, is built before the manager and goes
// after it, whichever accessor the process calls first.
bool build_what_the_manager_reaches()
{
    get_default_comms_iface();
    get_ecu_pin_invalid_analogue();
    get_ecu_pin_invalid_digital_input();
    get_ecu_pin_invalid_digital_output();
    get_ecu_pin_invalid_encoder_input();
    get_ecu_pin_invalid_pwm_output();
    return true;
}

Ecu_manager& manager()
{
    [[maybe_unused]] static const bool built_first = build_what_the_manager_reaches();
    static Ecu_manager manager;
    return manager;
}

}

Ecu_manager_iface& get_ecu_manager() { return manager(); }

Ecu_test_iface& get_test_iface() { return manager(); }

Ecu_comms_iface& get_default_comms_iface()
{
    static Slave_comms comms;
    return comms;
}

}
