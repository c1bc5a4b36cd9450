#pragma once
#include "app/Net_interface.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// The controller's build identity and its network identity: the MAC address
// of eth0, the 21-bit identity number derived from it, and the current IPv4
// address of eth0, kept up to date from the kernel's address notices.
// Without a readable MAC the identity comes from MAC 0; nothing here stops
// the program. Not shared between threads: each user keeps its own.
class System_info {
public:
    System_info(); // on eth0
    explicit System_info(std::unique_ptr<Net_interface> interface);
    ~System_info();
    System_info(const System_info&) = delete;
    System_info& operator=(const System_info&) = delete;

    // Build constants: the machine that built the program, the build time
    // ("YYMMDDhhmm" and the zone, "+0000"), the release number.
    static const char* get_build_host();
    static const char* get_build_stamp();
    static const char* get_version();

    // The MAC as a number, first byte most significant; read once.
    uint64_t get_mac_address();
    uint32_t get_identity_number();
    // The IPv4 address in host byte order, 0 while there is none.
    uint32_t get_ip_address();

    // CRC-32 over the eight bytes of the MAC value, least significant first, in 21 bits.
    static uint32_t identity_number(uint64_t mac);
    // The receiver identity hashes published in the data store.
    static uint32_t long_hash(uint64_t mac);
    static uint16_t short_hash(uint64_t mac);

private:
    void read_first();
    void take_notices(const unsigned char* data, size_t length);

    std::unique_ptr<Net_interface> interface_;
    bool cached_ = false;
    bool watching_ = false;
    uint64_t mac_ = 0;
    uint32_t ipv4_ = 0;
};

// Writes the dotted IPv4 address of the interface into the buffer (always
// terminated, cut to fit); 0, or -1 with the buffer untouched when the
// interface has no IPv4 address.
int get_ip_address_string(char* buffer, size_t length, const char* interface = "eth0");
