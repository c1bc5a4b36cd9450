#pragma once
#include <cstdint>

class VtObject;

// Where references are resolved: the objects of one pool by object ID.
class VtObjectTable {
public:
    // Null when no object has that ID.
    virtual VtObject* lookup(uint16_t oid) const = 0;

protected:
    ~VtObjectTable() = default;
};
