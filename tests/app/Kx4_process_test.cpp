// kx4 as a program: started against a CAN server, stopped by a signal.
#include "app/System_info.h"
#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Short_claims.h"
#include "tests/support/Simulated_slave_ecu.h"
#include "tests/support/Spawned_process.h"
#include "tests/support/Wait_until.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <linux/can.h>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
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
    return "--bus=" + Hub_process::spec(port);
}

std::string abus_spec(int port)
{
    return "--abus=" + Hub_process::spec(port);
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

// The simulated slave ECU's identity and model, as kx4's --id gives them.
constexpr int slave_identity = 5;
constexpr const char* slave_id_option = "--id=5,4";

// A NAME in hex: kx4 prints all 16 digits, the library no leading zeros.
std::string hex_name(uint64_t name, const char* format = "%016llx")
{
    char text[17];
    std::snprintf(text, sizeof text, format, static_cast<unsigned long long>(name));
    return text;
}

// A CAN server with two buses: the ISOBUS and the slave ECUs'.
class Kx4_process : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(hub.listening()) << hub.output();
    }
    void TearDown() override
    {
        EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
    }

    // Runs kx4 on the two buses to its end, which must come with a non-zero
    // status; its output.
    std::string failing_start(int bus_port, int abus_port)
    {
        Spawned_process kx4({KX4_PROGRAM, bus_spec(bus_port), abus_spec(abus_port)}, {"KX4_ROOT=" + root.path()});
        const std::optional<int> status = kx4.wait_for_exit(timeout_ms);
        EXPECT_TRUE(status.has_value()) << kx4.output();
        EXPECT_NE(status.value_or(0), 0) << kx4.output();
        return kx4.output();
    }

    Temp_folder root;
    Hub_process hub{CAN_HUB_PROGRAM, 0, 0, timeout_ms};
    const int isobus_port = hub.isobus_port();
    const int abus_port = hub.abus_port();
};

TEST_F(Kx4_process, claims_its_address_runs_its_slave_ecu_and_ends_with_code_1_on_sigterm)
{
    Claim_watcher peer(isobus_port);
    ASSERT_TRUE(peer.is_connected());
    Short_claims short_claims;
    Simulated_slave_ecu slave(slave_identity, 0x22);
    ASSERT_TRUE(slave.start(hub.abus()));
    Spawned_process kx4({KX4_PROGRAM, bus_spec(isobus_port), abus_spec(abus_port), slave_id_option},
                        {"KX4_ROOT=" + root.path()});

    uint8_t claimed[8] = {};
    ASSERT_TRUE(peer.wait_for_claim(144, claimed)) << kx4.output();
    const ZEV_name::NAME seeder = Known_names::get_seeder(int(System_info().get_identity_number()));
    EXPECT_EQ(std::memcmp(claimed, seeder.get_bytes(), 8), 0);
    ASSERT_TRUE(kx4.wait_for_output("Starting in VT Mode\n", timeout_ms)) << kx4.output();
    EXPECT_TRUE(kx4.wait_for_output("Slave ECU " + hex_name(slave.get_name()) + " registered\n", timeout_ms))
        << kx4.output();
    // The library's line as the slave's handshake ends and its status becomes 1.
    EXPECT_TRUE(kx4.wait_for_output("TEcu::" + hex_name(slave.get_name(), "%llx") + " SlaveState 8->9\n", timeout_ms))
        << kx4.output();
    EXPECT_TRUE(wait_until(
        [&] { return slave.seen().polarity == 0xFFCFFFFF && slave.seen().input_interval_ms == 200; }, timeout_ms))
        << "kx4 makes connector 2, pin 1 (input bit 10) active low, reported every 200 ms";

    kx4.send_signal(SIGTERM);
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    const std::string& said = kx4.output();
    EXPECT_EQ(said.rfind("KX-4 Seeder Application Starting\n", 0), 0u) << said;
    EXPECT_NE(said.find("Address 144 claimed on the ISOBUS\n"), std::string::npos) << said;
    EXPECT_NE(said.find("\nShutdown code: 1\nWriting exit code to file: 1\n"
                        "Shutting down - notify VT\nEXIT: 1\n"), std::string::npos) << said;
    EXPECT_EQ(text_of(root.path() + "var/data/kx4/app/AppExitCode.txt"), "1");
    EXPECT_TRUE(exists(root.path() + "var/data/kx4/cache"));
}

