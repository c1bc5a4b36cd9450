#include "platform/data/Dumper.h"
#include "platform/rtos/Debug_base.h"

namespace Debug {

void Dumper::value(const char* name, const char* text)
{
    Debug_print::dprint("%*s%s = %s\n", depth_ * 4, "", name, text);
}

bool Dumper::open_list(const char* name)
{
    Debug_print::dprint("%*s%s {\n", depth_ * 4, "", name);
    ++depth_;
    return true;
}

void Dumper::close_list(const char*)
{
    if (depth_ > 0)
        --depth_;
    Debug_print::dprint("%*s}\n", depth_ * 4, "");
}

}
