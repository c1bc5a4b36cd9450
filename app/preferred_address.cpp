#include "app/preferred_address.h"
#include "platform/can/ZEV_trans.h"
#include "platform/rtos/Debug_base.h"

uint8_t preferred_address(uint8_t stored)
{
    const uint8_t factory_address = 144;
    if (stored < ZEV_trans::ADDRESS_ALL)
        return stored;
    Debug_print::dprint("Reset app address: %u to %u\n", unsigned(stored), unsigned(factory_address));
    return factory_address;
}
