#include "messaging/cds/start_remote_data_store.h"
#include "platform/data/CDS_Head.h"
#include "platform/data/CDS_Lookup_root.h"
#include "platform/rtos/Atime.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Diner.h"

void start_remote_data_store(ZEV_smart_stack& stack, std::unique_ptr<CDS::Remote::Server>& server,
                             std::unique_ptr<Can_gril::Can_gril>& gateway, CDS::Head& store,
                             NV_store::NV_root& parameters)
{
    if (server || gateway)
        return;
    Debug_base::print(8, "%lu:START:remote cds\n", static_cast<unsigned long>(Atime::ms_of_day()));
    server = std::make_unique<CDS::Remote::Server>();
    if (CDS::Lookup_struct* lookup = store.get_lookup())
        if (CDS::Lookup_root* root = lookup->as_root())
            server->add_cds(*root);
    server->add_nv(parameters);
    server->build_ids();
    gateway = std::make_unique<Can_gril::Can_gril>();
    gateway->add_stack(&stack);
    gateway->init(Diner_info_list::get(), server.get());
    Debug_base::print(8, "%lu:end\n", static_cast<unsigned long>(Atime::ms_of_day()));
    Debug_print::dprint("Remote CDS started\n");
}
