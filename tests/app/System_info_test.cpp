#include "app/Linux_net_interface.h"
#include "app/System_info.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cstring>
#include <deque>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int eth0_index = 2;
constexpr uint32_t start_address = 0xC0000202; // 192.0.2.2

// An interface with a fixed MAC and address, whose address notices the test
// queues. Behind each batch it leaves a well-formed notice for our interface
// that the receiver was not told about, so a walk past the received bytes
// shows up as the address 10.66.66.66.
class Fake_net_interface : public Net_interface {
public:
    bool mac_readable = true;
    unsigned char mac[6] = {};
    bool can_watch = true;
    std::deque<Bytes> batches;
    int receive_calls = 0;

    bool read_mac(unsigned char (&bytes)[6]) override
    {
        std::memcpy(bytes, mac, sizeof bytes);
        return mac_readable;
    }
    uint32_t read_ipv4() override { return start_address; }
    bool watch_addresses() override { return can_watch; }
    size_t receive_notices(void* buffer, size_t size) override;
    bool has_index(int index) override { return index == eth0_index; }
};

void put_attribute(Bytes& message, unsigned short type, const void* data, size_t length)
{
    rtattr attribute{static_cast<unsigned short>(RTA_LENGTH(length)), type};
    const auto* head = reinterpret_cast<const unsigned char*>(&attribute);
    message.insert(message.end(), head, head + sizeof attribute);
    const auto* body = static_cast<const unsigned char*>(data);
    message.insert(message.end(), body, body + length);
    message.resize(RTA_ALIGN(message.size()));
}

// One routing-netlink address message with the peer (type 1) and local
// (type 2) attributes, as the kernel sends for a new IPv4 address.
Bytes address_notice(int index, uint32_t address, unsigned short type = RTM_NEWADDR)
{
    Bytes message(NLMSG_SPACE(sizeof(ifaddrmsg)));
    ifaddrmsg body{};
    body.ifa_family = AF_INET;
    body.ifa_prefixlen = 24;
    body.ifa_index = unsigned(index);
    std::memcpy(&message[NLMSG_HDRLEN], &body, sizeof body);
    uint32_t network = htonl(address);
    put_attribute(message, IFA_ADDRESS, &network, sizeof network);
    put_attribute(message, IFA_LOCAL, &network, sizeof network);
    nlmsghdr header{};
    header.nlmsg_len = uint32_t(message.size());
    header.nlmsg_type = type;
    std::memcpy(&message[0], &header, sizeof header);
    return message;
}

