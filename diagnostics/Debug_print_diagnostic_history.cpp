#include "diagnostics/Debug_print_diagnostic_history.h"
#include "diagnostics/Diagnostics.h"
#include "platform/rtos/Debug_base.h"

void Debug_print_diagnostic_history::_output(uint8_t source, uint16_t oc, uint16_t err, uint32_t seconds,
                                             unsigned milliseconds)
{
    Debug_base::print(Diagnostics::debug_channel, "\tHIST<src=%x,err=%x,oc=%u,time=%u.%03u>\n", unsigned(source),
                      unsigned(err), unsigned(oc), seconds, milliseconds);
}

void Debug_print_diagnostic_history::reset()
{
    Debug_base::print(Diagnostics::debug_channel, "<History>\n");
}

void Debug_print_diagnostic_history::notify_done()
{
    Debug_base::print(Diagnostics::debug_channel, "</History>\n");
}
