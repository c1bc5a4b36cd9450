#pragma once

namespace Next_gen {

// A function block of an ECU.
class Ecu_block_iface {
public:
    virtual ~Ecu_block_iface() = default;
};

}
