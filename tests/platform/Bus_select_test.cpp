#include "platform/can/Bus_select.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A port on which nothing listens (for a moment, at least).
int free_port()
{
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&addr), len) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    close(s);
    return port;
}

// The caller adds a hint about a CAN server only when the spec was good and
// its bus is not there, so the two must not be confused.
TEST(Bus_select_failure, tells_a_malformed_spec_from_a_bus_that_cannot_be_opened)
{
    const int port = free_port();
    ASSERT_GT(port, 0);
    const std::string unreachable = "tcp,addr=127.0.0.1,port=" + std::to_string(port);
    struct Case {
        std::string spec;
        Bus_select::Failure failure;
    } cases[] = {
        {"", Bus_select::bad_spec},
        {"tcp", Bus_select::bad_spec},
        {"tcp,addr=127.0.0.1", Bus_select::bad_spec},
        {"tcp,addr=127.0.0.1,port=0", Bus_select::bad_spec},
        {"tcp,addr=127.0.0.1,port=15x0", Bus_select::bad_spec},
        {"tcp,addr=127.0.0.1,port=1500,speed=250", Bus_select::bad_spec},
        {"mem,name=", Bus_select::bad_spec},
        {"serial,dev=/dev/ttyS0", Bus_select::bad_spec},
        {unreachable, Bus_select::cannot_open},
        {"socketcan,if=kx4nosuchcan", Bus_select::cannot_open},
    };
    for (const Case& c : cases) {
        Debug_capture capture;
        Bus_select::Failure failure = c.failure == Bus_select::bad_spec ? Bus_select::cannot_open : Bus_select::bad_spec;
        std::unique_ptr<Can_bus> bus(Bus_select::start(c.spec.c_str(), nullptr, &failure));
        EXPECT_EQ(bus, nullptr) << c.spec;
        EXPECT_EQ(failure, c.failure) << c.spec << ": " << capture.text();
    }
    Bus_select::Failure failure = Bus_select::bad_spec;
    EXPECT_EQ(Bus_select::start(nullptr, nullptr, &failure), nullptr);
    EXPECT_EQ(failure, Bus_select::bad_spec);
    std::unique_ptr<Can_bus> bus(Bus_select::start("mem,name=bus_select_failure", nullptr, &failure));
    EXPECT_NE(bus, nullptr);
}

}
