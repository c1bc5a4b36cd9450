#include "platform/iso/VT_Object_pool.h"
#include "platform/rtos/Debug_base.h"

#include <QThread>

#include <cstdlib>

namespace VT {

uint8_t Object_pool::vt_capabilities[capability_count] = {};

Object_pool::Object_pool(module_man* man, VT_obj** table, unsigned short size)
    : Object_pool_base<VT_obj>(table, size), man_(man)
{
}

void Object_pool::check_pool_locked() const
{
    if (Debug_base::enabled(44) || task_mutex().held_by_caller())
        return;
    int status = 2;
    Qt::HANDLE owner = task_mutex().owner_thread();
    if (lock(0)) {
        unlock();
        status = 0;
        owner = nullptr;
    }
    Debug_print::dprint("Bad mutex status: %d, wanted: %d %p %p\n", status, 1, owner, QThread::currentThreadId());
    if (!Debug_base::enabled(43))
        std::abort();
}

bool Object_pool::extend_timeouts() const
{
    const ZEV_name::RAWNAME vt = get_vt_name();
    if (Debug_base::enabled(49))
        return true;
    if (vt == ZEV_name::RAWNAME::GLOBAL_NAME)
        return false;
    return vt.get(ZEV_name::Field::manufacturer_code) == slow_vt_manufacturer && vt_capabilities[1] == 8;
}

}
