#pragma once
#include "vt_pool/VtObject.h"

#include <cstdint>
#include <string>

// A String Variable (type 22): a text that string fields show.
class VtObjectStringVariable : public VtObject {
public:
    explicit VtObjectStringVariable(uint16_t oid);

    void setValue(const std::string& text) { value = text; }

private:
    void walk(VtFieldWalker& fields) override;

    std::string value;
};
