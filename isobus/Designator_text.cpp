#include "isobus/Designator_text.h"

#include <algorithm>
#include <cstring>

namespace TC_client {

int copy_designator_text(const char* text, char* out, int max)
{
    int count = std::min(std::max(max, 0), int(std::strlen(text) % 256));
    std::memcpy(out, text, size_t(count));
    return count;
}

}
