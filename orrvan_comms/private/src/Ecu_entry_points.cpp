#include "orrvan_comms/include/Ecu_entry_points.h"
#include "orrvan_comms/private/include/Ecu_manager.h"
#include "orrvan_comms/private/include/Slave_comms.h"

namespace Next_gen {

namespace {

Ecu_manager& manager()
{
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
