#pragma once
#include "platform/can/ZEV_name_RAWNAME.h"

#include <cstdint>

class ZEV_smart_stack;

// The application's control function as the master of its working set
// (ISO 11783-7): the NAME it claimed, and the announcement that tells the
// bus's servers that the working set has this one member.
class Working_set_member {
public:
    // PGN of the working-set master message.
    static constexpr uint32_t working_set_master_pgn = 0xFE0D;

    explicit Working_set_member(const ZEV_name::RAWNAME& name) : name_(name) {}

    const ZEV_name::RAWNAME& get_name() const { return name_; }
    // The address the NAME holds on the stack's bus, or ADDRESS_NULL.
    uint8_t get_address(ZEV_smart_stack& stack) const;
    // Sends the working-set master message to all. False when the NAME
    // holds no address or the message cannot go.
    bool announce(ZEV_smart_stack& stack) const;

private:
    ZEV_name::RAWNAME name_;
};
