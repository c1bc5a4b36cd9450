#pragma once
#include <cstdint>
#include <memory>

class VtObject;
class VtObjectObserver;

// An object reference without a position (a key of a soft key mask, an
// element of an input list). Once bound, it owns an observer that links its
// referring object to the object it names.
class VtObjectListEntry {
public:
    explicit VtObjectListEntry(uint16_t oid);
    ~VtObjectListEntry();
    VtObjectListEntry(const VtObjectListEntry&) = delete;
    VtObjectListEntry& operator=(const VtObjectListEntry&) = delete;

    // Replaces the observer with a new one of the referring object, aimed at
    // this entry's object.
    void bind(VtObject& referrer);
    VtObjectObserver* getObserver() const { return observer.get(); }

    uint16_t oid;
    uint32_t serial;

private:
    std::unique_ptr<VtObjectObserver> observer;
};
