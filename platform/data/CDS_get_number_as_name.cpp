#include "platform/data/CDS_get_number_as_name.h"
#include "platform/rtos/Bugger.h"

#include <cstdio>

namespace CDS {

namespace {
constexpr unsigned number_count = 256;

struct Number_texts {
    char text[number_count][4];
    Number_texts()
    {
        for (unsigned n = 0; n < number_count; ++n)
            std::snprintf(text[n], sizeof text[n], "%u", n);
    }
};
}

const char* get_number_as_name(unsigned int n)
{
    static const Number_texts texts;
    if (n >= number_count)
        Bugger::report_bug("CDS::get_number_as_name: number too large");
    return texts.text[n];
}

}
