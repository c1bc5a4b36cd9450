#include "platform/data/CDS_Lookup_struct.h"
#include "platform/data/Dumper.h"
#include "platform/rtos/Debug_base.h"

namespace CDS {

void Lookup_struct::print(int depth) const
{
    Debug_print::dprint("%*sstruct %s { \"%s\"\n", depth * 4, "", type_name_text(), comment_text());
    for (const Lookup_item& child : children_)
        child.print(depth + 1);
    Debug_print::dprint("%*s} %s;\n", depth * 4, "", name_text());
}

void Lookup_struct::_print(Debug::Dumper& dumper) const
{
    if (!dumper.open_list(name_text()))
        return;
    for (const Lookup_item& child : children_)
        child._print(dumper);
    dumper.close_list(name_text());
}

void Lookup_struct::for_each_child(const std::function<bool(Data_item&)>& visit) const
{
    for (Lookup_item& child : children_)
        if (!visit(child))
            return;
}

const char* Lookup_struct::from_string(const char*, Head&)
{
    return nullptr;
}

}
