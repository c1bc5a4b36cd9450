#include "platform/rtos/MutexImp.h"
#include "platform/rtos/Debug_base.h"

#include <QMutex>

void MutexImp::debug_lock(QMutex& mutex)
{
    constexpr int report_after_ms = 5000;
    int waited_s = 0;
    while (!mutex.tryLock(report_after_ms)) {
        waited_s += report_after_ms / 1000;
        Debug_print::dprint("MutexImp: still waiting for mutex %p after %d s\n", static_cast<void*>(&mutex), waited_s);
    }
}
