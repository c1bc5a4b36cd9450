#include "orrvan_comms/private/legacy/hw/tessaryn/temperature_t.h"
#include "platform/rtos/Debug_base.h"

namespace Tessaryn {

void temperature_t::print() const
{
    Debug_print::dprint("temperature_t:dirty=%d,value=%f\n", dirty, double(value));
}

}