Bytes done_message()
{
    Bytes message(NLMSG_HDRLEN);
    nlmsghdr header{};
    header.nlmsg_len = NLMSG_HDRLEN;
    header.nlmsg_type = NLMSG_DONE;
    std::memcpy(&message[0], &header, sizeof header);
    return message;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void set_u32(Bytes& message, size_t offset, uint32_t value)
{
    std::memcpy(&message[offset], &value, sizeof value);
}

void set_u16(Bytes& message, size_t offset, uint16_t value)
{
    std::memcpy(&message[offset], &value, sizeof value);
}

size_t Fake_net_interface::receive_notices(void* buffer, size_t size)
{
    ++receive_calls;
    if (batches.empty())
        return 0;
    Bytes batch = batches.front();
    batches.pop_front();
    const Bytes hidden = address_notice(eth0_index, 0x0A424242);
    Bytes all = batch + hidden;
    std::memcpy(buffer, all.data(), std::min(all.size(), size));
    return std::min(batch.size(), size);
}

struct Fixture {
    Fake_net_interface* fake;
    System_info info;
    Fixture()
        : Fixture(std::make_unique<Fake_net_interface>())
    {
    }

private:
    explicit Fixture(std::unique_ptr<Fake_net_interface> owned)
        : fake(owned.get())
        , info(std::move(owned))
    {
    }
};

TEST(System_info_test, a_fixed_mac_gives_its_value_hashes_and_identity_number)
{
    struct Case {
        unsigned char mac[6];
        uint64_t value;
        uint32_t long_hash;
        uint16_t short_hash;
        uint32_t identity; // CRC-32 of the value's bytes, least significant first, in 21 bits
    };
    const Case cases[] = {
        {{0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, 0x0000001122334455, 0x22334444, 0x6677, 0x0a4a3c},
        {{0x02, 0xfc, 0x00, 0x00, 0x00, 0x01}, 0x000002fc00000001, 0x000002fd, 0x02fd, 0x1ca286},
        {{0xff, 0xff, 0xff, 0xff, 0xff, 0xff}, 0x0000ffffffffffff, 0xffff0000, 0xffff, 0x02cde3},
    };
    for (const Case& c : cases) {
        Fixture f;
        std::memcpy(f.fake->mac, c.mac, sizeof c.mac);
        EXPECT_EQ(f.info.get_mac_address(), c.value);
        EXPECT_EQ(f.info.get_identity_number(), c.identity);
        EXPECT_EQ(System_info::long_hash(c.value), c.long_hash);
        EXPECT_EQ(System_info::short_hash(c.value), c.short_hash);
    }
}

TEST(System_info_test, an_unreadable_mac_gives_mac_zero_and_the_identity_of_eight_zero_bytes)
{
    Fixture f;
    f.fake->mac[0] = 0x02;
    f.fake->mac_readable = false;
    EXPECT_EQ(f.info.get_mac_address(), 0u);
    EXPECT_EQ(f.info.get_identity_number(), 0x02df69u);
}

TEST(System_info_test, a_missing_interface_gives_the_fall_back_and_says_so)
{
    Debug_capture capture;
    System_info info(std::make_unique<Linux_net_interface>("kx4none0"));
    EXPECT_EQ(info.get_mac_address(), 0u);
    EXPECT_EQ(info.get_identity_number(), 0x02df69u);
    EXPECT_EQ(info.get_ip_address(), 0u);
    EXPECT_EQ(capture.text(), "No network interface kx4none0: the MAC address is taken as 0\n");
}

TEST(System_info_test, the_loopback_interface_is_read_from_the_kernel)
{
    Debug_capture capture;
    System_info info(std::make_unique<Linux_net_interface>("lo"));
    EXPECT_EQ(info.get_ip_address(), 0x7F000001u);
    EXPECT_EQ(info.get_mac_address(), 0u); // loopback's hardware address is all zeros
    EXPECT_EQ(capture.text(), "");
}

TEST(System_info_test, address_notices_for_our_interface_change_the_address_at_the_next_call)
{
    Fixture f;
    EXPECT_EQ(f.info.get_ip_address(), start_address);

    f.fake->batches.push_back(address_notice(eth0_index + 1, 0x0A000009));
    EXPECT_EQ(f.info.get_ip_address(), start_address);

    f.fake->batches.push_back(address_notice(eth0_index, 0x0A000007));
    EXPECT_EQ(f.info.get_ip_address(), 0x0A000007u);

    // Removals are not followed: the last address stays.
    f.fake->batches.push_back(address_notice(eth0_index, 0x0A000007, RTM_DELADDR));
    EXPECT_EQ(f.info.get_ip_address(), 0x0A000007u);

    // Everything queued is read, and the last announcement wins.
    f.fake->batches.push_back(address_notice(eth0_index, 0x0A000001) + address_notice(3, 0x0A000002));
    f.fake->batches.push_back(address_notice(eth0_index, 0x0A000003));
    EXPECT_EQ(f.info.get_ip_address(), 0x0A000003u);

    // The end of a dump ends the batch.
    f.fake->batches.push_back(done_message() + address_notice(eth0_index, 0x0A000004));
    EXPECT_EQ(f.info.get_ip_address(), 0x0A000003u);
}

TEST(System_info_test, malformed_notices_end_the_walk_inside_the_received_bytes)
{
    const Bytes good = address_notice(eth0_index, 0x0A000007);
    const size_t first_attribute = NLMSG_SPACE(sizeof(ifaddrmsg));
    const size_t local_attribute = first_attribute + RTA_SPACE(4);

    Bytes cut = good;
    cut.pop_back();
    Bytes empty_message = good;
    set_u32(empty_message, 0, 0);
    Bytes header_only = good;
    set_u32(header_only, 0, NLMSG_HDRLEN + 4); // no room for the address header
    Bytes empty_attribute = good;
    set_u16(empty_attribute, first_attribute, 0);
    Bytes long_attribute = good;
    set_u16(long_attribute, local_attribute, 64);
    Bytes short_address = good;
    set_u16(short_address, local_attribute, RTA_LENGTH(2));
    const Bytes stub(good.begin(), good.begin() + 10);

    struct Case {
        const char* name;
        Bytes batch;
    };
    const Case cases[] = {
        {"message cut short", cut},
        {"message length 0", empty_message},
        {"message without its address header", header_only},
        {"attribute length 0", empty_attribute},
        {"attribute longer than its message", long_attribute},
        {"local address of two bytes", short_address},
        {"less than a message header", stub},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.fake->batches.push_back(c.batch);
        EXPECT_EQ(f.info.get_ip_address(), start_address) << c.name;
    }
}

TEST(System_info_test, without_the_notice_socket_the_first_address_stays)
{
    Debug_capture capture;
    Fixture f;
    f.fake->can_watch = false;
    f.fake->batches.push_back(address_notice(eth0_index, 0x0A000007));
    EXPECT_EQ(f.info.get_ip_address(), start_address);
    EXPECT_EQ(f.fake->receive_calls, 0);
}

TEST(System_info_test, the_dotted_address_is_cut_to_the_buffer_and_always_terminated)
{
    char buffer[20] = "unchanged";
    EXPECT_EQ(get_ip_address_string(buffer, sizeof buffer, "lo"), 0);
    EXPECT_STREQ(buffer, "127.0.0.1");
    EXPECT_EQ(get_ip_address_string(buffer, 4, "lo"), 0);
    EXPECT_STREQ(buffer, "127");
    std::strcpy(buffer, "unchanged");
    EXPECT_EQ(get_ip_address_string(buffer, sizeof buffer, "kx4none0"), -1);
    EXPECT_STREQ(buffer, "unchanged");
}

TEST(System_info_test, build_stamp_and_version_have_their_fixed_shapes)
{
    const std::string stamp = System_info::get_build_stamp();
    ASSERT_EQ(stamp.size(), 15u) << stamp;
    EXPECT_EQ(stamp.find_first_not_of("0123456789"), 10u) << stamp;
    EXPECT_TRUE(stamp[10] == '+' || stamp[10] == '-') << stamp;
    const std::string version = System_info::get_version();
    EXPECT_FALSE(version.empty());
    EXPECT_LE(version.size(), 11u);
    EXPECT_NE(std::string(System_info::get_build_host()), "");
}

}
