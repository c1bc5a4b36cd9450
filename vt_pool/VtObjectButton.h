#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <cstdint>

// A Button (type 6): a key placed in a mask.
class VtObjectButton : public VtObject {
public:
    explicit VtObjectButton(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint32_t getWidth() const { return size.width; }
    uint32_t getHeight() const { return size.height; }
    VtObjectRefList& getChilds() { return childs; }
    void setWidth(uint32_t width) { size.width = width; }
    void setHeight(uint32_t height) { size.height = height; }
    void setBackgroundColour(const VtColour& colour) { background_colour = colour; }
    void setBorderColour(const VtColour& colour) { border_colour = colour; }
    uint8_t getKeyCode() const { return key_code; }
    void setKeyCode(uint8_t key_code) { this->key_code = key_code; }
    void setLatchable(bool latchable) { this->latchable = latchable; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtSize size;
    VtColour background_colour;
    VtColour border_colour;
    uint8_t key_code = 0;
    bool latchable = false;
    VtObjectRefList childs;
};
