// kx4 as a program answering the ECU identification request of a service
// tool on the ISOBUS. The tool is a node of the platform's own network layer,
// whose transport answers kx4's request to send.
#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/rtos/Atime.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Short_claims.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;
constexpr uint32_t pgn_request = 0xEA00, pgn_ecu_identification = 64965;
constexpr uint8_t kx4_address = 144, tool_address = 0x30, global = 0xFF;

class Service_tool {
public:
    explicit Service_tool(int port)
    {
        const ZEV_name::NAME name = Known_names::get_tessaryn_master(9);
        ok_ = stack_.open(Bus_select::start(Hub_process::spec(port).c_str(), nullptr), &manager_) && stack_.start() &&
              stack_.get_name_manager().add_local_name(name, tool_address, &waiter_) &&
              stack_.wait_for_name(&waiter_, name, true) &&
              stack_.register_pgn(pgn_ecu_identification, &waiter_, nullptr, ZEV_stack::PGN_DATA) == 0;
    }
    bool is_ready() const { return ok_; }

    // Requests the ECU identification from the address and gives kx4's
    // answer with the destination it was sent to ("" when none came).
    std::string ask(uint8_t to, uint8_t& destination)
    {
        const uint8_t requested[3] = {uint8_t(pgn_ecu_identification), uint8_t(pgn_ecu_identification >> 8),
                                      uint8_t(pgn_ecu_identification >> 16)};
        if (stack_.write_now(ZEV_header(tool_address, to, pgn_request, 6, 0, 3), requested) != 0)
            return "";
        const Atime deadline = Atime::now() + Rtime(timeout_ms);
        waiter_event event;
        while (waiter_.wait(event, deadline)) {
            if (event.module != stack_.get_receive_module() || event.code != pgn_ecu_identification)
                continue;
            uint8_t buffer[1100];
            ZEV_header h;
            const int n = stack_.read(pgn_ecu_identification, h, buffer, sizeof buffer, &waiter_, ZEV_stack::PGN_DATA);
            if (n > 0 && h.get_source() == kx4_address) {
                destination = h.get_destination();
                return std::string(buffer, buffer + n);
            }
        }
        return "";
    }

private:
    module_man manager_;
    waiter_descriptor waiter_;
    ZEV_smart_stack stack_;
    bool ok_ = false;
};

TEST(Kx4_identification, a_service_tool_gets_the_ecu_identification_by_tp_when_asking_kx4_and_by_bam_when_asking_all)
{
    Temp_folder root;
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    Short_claims short_claims;
    Spawned_process kx4({KX4_PROGRAM, "--bus=" + hub.isobus(), "--abus=" + hub.abus()}, {"KX4_ROOT=" + root.path()});
    ASSERT_TRUE(kx4.wait_for_output("Address 144 claimed on the ISOBUS\n", timeout_ms)) << kx4.output();
    // The diagnostics take their requests from a little later in the
    // start-up, before the Task Controller link says whether it is on: a
    // request sent before that would go unanswered.
    ASSERT_TRUE(kx4.wait_for_output("**** TC POOL enabled = ", timeout_ms)) << kx4.output();
    Service_tool tool(hub.isobus_port());
    ASSERT_TRUE(tool.is_ready());

    const std::string expected = "PXT8812*00:00:00:00:00:00*On Cart*RQ-71*Vemtra Precision Agriculture*" +
                                 std::string(36, '0') + "#RQ-71 Board Rev 1.0*";
    uint8_t destination = 0;
    EXPECT_EQ(tool.ask(kx4_address, destination), expected) << kx4.output();
    EXPECT_EQ(destination, tool_address) << "by RTS/CTS to the tool";
    destination = 0;
    EXPECT_EQ(tool.ask(global, destination), expected) << kx4.output();
    EXPECT_EQ(destination, global) << "by BAM to all";

    kx4.send_signal(SIGTERM);
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
}

}
