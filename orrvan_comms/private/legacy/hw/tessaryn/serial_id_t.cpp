#include "orrvan_comms/private/legacy/hw/tessaryn/serial_id_t.h"
#include "platform/rtos/Debug_base.h"

namespace Tessaryn {

void serial_id_t::print() const
{
    Debug_print::dprint("identity:dirty=%d,id(hex)=", dirty);
    for (uint8_t byte : id)
        Debug_print::dprint("%02x ", byte);
    Debug_print::dprint("\n");
}

}
