#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "platform/can/ZEV_smart_stack.h"
#include "tests/support/Short_claims.h"
#include "tests/support/Spawned_process.h"
#include "tests/platform/can/Tcp_test_client.h"
#include "tests/platform/can/Zev_bench.h"

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace {

const char* const python = "/usr/bin/python3"; // Debian's, which sees python3-can

// Starts can_hub on a free port; 0 when it does not say it listens.
int start_hub(Spawned_process& hub)
{
    std::string line;
    if (!hub.read_line(line))
        return 0;
    const std::string prefix = "can_hub: listening on 127.0.0.1 port ";
    if (line.compare(0, prefix.size(), prefix) != 0)
        return 0;
    return std::stoi(line.substr(prefix.size()));
}

TEST(Can_hub_program, says_where_it_listens_and_ends_cleanly_on_sigint_and_sigterm)
{
    for (int signal : {SIGINT, SIGTERM}) {
        Spawned_process hub({CAN_HUB_PATH, "0", "0"});
        std::string line;
        ASSERT_TRUE(hub.read_line(line));
        EXPECT_EQ(line.find("can_hub: listening on 127.0.0.1 ports "), 0u) << line;
        EXPECT_EQ(hub.stop(signal), 0);
    }
    Spawned_process bad({CAN_HUB_PATH, "15x0"});
    EXPECT_EQ(bad.stop(0), 2) << "a bad port is a usage error";
}

TEST(Can_hub_program, turns_a_client_away_at_once_when_no_descriptor_is_left_and_serves_the_others)
{
    const char* const prlimit = "/usr/bin/prlimit";
    if (access(prlimit, X_OK) != 0)
        GTEST_SKIP() << prlimit << " is missing: the hub cannot be run with few file descriptors";
    Spawned_process hub({prlimit, "--nofile=16", CAN_HUB_PATH, "0"});
    int port = start_hub(hub);
    ASSERT_NE(port, 0);
    std::vector<std::unique_ptr<Tcp_test_client>> clients;
    std::string got;
    for (int i = 0; i < 16; ++i) {
        clients.emplace_back(new Tcp_test_client(port));
        if (!clients.back()->open_raw())
            break;
    }
    ASSERT_GE(clients.size(), 3u) << hub.output();
    Tcp_test_client& away = *clients.back();
    EXPECT_TRUE(away.ended()) << "closed at once, not left waiting: " << hub.output();
    EXPECT_TRUE(hub.wait_for_output("a new client is turned away", 10000)) << hub.output();

    clients.pop_back();
    clients.pop_back(); // makes room for one, once the hub has seen it leave
    std::unique_ptr<Tcp_test_client> next;
    for (int i = 0; i < 10 && !(next && next->open_raw()); ++i)
        next.reset(new Tcp_test_client(port));
    ASSERT_FALSE(next->ended());
    clients.front()->write("< send 18EF8130 1 2A >");
    ASSERT_TRUE(next->read_until(" 2A >", got)) << got;
    EXPECT_EQ(hub.stop(SIGTERM), 0);
}

// A peer that no one here wrote: python-can's socketcand interface, through
// can_hub, against one of our stacks; and a client sending garbage meanwhile.
const char* const python_peer = R"(
import sys
try:
    import can
except ImportError as e:
    print("NOCAN", e, flush=True)
    sys.exit(3)
bus = can.Bus(interface="socketcand", channel="can0", host="127.0.0.1", port=int(sys.argv[1]))
print("READY", flush=True)

def wait_for(pf, destination=None):
    while True:
        m = bus.recv(10)
        if m is None:
            return None
        if (m.arbitration_id >> 16) & 0xFF == pf and destination in (None, (m.arbitration_id >> 8) & 0xFF):
            return m

bus.send(can.Message(arbitration_id=0x18EAFFFE, data=[0x00, 0xEE, 0x00], is_extended_id=True))
m = wait_for(0xEE)
print("CLAIM %08X %s" % (m.arbitration_id, m.data.hex()) if m else "NO CLAIM", flush=True)
bus.send(can.Message(arbitration_id=0x18EF80A0, data=bytes(range(1, 9)), is_extended_id=True))
m = wait_for(0xEF, 0xA0)
print("GOT %08X %s" % (m.arbitration_id, m.data.hex()) if m else "NOTHING", flush=True)
bus.shutdown()
)";

