#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <cstdint>

// A Key (type 5): one soft key with its key code and what it shows.
class VtObjectKey : public VtObject {
public:
    explicit VtObjectKey(uint16_t oid);

    VtObjectRefList& getChilds() { return childs; }
    void setBackgroundColour(const VtColour& colour) { background_colour = colour; }
    uint8_t getKeyCode() const { return key_code; }
    void setKeyCode(uint8_t key_code) { this->key_code = key_code; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtColour background_colour;
    uint8_t key_code = 0;
    VtObjectRefList childs;
};
