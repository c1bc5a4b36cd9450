#pragma once
#include "isobus/Designator_text.h"
#include "platform/iso/TC_client_Designator.h"

namespace TC_client {

// A designator over a constant text; the same in every locale.
class Literal_designator : public Designator {
public:
    constexpr explicit Literal_designator(const char* text)
        : text_(text)
    {
    }

    int get_utf8(const char*, char* out, int max) const override { return copy_designator_text(text_, out, max); }

private:
    const char* text_;
};

}
