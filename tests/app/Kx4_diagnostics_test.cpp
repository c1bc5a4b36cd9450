// kx4 as a program answering J1939 diagnostics to a service tool on the
// ISOBUS: Debian's python3-can, a client of the CAN server like kx4.
#include "tests/app/App_fixture.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 60000;

// The tool: connects, says "ready", then waits for kx4's first DM1 and
// reports what kx4 sends as "<step> <identifier> <data>" lines, each step
// starting with what it asks for. Identifiers and data in hexadecimal.
const char* const tool_script = R"(
import can, sys, time
port, kx4 = int(sys.argv[1]), int(sys.argv[2], 16)
bus = can.Bus(interface="socketcand", host="127.0.0.1", port=port, channel="can0")
print("ready", flush=True)

def pgn(i):
    pf, ps = (i >> 16) & 0xFF, (i >> 8) & 0xFF
    return (i >> 8) & 0x30000 | pf << 8 | (ps if pf >= 240 else 0)

def listen(step, seconds, until=None):
    end = time.time() + seconds
    while time.time() < end:
        m = bus.recv(0.1)
        if m is None or m.arbitration_id & 0xFF != kx4 or pgn(m.arbitration_id) == 0xEE00:
            continue
        print(step, "%08x" % m.arbitration_id, m.data.hex(), flush=True)
        if until is not None and pgn(m.arbitration_id) == until:
            return

def ask(to, requested):
    data = [requested & 0xFF, requested >> 8 & 0xFF, requested >> 16]
    bus.send(can.Message(arbitration_id=0x18EA0030 | to << 8, data=data, is_extended_id=True))

listen("start", 40, until=65226)
listen("later", 3)
ask(0xFF, 65226)
listen("dm1", 3, until=65226)
ask(kx4, 65227)
listen("dm2", 3, until=65227)
ask(kx4, 65235)
listen("dm11", 3)
print("done", flush=True)
bus.shutdown()
)";

// The tool's lines of one step: identifier and data.
std::vector<std::pair<std::string, std::string>> step(const std::string& output, const std::string& name)
{
    std::vector<std::pair<std::string, std::string>> out;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string word, id, data;
        if (words >> word >> id >> data && word == name)
            out.emplace_back(id, data);
    }
    return out;
}

TEST(Kx4_diagnostics, a_service_tool_sees_one_dm1_at_start_and_gets_dm1_dm2_and_the_dm11_acknowledgement)
{
    Temp_folder root;
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    Spawned_process tool({"/usr/bin/python3", "-c", tool_script, std::to_string(hub.isobus_port()), "90"});
    ASSERT_TRUE(tool.wait_for_output("ready\n", timeout_ms)) << tool.output();
    Spawned_process kx4({KX4_PROGRAM, "--bus=" + hub.isobus(), "--abus=" + hub.abus()}, {"KX4_ROOT=" + root.path()});
    ASSERT_TRUE(kx4.wait_for_output("Address 144 claimed on the ISOBUS\n", timeout_ms)) << kx4.output();
    ASSERT_TRUE(tool.wait_for_output("done\n", timeout_ms)) << tool.output() << kx4.output();
    const std::string& heard = tool.output();

    const std::string empty_list = "ffff00000000ffff";
    using Frames = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(step(heard, "start"), (Frames{{"18feca90", empty_list}})) << "priority 6, from kx4, to all\n" << heard;
    EXPECT_EQ(step(heard, "later"), Frames{}) << "once only";
    EXPECT_EQ(step(heard, "dm1"), (Frames{{"18feca90", empty_list}})) << "on request";
    EXPECT_EQ(step(heard, "dm2"), (Frames{{"18fecb90", empty_list}})) << "to all";
    EXPECT_EQ(step(heard, "dm11"), (Frames{{"18e8ff90", "00ffffff30d3fe00"}})) << "acknowledged, nothing else";

    bool found = false;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root.path()))
        found = found || entry.path().filename() == "j1939Diag0.dat";
    EXPECT_TRUE(found) << "the fault files are under KX4_ROOT";

    kx4.send_signal(SIGTERM);
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
}

}
