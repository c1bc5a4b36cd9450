#pragma once
#include "platform/can/ZEV_header.h"
#include "platform/can/ZEV_name_RAWNAME.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/can/ZEV_trans.h"

#include <cstdint>

class waiter_descriptor;

namespace ZEV {

// Sending and receiving a message (M: a ZEV_base_message) as one of this
// node's NAMEs, whose address the stack looks up.
template <class M>
class Transmission : public M {
public:
    using M::M;

    // To all. 0 when the stack took it; a waiter then hears of its completion.
    int write_global(ZEV_smart_stack* stack, const ZEV_name::RAWNAME& name, uint32_t pgn, int priority,
                     int transport_type, waiter_descriptor* waiter, int code)
    {
        return write_as(stack, name, ZEV_trans::ADDR_BROADCAST, pgn, priority, transport_type, waiter, code);
    }

    // The answer to a request: to all when the request went to all
    // (destination 255), else to the requester. 0 when the stack took it.
    int nwrite_request_response(ZEV_smart_stack* stack, const ZEV_name::RAWNAME& name, uint8_t requester,
                                int priority, uint32_t pgn, uint8_t destination)
    {
        uint8_t to = destination == ZEV_trans::ADDR_BROADCAST ? ZEV_trans::ADDR_BROADCAST : requester;
        return write_as(stack, name, to, pgn, priority, 0, nullptr, 0);
    }

    // Takes one received message of a registered PGN into this message (as
    // much as its length holds) and gives its sender. Returns the bytes
    // taken, negative when there is none.
    int read_address(ZEV_smart_stack* stack, uint32_t pgn, waiter_descriptor* waiter, uint8_t& source,
                     int type = ZEV_stack::PGN_DATA)
    {
        ZEV_header header;
        int n = stack ? stack->read(pgn, header, this->data(), int(this->size()), waiter, type) : -1;
        if (n >= 0)
            source = header.get_source();
        return n;
    }

private:
    int write_as(ZEV_smart_stack* stack, const ZEV_name::RAWNAME& name, uint8_t destination, uint32_t pgn,
                 int priority, int transport_type, waiter_descriptor* waiter, int code)
    {
        if (!stack)
            return -1;
        uint8_t source = stack->get_name_manager().gethostbyname(name);
        if (source >= ZEV_trans::ADDRESS_ALL)
            return -1;
        ZEV_header header(source, destination, pgn, uint8_t(priority), uint8_t(transport_type),
                          uint32_t(this->size()));
        return stack->write(header, this->data(), int(this->size()), waiter, code);
    }
};

// A message class of a fixed PGN and priority.
template <class M, uint32_t PGN, int PRIORITY>
class Transmission_broadcast : public Transmission<M> {
public:
    using Transmission<M>::Transmission;
    static constexpr uint32_t pgn = PGN;
    static constexpr int priority = PRIORITY;
};

}
