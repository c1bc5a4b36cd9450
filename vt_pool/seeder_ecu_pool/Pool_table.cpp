#include "vt_pool/seeder_ecu_pool/Pool_table.h"
#include "platform/rtos/Bugger.h"

namespace VT {

Pool_table::Pool_table(VT_obj** table, unsigned short size, unsigned short needed)
    : own_(table ? nullptr : new VT_obj*[needed]()), slots_(table ? table : own_.get()),
      slot_count_(table ? size : needed)
{
    if (slot_count_ < needed)
        Bugger::report_bug("VT pool table smaller than the pool's objects");
}

}
