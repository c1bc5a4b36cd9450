#pragma once
#include "vt_pool/VtObject.h"

#include <cstdint>
#include <string>

// Input Attributes (type 26): the characters an input string accepts
// or refuses.
class VtObjectInputAttribute : public VtObject {
public:
    explicit VtObjectInputAttribute(uint16_t oid);

private:
    void walk(VtFieldWalker& fields) override;

    uint8_t validation_type = 0;
    std::string validation_string;
};
