#pragma once
#include "app/Net_interface.h"

#include <string>

// A network interface of this machine, queried through ioctl and watched
// through a routing-netlink socket.
class Linux_net_interface : public Net_interface {
public:
    explicit Linux_net_interface(const char* name);
    ~Linux_net_interface() override;
    Linux_net_interface(const Linux_net_interface&) = delete;
    Linux_net_interface& operator=(const Linux_net_interface&) = delete;

    bool read_mac(unsigned char (&bytes)[6]) override;
    uint32_t read_ipv4() override;
    bool watch_addresses() override;
    size_t receive_notices(void* buffer, size_t size) override;
    bool has_index(int index) override;

private:
    // Fills ifr_name; false when the name does not fit.
    bool fill_request_name(char* field, size_t size) const;

    std::string name_;
    int netlink_ = -1;
};
