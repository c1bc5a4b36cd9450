#include "platform/iso/VT_Upload_bar_progress.h"
#include "platform/iso/VT_Number_variable_obj.h"

#include <algorithm>

namespace VT {

void Upload_bar_progress::report(size_t sent, size_t total)
{
    if (!variable_)
        return;
    const uint64_t part = total ? uint64_t(std::min(sent, total)) * 1000 / total : 0;
    variable_->set_value(uint32_t(part));
}

}
