#include "app/System_info.h"
#include "app/Linux_net_interface.h"
#include "platform/io/Util.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>

static_assert(sizeof(KX4_VERSION) <= 12, "the release number has at most 11 characters");

System_info::System_info()
    : System_info(std::make_unique<Linux_net_interface>("eth0"))
{
}

System_info::System_info(std::unique_ptr<Net_interface> interface)
    : interface_(std::move(interface))
{
}

System_info::~System_info() = default;

const char* System_info::get_build_host()
{
    return KX4_BUILD_HOST;
}

const char* System_info::get_build_stamp()
{
    return KX4_BUILD_STAMP;
}

const char* System_info::get_version()
{
    return KX4_VERSION;
}

void System_info::read_first()
{
    if (cached_)
        return;
    ipv4_ = interface_->read_ipv4();
    watching_ = interface_->watch_addresses();
    unsigned char bytes[6];
    if (interface_->read_mac(bytes)) {
        for (unsigned char byte : bytes)
            mac_ = (mac_ << 8) | byte;
    }
    cached_ = true;
}

uint64_t System_info::get_mac_address()
{
    read_first();
    return mac_;
}

uint32_t System_info::get_identity_number()
{
    return identity_number(get_mac_address());
}

uint32_t System_info::get_ip_address()
{
    read_first();
    if (!watching_)
        return ipv4_;
    alignas(nlmsghdr) unsigned char buffer[4096];
    while (size_t length = interface_->receive_notices(buffer, sizeof buffer))
        take_notices(buffer, length);
    return ipv4_;
}

// Walks a batch of routing-netlink messages; the last local IPv4 address
// announced for our interface wins. Removals are not followed: the last
// address stays. Lengths are checked before every read, so a truncated or
// malformed batch ends the walk.
void System_info::take_notices(const unsigned char* data, size_t length)
{
    int left = int(length);
    for (auto message = reinterpret_cast<const nlmsghdr*>(data); NLMSG_OK(message, left);
         message = NLMSG_NEXT(message, left)) {
        if (message->nlmsg_type == NLMSG_DONE)
            return;
        if (message->nlmsg_type != RTM_NEWADDR || message->nlmsg_len < NLMSG_SPACE(sizeof(ifaddrmsg)))
            continue;
        auto address = static_cast<const ifaddrmsg*>(NLMSG_DATA(message));
        int attributes_left = int(IFA_PAYLOAD(message));
        for (auto attribute = IFA_RTA(address); RTA_OK(attribute, attributes_left);
             attribute = RTA_NEXT(attribute, attributes_left)) {
            if (attribute->rta_type != IFA_LOCAL || RTA_PAYLOAD(attribute) < sizeof(uint32_t)
                || !interface_->has_index(int(address->ifa_index)))
                continue;
            uint32_t value;
            std::memcpy(&value, RTA_DATA(attribute), sizeof value);
            ipv4_ = ntohl(value);
        }
    }
}

uint32_t System_info::identity_number(uint64_t mac)
{
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(mac >> (8 * i));
    return Util::crc32(0, bytes, sizeof bytes) & 0x1FFFFF;
}

uint32_t System_info::long_hash(uint64_t mac)
{
    return uint32_t(mac >> 32) ^ uint32_t(mac);
}

uint16_t System_info::short_hash(uint64_t mac)
{
    uint32_t hash = long_hash(mac);
    return uint16_t(hash ^ (hash >> 16));
}

int get_ip_address_string(char* buffer, size_t length, const char* interface)
{
    uint32_t address = Linux_net_interface(interface).read_ipv4();
    if (address == 0)
        return -1;
    in_addr network{htonl(address)};
    char text[INET_ADDRSTRLEN];
    if (!inet_ntop(AF_INET, &network, text, sizeof text))
        return -1;
    if (length > 0) {
        size_t n = std::min(std::strlen(text), length - 1);
        std::memcpy(buffer, text, n);
        buffer[n] = '\0';
    }
    return 0;
}
