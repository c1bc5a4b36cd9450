#include "platform/iso/TC_client_Condensed_work_state_pd_element.h"

#include <algorithm>
#include <cstring>

namespace TC_client {

void Condensed_work_state_pd_element::set_designator_text(const char* text)
{
    size_t length = strnlen(text, max_text);
    std::memcpy(designator_.text, text, length);
    designator_.text[length] = '\0';
}

int Condensed_work_state_pd_element::Own_designator::get_utf8(const char*, char* out, int max) const
{
    int count = std::min<int>(std::max(max, 0), int(std::strlen(text)));
    std::memcpy(out, text, count);
    return count;
}

}
