#include "platform/can/Bus_select.h"
#include "platform/can/Mem_can_bus.h"
#include "tests/platform/can/Heard.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

Can_frame frame(uint32_t id, uint8_t first)
{
    Can_frame f;
    f.id = id;
    f.dlc = 1;
    f.data[0] = first;
    return f;
}

struct Listener {
    std::vector<Can_frame> heard;
    void attach(Can_bus& bus)
    {
        bus.set_receiver([this](const Can_frame& f) { heard.push_back(f); });
    }
};

TEST(Bus_select, a_malformed_spec_is_refused_with_a_message_that_shows_the_forms)
{
    const char* specs[] = {"", "tcp", "tcp,addr=127.0.0.1", "tcp,port=1500", "tcp,addr=127.0.0.1,port=0",
                           "tcp,addr=127.0.0.1,port=65536", "tcp,addr=127.0.0.1,port=15x0",
                           "tcp,addr=127.0.0.1,port=1500,port=1501", "tcp,addr=127.0.0.1,port=1500,speed=250",
                           "mem", "mem,name", "mem,name=", "serial,dev=/dev/ttyS0", "socketcan"};
    for (const char* spec : specs) {
        Debug_capture capture;
        std::unique_ptr<Can_bus> bus(Bus_select::start(spec, nullptr));
        EXPECT_EQ(bus, nullptr) << spec;
        EXPECT_NE(capture.text().find("bad bus spec \"" + std::string(spec) + "\""), std::string::npos)
            << capture.text();
    }
    Debug_capture capture;
    EXPECT_EQ(Bus_select::start(nullptr, nullptr), nullptr);
    EXPECT_NE(capture.text().find("tcp,addr=A,port=P"), std::string::npos) << capture.text();
}

TEST(Bus_select, a_server_that_is_not_there_is_reported_at_once)
{
    int s = socket(AF_INET, SOCK_STREAM, 0); // a port that was free a moment ago
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&addr), len), 0);
    getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    close(s);
    std::string spec = "tcp,addr=127.0.0.1,port=" + std::to_string(ntohs(addr.sin_port));
    Debug_capture capture;
    EXPECT_EQ(Bus_select::start(spec.c_str(), nullptr), nullptr);
    EXPECT_NE(capture.text().find("cannot reach the CAN server at 127.0.0.1:"), std::string::npos) << capture.text();
}

TEST(Bus_select, socketcan_opens_an_interface_or_says_why_not)
{
    int probe = socket(PF_CAN, SOCK_RAW, 1 /* CAN_RAW */);
    Debug_capture capture;
    std::unique_ptr<Can_bus> bus(Bus_select::start("socketcan,if=kx4nosuchcan", nullptr));
    EXPECT_EQ(bus, nullptr);
    if (probe < 0) {
        EXPECT_NE(capture.text().find("no SocketCAN (AF_CAN)"), std::string::npos) << capture.text();
        GTEST_SKIP() << "this kernel has no AF_CAN (SocketCAN): frames over socketcan cannot be tried here";
    }
    close(probe);
    EXPECT_NE(capture.text().find("cannot open CAN interface kx4nosuchcan"), std::string::npos) << capture.text();
    std::unique_ptr<Can_bus> a(Bus_select::start("socketcan,if=vcan0", nullptr));
    std::unique_ptr<Can_bus> b(Bus_select::start("socketcan,if=vcan0", nullptr));
    if (!a || !b)
        GTEST_SKIP() << "no vcan0 interface to carry frames between two sockets";
    Heard heard; // on the bus's own thread
    heard.attach(*b);
    ASSERT_TRUE(a->send(frame(0x18EF0102, 7)));
    ASSERT_TRUE(heard.wait_for(1));
    b->set_receiver(nullptr);
    EXPECT_EQ(heard.frames(), std::vector<Can_frame>{frame(0x18EF0102, 7)});
}

TEST(Mem_bus, a_frame_reaches_every_other_node_of_the_same_name_and_no_other)
{
    std::unique_ptr<Can_bus> a(Bus_select::start("mem,name=one", nullptr));
    std::unique_ptr<Can_bus> b(Bus_select::start("mem,name=one", nullptr));
    std::unique_ptr<Can_bus> c(Bus_select::start("mem,name=one", nullptr));
    std::unique_ptr<Can_bus> other(Bus_select::start("mem,name=two", nullptr));
    Listener la, lb, lc, lo;
    la.attach(*a);
    lb.attach(*b);
    lc.attach(*c);
    lo.attach(*other);
    ASSERT_TRUE(a->send(frame(0x100, 1)));
    EXPECT_TRUE(la.heard.empty());
    EXPECT_EQ(lb.heard.size(), 1u);
    EXPECT_EQ(lc.heard.size(), 1u);
    EXPECT_TRUE(lo.heard.empty());
    Can_frame too_long = frame(0x100, 1);
    too_long.dlc = 9;
    EXPECT_FALSE(a->send(too_long));
}

TEST(Mem_bus, the_switches_drop_delay_and_record_frames)
{
    Manual_clock clock;
    Mem_can_bus a("switches"), b("switches");
    Listener lb;
    lb.attach(b);
    Mem_bus_hub& hub = a.hub();
    hub.set_recording(true);
    hub.set_drop_rule([](const Can_frame& f) { return f.data[0] == 2; });
    hub.set_delay(100);
    a.send(frame(0x100, 1));
    a.send(frame(0x100, 2));
    a.send(frame(0x100, 3));
    EXPECT_TRUE(lb.heard.empty());
    clock.advance(99);
    hub.deliver_due();
    EXPECT_TRUE(lb.heard.empty());
    clock.advance(1);
    hub.deliver_due();
    ASSERT_EQ(lb.heard.size(), 2u);
    EXPECT_EQ(lb.heard[0].data[0], 1);
    EXPECT_EQ(lb.heard[1].data[0], 3);
    EXPECT_EQ(hub.recorded().size(), 3u) << "the record holds the dropped frame too";
}

}
