#pragma once

// The display elements that show one object. Nothing displays objects yet,
// so the list stays empty and closing its elements has nothing to do.
class VtDisplayElementList {
public:
    bool isEmpty() const { return true; }
    void closeAll() {}
};
