#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <cstdint>

// A Container (type 3): a group of objects that are shown or hidden together.
class VtObjectContainer : public VtObject {
public:
    explicit VtObjectContainer(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint32_t getWidth() const { return size.width; }
    uint32_t getHeight() const { return size.height; }
    bool getHidden() const { return hidden; }
    VtObjectRefList& getChilds() { return childs; }
    void setWidth(uint32_t width) { size.width = width; }
    void setHeight(uint32_t height) { size.height = height; }
    void setHidden(bool hidden) { this->hidden = hidden; }

private:
    void walk(VtFieldWalker& fields) override;

    VtSize size;
    bool hidden = false;
    VtObjectRefList childs;
};
