#include "platform/iso/VT_vtui_pool.h"
#include "platform/rtos/Bugger.h"

namespace VT {

VT_obj** vtui_pool::checked(VT_obj** table, unsigned short size)
{
    if (!table || size < common_count)
        Bugger::report_bug("VT pool table too small for the common objects");
    return table;
}

vtui_pool::vtui_pool(module_man* man, VT_obj** table, unsigned short size)
    : Object_pool(man, checked(table, size), size), common_(*this, Common_builder())
{
}

vtui_pool::~vtui_pool() = default;

vtui_pool::Common_objects::Common_objects(vtui_pool& pool, Common_builder&& builder) : blocks(builder)
{
    const std::vector<VT_obj*>& objects = builder.get_objects();
    if (objects.size() != common_count)
        Bugger::report_bug("common VT objects not as many as declared");
    builder.fill();
    for (unsigned short slot = 0; slot < common_count; ++slot)
        pool.enter(slot, *objects[slot]);
}

}
