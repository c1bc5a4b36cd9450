#include "messaging/cds/CDS_Remote_NV_list.h"
#include "platform/data/Dumper.h"

namespace CDS {
namespace Remote {

void NV_list::_print(Debug::Dumper& dumper) const
{
    if (!dumper.open_list(name_))
        return;
    for (Data_item* child : children_)
        child->_print(dumper);
    dumper.close_list(name_);
}

void NV_list::for_each_child(const std::function<bool(Data_item&)>& visit) const
{
    for (Data_item* child : children_)
        if (!visit(*child))
            return;
}

}
}
