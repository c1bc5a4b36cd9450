#include "messaging/cds/CDS_Remote_Data_root_list.h"
#include "platform/data/CDS_Lookup_root.h"
#include "platform/data/NV_root.h"
#include "platform/rtos/Debug_base.h"

namespace CDS {
namespace Remote {

Data_root_list::Data_root_list()
    : NV_list("remote")
{
    add(cds_);
    add(nv_);
    number();
}

void Data_root_list::add_cds(Lookup_root& root)
{
    cds_.add(root);
    number();
}

void Data_root_list::add_nv(NV_store::NV_root& root)
{
    nv_.add(root);
    number();
}

void Data_root_list::number()
{
    next_id_ = number_remote_ids(1);
    if (next_id_ > id_limit)
        Debug_print::dprint("CDS::Served tree numbers %u items, past the id limit %u\n",
                            unsigned(next_id_ - 1), unsigned(id_limit));
}

}
}
