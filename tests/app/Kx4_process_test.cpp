// kx4 as a program: started against a CAN server, stopped by a signal.
#include "app/System_info.h"
#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

std::string bus_spec(int port)
{
    return "--bus=tcp,addr=127.0.0.1,port=" + std::to_string(port);
}

// A port on which nothing listens (for a moment, at least).
int free_port()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

// A node on a CAN server's bus that keeps the address claims it sees.
class Claim_watcher {
public:
    explicit Claim_watcher(int port)
        : bus_(Bus_select::start(("tcp,addr=127.0.0.1,port=" + std::to_string(port)).c_str(), nullptr))
    {
        if (bus_)
            bus_->set_receiver([this](const Can_frame& frame) { take(frame); });
    }
    ~Claim_watcher()
    {
        if (bus_)
            bus_->set_receiver(nullptr);
    }
    bool is_connected() const { return bool(bus_); }

    // Waits for a claim of the address; true with the claimed NAME's bytes.
    bool wait_for_claim(uint8_t address, uint8_t (&name)[8])
    {
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
        // Address claimed: PGN 60928 (EE00) to all, the claimed address as the source.
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

std::string text_of(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Kx4_process : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(hub.wait_for_output("listening", timeout_ms)) << hub.output();
        std::istringstream line(hub.output().substr(hub.output().find("port") + 4));
        line >> isobus_port;
        ASSERT_GT(isobus_port, 0) << hub.output();
    }
    void TearDown() override
    {
        hub.send_signal(SIGTERM);
        EXPECT_EQ(hub.wait_for_exit(timeout_ms), 0) << hub.output();
    }

    Temp_folder root;
    Spawned_process hub{{CAN_HUB_PROGRAM, "0"}};
    int isobus_port = 0;
};

TEST_F(Kx4_process, claims_its_address_and_ends_with_code_1_on_sigterm)
{
    Claim_watcher peer(isobus_port);
    ASSERT_TRUE(peer.is_connected());
    Spawned_process kx4({KX4_PROGRAM, bus_spec(isobus_port)}, {"KX4_ROOT=" + root.path()});

    uint8_t claimed[8] = {};
    ASSERT_TRUE(peer.wait_for_claim(144, claimed)) << kx4.output();
    const ZEV_name::NAME seeder = Known_names::get_seeder(int(System_info().get_identity_number()));
    EXPECT_EQ(std::memcmp(claimed, seeder.get_bytes(), 8), 0);
    ASSERT_TRUE(kx4.wait_for_output("Starting in VT Mode\n", timeout_ms)) << kx4.output();

    kx4.send_signal(SIGTERM);
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    const std::string& said = kx4.output();
    EXPECT_EQ(said.rfind("KX-4 Seeder Application Starting\n", 0), 0u) << said;
    EXPECT_NE(said.find("Address 144 claimed on the ISOBUS\n"), std::string::npos) << said;
    EXPECT_NE(said.find("\nShutdown code: 1\nWriting exit code to file: 1\nEXIT: 1\n"), std::string::npos) << said;
    EXPECT_EQ(text_of(root.path() + "var/data/kx4/app/AppExitCode.txt"), "1");
    EXPECT_TRUE(exists(root.path() + "var/data/kx4/cache"));
}

TEST_F(Kx4_process, without_a_can_server_it_says_so_and_fails)
{
    const int port = free_port();
    ASSERT_GT(port, 0);
    Spawned_process kx4({KX4_PROGRAM, bus_spec(port)}, {"KX4_ROOT=" + root.path()});
    std::optional<int> status = kx4.wait_for_exit(timeout_ms);
    ASSERT_TRUE(status.has_value()) << kx4.output();
    EXPECT_NE(*status, 0);
    EXPECT_NE(kx4.output().find("Cannot reach the ISOBUS at \"tcp,addr=127.0.0.1,port=" + std::to_string(port) + "\""),
              std::string::npos)
        << kx4.output();
}

}
