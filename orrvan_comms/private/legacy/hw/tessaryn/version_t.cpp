#include "orrvan_comms/private/legacy/hw/tessaryn/version_t.h"
#include "platform/rtos/Debug_base.h"

namespace Tessaryn {

void version_t::print() const
{
    Debug_print::dprint("version:dirty=%d,ecu_type=%d,ecu_series=%d,ecu_firmware_type=%d,major=%d,minor=%d,patch=%d\n",
                        dirty, ecu_type, ecu_series, ecu_firmware_type, major, minor, patch);
}

}
