#include "app/load_seeder_screens.h"
#include "platform/iso/Object_pool_base.h"
#include "platform/iso/VT_Object_deserial.h"
#include "platform/rtos/Debug_base.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/model/VtLogger.h"

bool load_seeder_screens(Object_pool_base<VT::VT_obj>& pool, Seeder_pool_ids& ids, uint32_t writer_size)
{
    VtLogger logger;
    VtWriter writer(writer_size, &logger);
    // The data mask size the screens are laid out for.
    const VtSize size(240, 240);
    VT::Object_deserial deserial;
    if (!build_seeder_pool(ids, writer, size)) {
        Debug_print::dprint("No VT interface: the screens do not fit in the %u bytes given them\n",
                            unsigned(writer_size));
        return false;
    }
    deserial.init(&pool);
    if (!deserial.run(writer.getData(), writer.getLength())) {
        Debug_print::dprint("No VT interface: the pool refused the screens' object %u\n",
                            unsigned(deserial.get_failed_id()));
        return false;
    }
    return true;
}