// The parameters come from the file at start-up: here only from its backup,
// which asks for address 143 and the non-VT display. Ctrl-C ends the wait for
// that display, and the program, with code 1.
TEST_F(Kx4_process, restores_its_parameters_from_the_backup_and_uses_them_and_ends_with_code_1_on_sigint)
{
    const std::string cache = root.path() + "var/data/kx4/cache/";
    {
        NV_quvel::parameters_t stored;
        stored.system.app_preferred_address.set(143);
        stored.system.non_vtt_connected.set(true);
        Parameter_file file(stored, cache);
        ASSERT_TRUE(file.create_folder());
        ASSERT_TRUE(file.save());
        ASSERT_EQ(std::remove((cache + "params").c_str()), 0);
    }
    Claim_watcher peer(isobus_port);
    ASSERT_TRUE(peer.is_connected());
    Spawned_process kx4({KX4_PROGRAM, bus_spec(isobus_port), abus_spec(abus_port)}, {"KX4_ROOT=" + root.path()});

    uint8_t claimed[8] = {};
    ASSERT_TRUE(peer.wait_for_claim(143, claimed)) << kx4.output();
    ASSERT_TRUE(kx4.wait_for_output("Looking for Solvane...\n", timeout_ms)) << kx4.output();
    kx4.send_signal(SIGINT);
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    const std::string& said = kx4.output();
    EXPECT_NE(said.find("NV iterator is not readable\n"
                        "Parameter file " + cache + "params: No such file or directory\n"
                        "Restoring from params.bak succeeded\n"
                        "params deserialise = 1\n"),
              std::string::npos)
        << said;
    // Never in VT mode: no VT to tell.
    EXPECT_NE(said.find("\nShutdown code: 1\nWriting exit code to file: 1\nEXIT: 1\n"), std::string::npos) << said;
    EXPECT_EQ(read_bytes(cache + "params"), read_bytes(cache + "params.bak"));
}

TEST_F(Kx4_process, without_a_can_server_it_says_so_and_fails)
{
    const int port = free_port();
    ASSERT_GT(port, 0);
    const std::string said = failing_start(port, abus_port);
    EXPECT_NE(said.find("Cannot reach the ISOBUS at \"tcp,addr=127.0.0.1,port=" + std::to_string(port) + "\""),
              std::string::npos)
        << said;
}

TEST_F(Kx4_process, without_a_server_on_the_slave_ecu_bus_it_says_so_and_fails)
{
    const int port = free_port();
    ASSERT_GT(port, 0);
    const std::string said = failing_start(isobus_port, port);
    const std::string spec = "\"" + Hub_process::spec(port) + "\"";
    EXPECT_NE(said.find("Connecting to the slave ECUs on " + spec + "\n"), std::string::npos) << said;
    EXPECT_NE(said.find("no CAN connection on " + spec), std::string::npos) << said;
    EXPECT_EQ(said.find("Address 144 claimed"), std::string::npos) << said;
}

// Runs kx4 on the hub's buses until it waits for its display, then stops it
// with SIGTERM; its output.
std::string run_until_running(const std::vector<std::string>& arguments, const std::string& root)
{
    Spawned_process kx4(arguments, {"KX4_ROOT=" + root});
    EXPECT_TRUE(kx4.wait_for_output("Starting in VT Mode\n", timeout_ms)) << kx4.output();
    kx4.send_signal(SIGTERM);
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    return kx4.output();
}

TEST_F(Kx4_process, a_first_start_saves_the_defaults_and_the_next_start_loads_them_without_a_warning)
{
    const std::string cache = root.path() + "var/data/kx4/cache/";
    const std::vector<std::string> arguments{KX4_PROGRAM, bus_spec(isobus_port), abus_spec(abus_port)};
    const std::string first = run_until_running(arguments, root.path());
    EXPECT_NE(first.find("No parameter file in " + cache + " yet: the factory defaults are used, and saved now\n"),
              std::string::npos)
        << first;
    ASSERT_TRUE(exists(cache + "params"));
    EXPECT_EQ(read_bytes(cache + "params.bak"), read_bytes(cache + "params"));

    const std::string next = run_until_running(arguments, root.path());
    EXPECT_NE(next.find("params deserialise = 1\n"), std::string::npos) << next;
    for (const char* warning : {"No parameter file", "not readable", "Parameter file ", "Restoring", "Neither"})
        EXPECT_EQ(next.find(warning), std::string::npos) << warning << " in\n" << next;
}

