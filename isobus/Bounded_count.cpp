#include "isobus/Bounded_count.h"
#include "platform/rtos/Debug_base.h"

namespace TC_client {

int bounded_count(const char* parameter, int value, int size)
{
    if (value <= size)
        return value;
    Debug_print::dprint("TC description: %s is %d, only %d described\n", parameter, value, size);
    return size;
}

}
