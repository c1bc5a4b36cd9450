#pragma once
#include <cstdint>

namespace VT {

// Sees every VT object and list record of the process begin and end, so that
// a test can check the order in which a pool is built and taken apart, and
// fail a construction half-way by throwing from made(). At most one watch is
// installed at a time, by the thread that builds and destroys the pools.
class Lifecycle_watch {
public:
    enum Kind : uint8_t { object, placement, reference };

    // Installs the watch (null removes it); returns the one it replaces.
    static Lifecycle_watch* install(Lifecycle_watch* watch);

    // Called by every constructor and the destructor, with the ID the
    // object or record holds and its address.
    static void tell_made(Kind kind, uint16_t id, const void* where)
    {
        if (current_)
            current_->made(kind, id, where);
    }
    static void tell_gone(Kind kind, uint16_t id, const void* where) noexcept
    {
        if (current_)
            current_->gone(kind, id, where);
    }

protected:
    ~Lifecycle_watch() = default;
    virtual void made(Kind kind, uint16_t id, const void* where) = 0;
    virtual void gone(Kind kind, uint16_t id, const void* where) noexcept = 0;

private:
    static Lifecycle_watch* current_;
};

}