TEST_F(Kx4_process, a_second_kx4_on_the_same_files_ends_at_once_and_the_first_runs_on)
{
    const std::vector<std::string> arguments{KX4_PROGRAM, bus_spec(isobus_port), abus_spec(abus_port)};
    Spawned_process first(arguments, {"KX4_ROOT=" + root.path()});
    ASSERT_TRUE(first.wait_for_output("Starting in VT Mode\n", timeout_ms)) << first.output();

    Spawned_process second(arguments, {"KX4_ROOT=" + root.path()});
    const std::optional<int> status = second.wait_for_exit(timeout_ms);
    ASSERT_TRUE(status.has_value()) << second.output();
    EXPECT_NE(*status, 0) << second.output();
    const std::string& said = second.output();
    EXPECT_NE(said.find("Another kx4 (process "), std::string::npos) << said;
    EXPECT_NE(said.find(") already runs on the files in " + root.path() + "var/data/kx4/data/: this one ends\n"),
              std::string::npos)
        << said;
    // It ended before it went near a bus.
    EXPECT_EQ(said.find("Connecting to the slave ECUs"), std::string::npos) << said;
    EXPECT_EQ(said.find("claimed"), std::string::npos) << said;

    first.send_signal(SIGTERM);
    EXPECT_EQ(first.wait_for_exit(timeout_ms), 1) << first.output();
    EXPECT_NE(first.output().find("\nShutdown code: 1\nWriting exit code to file: 1\n"
                                  "Shutting down - notify VT\nEXIT: 1\n"), std::string::npos)
        << first.output();
}

// Mistakes on the command line end kx4 at once, each with its own message; a
// malformed bus spec is not mistaken for a CAN server that is not there.
TEST_F(Kx4_process, a_bad_command_line_ends_at_once_with_its_own_message)
{
    const std::string hint = "is a CAN server (can_hub) running there?";
    // A kernel without SocketCAN says so; one with it has no such interface.
    const int can_socket = socket(PF_CAN, SOCK_RAW, CAN_RAW);
    const std::string socketcan_said = can_socket < 0 ? "this kernel offers no SocketCAN"
                                                      : "cannot open CAN interface kx4none0";
    if (can_socket >= 0)
        close(can_socket);
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string said;
    } cases[] = {
        {{"-h"}, 0, "Usage: kx4 [options]\n"},
        {{"-d", "JDB=zz"}, 1, "Bad argument for debug\n"},
        {{"--bus="}, 1, "--bus= needs a bus spec"},
        {{"--abus="}, 1, "--abus= needs a bus spec"},
        {{"--bus=nonsense"}, 255, "bad bus spec \"nonsense\": unknown kind of bus"},
        {{"--bus=tcp,addr=127.0.0.1"}, 255, "bad bus spec \"tcp,addr=127.0.0.1\": missing port"},
        {{"--bus=tcp,addr=127.0.0.1,port=99999"}, 255, "port must be a number from 1 to 65535"},
        {{"--bus=tcp,addr=127.0.0.1,port=1500,speed=250"}, 255, "unknown key \"speed\""},
        {{"--bus=socketcan,if=kx4none0"}, 255, socketcan_said},
        {{"--nonsense"}, 1, "kx4: see -h\n"},
        {{"-T", "extra"}, 1, "kx4: unexpected argument \"extra\"; see -h\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{KX4_PROGRAM};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        Spawned_process kx4(arguments, {"KX4_ROOT=" + root.path()});
        EXPECT_EQ(kx4.wait_for_exit(timeout_ms), c.status) << c.arguments[0] << ": " << kx4.output();
        EXPECT_NE(kx4.output().find(c.said), std::string::npos) << c.arguments[0] << ": " << kx4.output();
        EXPECT_EQ(kx4.output().find(hint), std::string::npos) << c.arguments[0] << ": " << kx4.output();
    }
}

}
