#pragma once
#include "orrvan_comms/include/Ecu_comms_message.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Next_gen {

// The message link between the ECU objects and the slave ECUs. Call
// initialise, then open; write, read and count while open; close at the end.
class Ecu_comms_iface {
public:
    virtual ~Ecu_comms_iface() = default;

    virtual void initialise(int slave_id, std::string bus) = 0;
    virtual bool open() = 0;
    virtual bool close() = 0;
    virtual bool write_message(const Ecu_comms_message& msg, bool trace) = 0;
    // Removes and returns the oldest received message.
    virtual Ecu_comms_message read_message() = 0;
    virtual int get_available_message_count() const = 0;
    virtual void tick() = 0;
    virtual int get_slave_id() = 0;
    // The slave's NAME for that ECU type.
    virtual uint64_t get_slave_iso_name(uint8_t ecu_type) = 0;
    // NAMEs of all nodes the link knows.
    virtual std::vector<uint64_t> get_iso_names() const = 0;
};

}
