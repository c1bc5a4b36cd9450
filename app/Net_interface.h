#pragma once
#include <cstddef>
#include <cstdint>

// One network interface of the host, as System_info asks about it. The
// program uses Linux_net_interface; a test gives fixed answers.
class Net_interface {
public:
    virtual ~Net_interface() = default;

    // The six bytes of the hardware address; false (after a message saying
    // why) when they cannot be read.
    virtual bool read_mac(unsigned char (&bytes)[6]) = 0;
    // The IPv4 address in host byte order; 0 when the interface has none.
    virtual uint32_t read_ipv4() = 0;
    // Starts listening for the kernel's IPv4 address notices; false (after a
    // message saying why) when it cannot.
    virtual bool watch_addresses() = 0;
    // Copies one batch of notices that arrived since the last call into the
    // buffer without waiting; returns its length, 0 when nothing is pending.
    virtual size_t receive_notices(void* buffer, size_t size) = 0;
    // Whether the kernel's interface index names this interface.
    virtual bool has_index(int index) = 0;
};
