// kx4 as a program while its CAN server dies and comes back.
#include "app/System_info.h"
#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Short_claims.h"
#include "tests/support/Simulated_slave_ecu.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <sstream>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

// The next line of the output that holds the text; false when none comes in time.
bool next_line_with(Spawned_process& process, const std::string& text)
{
    std::string line;
    while (process.read_line(line, timeout_ms))
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

// A node on the ISOBUS that asks for the claim of an address and keeps what it hears.
class Claim_asker {
public:
    explicit Claim_asker(int port) : bus_(Bus_select::start(Hub_process::spec(port).c_str(), nullptr))
    {
        if (bus_)
            bus_->set_receiver([this](const Can_frame& frame) { take(frame); });
    }
    ~Claim_asker()
    {
        if (bus_)
            bus_->set_receiver(nullptr);
    }
    bool is_connected() const { return bool(bus_); }

    // Sends a request for address claim (PGN 60928) from the null address to
    // the address and waits for its claim; true with the claimed NAME's bytes.
    bool ask(uint8_t address, uint8_t (&name)[8])
    {
        Can_frame request;
        request.id = 0x18EA00FE | uint32_t(address) << 8;
        request.dlc = 3;
        request.data[0] = 0x00;
        request.data[1] = 0xEE;
        request.data[2] = 0x00;
        if (!bus_->send(request))
            return false;
        std::unique_lock<std::mutex> lock(mutex_);
        bool seen = changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                                      [this, address] { return claims_[address].dlc == 8; });
        if (seen)
            std::memcpy(name, claims_[address].data, 8);
        return seen;
    }

private:
    void take(const Can_frame& frame)
    {
        if (!frame.extended || ((frame.id >> 8) & 0xFFFF) != 0xEEFF)
            return;
        std::lock_guard<std::mutex> lock(mutex_);
        claims_[frame.id & 0xFF] = frame;
        changed_.notify_all();
    }

    std::unique_ptr<Can_bus> bus_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Can_frame claims_[256];
};

TEST(Kx4_can_server, a_restarted_can_server_is_found_again_the_address_claimed_again_and_the_slave_ecu_runs_again)
{
    Temp_folder root;
    auto hub = std::make_unique<Hub_process>(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub->listening()) << hub->output();
    const int isobus_port = hub->isobus_port(), abus_port = hub->abus_port();
    Short_claims short_claims;
    Simulated_slave_ecu slave(5, 0x22); // kx4's --id=5,4 below
    ASSERT_TRUE(slave.start(hub->abus()));
    Spawned_process kx4({KX4_PROGRAM, "--bus=" + hub->isobus(), "--abus=" + hub->abus(), "--id=5,4"},
                        {"KX4_ROOT=" + root.path()});
    char slave_name[17];
    std::snprintf(slave_name, sizeof slave_name, "%llx", static_cast<unsigned long long>(slave.get_name()));
    const std::string slave_running = "TEcu::" + std::string(slave_name) + " SlaveState 8->9";
    ASSERT_TRUE(kx4.wait_for_output("Address 144 claimed on the ISOBUS\n", timeout_ms)) << kx4.output();
    ASSERT_TRUE(next_line_with(kx4, slave_running)) << kx4.output();

    hub->process().send_signal(SIGKILL);
    EXPECT_FALSE(hub->process().wait_for_exit(timeout_ms).has_value()) << "killed";
    for (int port : {isobus_port, abus_port})
        EXPECT_TRUE(kx4.wait_for_output("CAN bus 127.0.0.1:" + std::to_string(port) +
                                            ": the CAN server is gone (it closed the connection); connecting again\n",
                                        timeout_ms))
            << kx4.output();
    ASSERT_TRUE(next_line_with(kx4, "TEcu::" + std::string(slave_name) + " SlaveState 9->0"))
        << "the slave falls silent with its bus" << kx4.output();

    hub = std::make_unique<Hub_process>(CAN_HUB_PROGRAM, isobus_port, abus_port, timeout_ms);
    ASSERT_TRUE(hub->listening()) << "the ports could not be taken again: " << hub->output();
    for (int port : {isobus_port, abus_port})
        EXPECT_TRUE(kx4.wait_for_output("CAN bus 127.0.0.1:" + std::to_string(port) + ": the CAN server is back\n",
                                        timeout_ms))
            << kx4.output();
    Claim_asker peer(isobus_port);
    ASSERT_TRUE(peer.is_connected());
    uint8_t claimed[8] = {};
    ASSERT_TRUE(peer.ask(144, claimed)) << kx4.output();
    const ZEV_name::NAME seeder = Known_names::get_seeder(int(System_info().get_identity_number()));
    EXPECT_EQ(std::memcmp(claimed, seeder.get_bytes(), 8), 0);
    EXPECT_TRUE(next_line_with(kx4, slave_running)) << "the slave runs again" << kx4.output();

    kx4.send_signal(SIGTERM);
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    EXPECT_EQ(hub->process().stop(SIGTERM, timeout_ms), 0) << hub->output();
}

}
