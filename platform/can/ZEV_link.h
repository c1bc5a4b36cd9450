#pragma once
#include "platform/can/ZEV_header.h"

#include <cstddef>
#include <cstdint>

class Timeout;
class waiter_descriptor;

// What the parts of a stack (the name manager, the transport) need of the
// stack that holds them.
class ZEV_link {
public:
    // Puts one frame on the bus: header.get_length() bytes, at most 8. No check of the source.
    virtual bool send_frame(const ZEV_header& header, const uint8_t* data) = 0;
    // The stack's task calls the part back through its handle_timeout.
    virtual void arm(Timeout& timeout, int ms) = 0;
    virtual void disarm(Timeout& timeout) = 0;
    // An address that one of this node's NAMEs holds or is claiming.
    virtual bool is_local_address(uint8_t address) = 0;
    // A whole received message for this node or for all.
    virtual void deliver(const ZEV_header& header, const uint8_t* data, size_t length) = 0;
    // The completion event of an accepted send: +code on success, -code on failure.
    virtual void complete(waiter_descriptor* waiter, int code, bool ok) = 0;
    virtual void post_name_event(waiter_descriptor* waiter, uint32_t code) = 0;

protected:
    ~ZEV_link() = default;
};
