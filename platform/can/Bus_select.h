#pragma once
#include "platform/can/Can_bus.h"

class module_man;

// Opens the bus that a bus spec names:
//   "tcp,addr=A,port=P"   a CAN server speaking socketcand's raw mode
//   "mem,name=X"          the in-process bus X (tests)
//   "socketcan,if=IF"     a Linux SocketCAN interface
class Bus_select {
public:
    // Why start gave no bus.
    enum Failure { bad_spec, cannot_open };

    // The caller owns the bus (ZEV_smart_stack::open takes it over). Null,
    // with the reason on the debug output and, when asked, in failure, when
    // the spec is malformed or the bus cannot be opened. The module manager
    // may be null; buses need none.
    static Can_bus* start(const char* spec, module_man* manager, Failure* failure = nullptr);
};
