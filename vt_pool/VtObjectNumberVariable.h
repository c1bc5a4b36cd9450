#pragma once
#include "vt_pool/VtObject.h"

#include <cstdint>

// A Number Variable (type 21): a value that number fields show.
class VtObjectNumberVariable : public VtObject {
public:
    explicit VtObjectNumberVariable(uint16_t oid);

    void setValue(uint32_t value) { this->value = value; }

private:
    void walk(VtFieldWalker& fields) override;

    uint32_t value = 0;
};