std::string hex(const uint8_t* data, size_t n)
{
    std::string out;
    char buf[3];
    for (size_t i = 0; i < n; ++i) {
        snprintf(buf, sizeof buf, "%02x", data[i]);
        out += buf;
    }
    return out;
}

TEST(Can_hub_program, carries_29_bit_frames_both_ways_between_python_can_and_a_stack)
{
    if (access(python, X_OK) != 0)
        GTEST_SKIP() << python << " is missing: the python-can peer cannot run (tools/setup installs python3-can)";
    Spawned_process hub({CAN_HUB_PATH, "0"});
    int port = start_hub(hub);
    ASSERT_NE(port, 0);
    std::string spec = "tcp,addr=127.0.0.1,port=" + std::to_string(port);

    Short_claims short_claims;
    waiter_descriptor waiter;
    ZEV_smart_stack stack;
    ASSERT_TRUE(stack.open(Bus_select::start(spec.c_str(), nullptr), nullptr));
    ASSERT_TRUE(stack.start());
    ZEV_name::NAME name = Known_names::get_seeder(7);
    ASSERT_TRUE(stack.get_name_manager().add_local_name(name, 0x80, nullptr));
    ASSERT_TRUE(stack.wait_for_name(nullptr, name, true));
    ASSERT_EQ(stack.register_pgn(0xEF00, &waiter, nullptr, 0), 0);

    Tcp_test_client garbage(port);
    ASSERT_TRUE(garbage.open_raw());
    garbage.write("< send 18EF0102 9 1 2 3 4 5 6 7 8 9 >< nonsense >\x01\x02\xff<<<");
    std::string got;
    ASSERT_TRUE(garbage.read_until("< error unknown command nonsense >", got)) << got;

    Spawned_process peer({python, "-c", python_peer, std::to_string(port)});
    std::string line;
    ASSERT_TRUE(peer.read_line(line, 20000));
    if (line.compare(0, 5, "NOCAN") == 0)
        GTEST_SKIP() << "python3-can is not installed for " << python << ": " << line;
    ASSERT_EQ(line, "READY");
    ASSERT_TRUE(peer.read_line(line));
    EXPECT_EQ(line, "CLAIM 18EEFF80 " + hex(name.get_bytes(), 8)) << "our answer to python's request";
    garbage.write("< send 1 2 3 >< send 18EF0102 1 XX >" + std::string(500, '<'));

    waiter_event event;
    ASSERT_TRUE(waiter.wait(event, Atime::now() + Rtime(10000)));
    EXPECT_EQ(event.module, stack.get_receive_module());
    uint8_t data[8];
    ZEV_header header;
    ASSERT_EQ(stack.read(0xEF00, header, data, 8, &waiter, 0), 8);
    EXPECT_EQ(header.get_source(), 0xA0);
    EXPECT_EQ(header.get_destination(), 0x80);
    EXPECT_EQ(hex(data, 8), "0102030405060708");

    const uint8_t reply[8] = {0xCA, 0xFE, 0, 1, 2, 3, 4, 5};
    ASSERT_EQ(stack.write_now(ZEV_header(0x80, 0xA0, 0xEF00, 6, 7, 8), reply), 0);
    ASSERT_TRUE(peer.read_line(line));
    EXPECT_EQ(line, "GOT 18EFA080 cafe000102030405");
    EXPECT_EQ(peer.stop(0), 0);
    stack.close();
    EXPECT_EQ(hub.stop(SIGTERM), 0);
}

}
