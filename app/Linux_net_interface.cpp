#include "app/Linux_net_interface.h"
#include "platform/rtos/Debug_base.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

Linux_net_interface::Linux_net_interface(const char* name)
    : name_(name)
{
}

Linux_net_interface::~Linux_net_interface()
{
    if (netlink_ >= 0)
        close(netlink_);
}

bool Linux_net_interface::fill_request_name(char* field, size_t size) const
{
    if (name_.size() >= size)
        return false;
    std::memcpy(field, name_.c_str(), name_.size() + 1);
    return true;
}

bool Linux_net_interface::read_mac(unsigned char (&bytes)[6])
{
    ifreq request{};
    if (if_nametoindex(name_.c_str()) == 0 || !fill_request_name(request.ifr_name, sizeof request.ifr_name)) {
        Debug_print::dprint("No network interface %s: the MAC address is taken as 0\n", name_.c_str());
        return false;
    }
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        Debug_print::dprint("Cannot open a socket to read the MAC address of %s: %s\n", name_.c_str(),
                            std::strerror(errno));
        return false;
    }
    int result = ioctl(fd, SIOCGIFHWADDR, &request);
    close(fd);
    if (result < 0) {
        Debug_print::dprint("Mac get failed\n");
        return false;
    }
    std::memcpy(bytes, request.ifr_hwaddr.sa_data, sizeof bytes);
    return true;
}

uint32_t Linux_net_interface::read_ipv4()
{
    ifreq request{};
    if (!fill_request_name(request.ifr_name, sizeof request.ifr_name))
        return 0;
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    int result = ioctl(fd, SIOCGIFADDR, &request);
    close(fd);
    if (result < 0 || request.ifr_addr.sa_family != AF_INET)
        return 0;
    sockaddr_in address;
    std::memcpy(&address, &request.ifr_addr, sizeof address);
    return ntohl(address.sin_addr.s_addr);
}

bool Linux_net_interface::watch_addresses()
{
    if (netlink_ >= 0)
        return true;
    int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = RTMGRP_IPV4_IFADDR;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0) {
        Debug_print::dprint("Cannot watch the IPv4 address of %s: %s\n", name_.c_str(), std::strerror(errno));
        if (fd >= 0)
            close(fd);
        return false;
    }
    netlink_ = fd;
    return true;
}

size_t Linux_net_interface::receive_notices(void* buffer, size_t size)
{
    if (netlink_ < 0)
        return 0;
    for (;;) {
        ssize_t n = recv(netlink_, buffer, size, MSG_DONTWAIT);
        if (n > 0)
            return size_t(n);
        // ENOBUFS: the kernel dropped notices because we read too late; what
        // is still queued is worth reading.
        if (n < 0 && (errno == EINTR || errno == ENOBUFS))
            continue;
        return 0;
    }
}

bool Linux_net_interface::has_index(int index)
{
    char name[IF_NAMESIZE];
    return index > 0 && if_indextoname(unsigned(index), name) && name_ == name;
}
