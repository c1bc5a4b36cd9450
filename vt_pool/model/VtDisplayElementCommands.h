#pragma once
#include "vt_pool/model/VtDisplayElementCommand.h"

#include <cstdint>

class VtDisplayInterface;

// The commands that the ECU-to-VT handlers apply to the display elements of
// a changed object. Each returns 0, so that every element is visited. The
// commands that name a parent object touch only the elements whose parent
// element shows that object (65535: no parent, or a parent showing none).

class VtDisplayElementCommandHide : public VtDisplayElementCommand {
public:
    int apply(VtDisplayElement& element) override;
};

class VtDisplayElementCommandShow : public VtDisplayElementCommand {
public:
    int apply(VtDisplayElement& element) override;
};

class VtDisplayElementCommandEnable : public VtDisplayElementCommand {
public:
    int apply(VtDisplayElement& element) override;
};

class VtDisplayElementCommandDisable : public VtDisplayElementCommand {
public:
    int apply(VtDisplayElement& element) override;
};

class VtDisplayElementCommandChangeSize : public VtDisplayElementCommand {
public:
    VtDisplayElementCommandChangeSize(int32_t width, int32_t height) : width(width), height(height) {}
    int apply(VtDisplayElement& element) override;

private:
    int32_t width;
    int32_t height;
};

// Closes the elements hanging below a pointer's elements: those of the
// target it points away from.
class VtDisplayElementCommandCloseChildsWithSelectedParent : public VtDisplayElementCommand {
public:
    explicit VtDisplayElementCommandCloseChildsWithSelectedParent(uint16_t parent_oid) : parent_oid(parent_oid) {}
    int apply(VtDisplayElement& element) override;

private:
    uint32_t parent_oid;
};

// Creates again the parent of each element, which finds itself and creates
// the elements missing below it (those of a pointer's new target).
class VtDisplayElementCommandCreateNewChilds : public VtDisplayElementCommand {
public:
    explicit VtDisplayElementCommandCreateNewChilds(VtDisplayInterface& display) : display(display) {}
    int apply(VtDisplayElement& element) override;

private:
    VtDisplayInterface& display;
};

class VtDisplayElementCommandChangeChildLocation : public VtDisplayElementCommand {
public:
    VtDisplayElementCommandChangeChildLocation(uint16_t parent_oid, int32_t dx, int32_t dy)
        : parent_oid(parent_oid), dx(dx), dy(dy)
    {
    }
    int apply(VtDisplayElement& element) override;

private:
    uint32_t parent_oid;
    int32_t dx;
    int32_t dy;
};

class VtDisplayElementCommandSetPosition : public VtDisplayElementCommand {
public:
    VtDisplayElementCommandSetPosition(uint16_t parent_oid, int32_t x, int32_t y) : parent_oid(parent_oid), x(x), y(y)
    {
    }
    int apply(VtDisplayElement& element) override;

private:
    uint32_t parent_oid;
    int32_t x;
    int32_t y;
};
