#pragma once
#include "isobus/Designator_text.h"
#include "platform/iso/TC_client_Designator.h"

#include <cstring>

namespace TC_client {

// A designator with a text of its own, of at most N characters.
template <int N>
class Cstring_designator : public Designator {
public:
    // Keeps at most N characters of the text.
    void set(const char* text)
    {
        size_t length = strnlen(text, N);
        std::memcpy(text_, text, length);
        text_[length] = '\0';
    }

    int get_utf8(const char*, char* out, int max) const override { return copy_designator_text(text_, out, max); }

private:
    char text_[N + 1] = {};
};

}
