#include "orrvan_comms/private/legacy/hw/tessaryn/identity_t.h"
#include "platform/rtos/Debug_base.h"

namespace Tessaryn {

void identity_t::print() const
{
    Debug_print::dprint("identity:dirty=%d,id=%04x\n", dirty, unsigned(id));
}

}
