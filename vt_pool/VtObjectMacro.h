#pragma once
#include "vt_pool/VtObject.h"

#include <cstdint>
#include <vector>

// A Macro (type 28): VT commands run on an event.
class VtObjectMacro : public VtObject {
public:
    explicit VtObjectMacro(uint16_t oid);

private:
    void walk(VtFieldWalker& fields) override;

    std::vector<uint8_t> commands;
};
