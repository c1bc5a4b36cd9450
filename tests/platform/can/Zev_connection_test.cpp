#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "platform/can/Mem_can_bus.h"
#include "platform/can/ZEV_Connection.h"
#include "tests/support/Short_claims.h"
#include "tests/platform/can/Zev_bench.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Wait_until.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>

namespace {

// Two connections with their own running tasks, on the real clock.
class Zev_connection : public testing::Test {
protected:
    Short_claims short_claims;
    std::string spec = "mem,name=" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name());
    waiter_descriptor master_waiter, slave_waiter;
    ZEV::Connection master{Known_names::get_tessaryn_master(4)};
    ZEV::Connection slave{Known_names::get_tessaryn_nextgen_slave(4)};

    static bool wait_for(waiter_descriptor& w, int module, waiter_event& e)
    {
        Atime deadline = Atime::now() + Rtime(10000);
        while (w.wait(e, deadline))
            if (e.module == module)
                return true;
        return false;
    }
    // Each stack runs on its own thread, so what it learns from the others
    // may come after its own claim holds: waits until it sees a node
    // matching the NAME at the address.
    static bool wait_for_host(ZEV_smart_stack& stack, const ZEV_name::NAME& name, uint8_t address)
    {
        waiter_descriptor watch;
        const ZEV_name::Listen_node* node = stack.get_listeners().Add(name, &watch);
        Atime deadline = Atime::now() + Rtime(10000);
        waiter_event e;
        bool seen;
        while (!(seen = stack.get_name_manager().gethostbyname(name) == address) && watch.wait(e, deadline)) {
        }
        stack.get_listeners().Remove(node);
        return seen;
    }
};

TEST_F(Zev_connection, start_opens_the_bus_runs_a_stack_and_claims_within_the_range)
{
    ASSERT_TRUE(slave.start(true, spec.c_str(), nullptr, &slave_waiter, 0x21, 0x21));
    ASSERT_TRUE(master.start(true, spec.c_str(), nullptr, &master_waiter, 230, 250));
    ZEV_smart_stack* stack = master.get_stack();
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->get_name_manager().gethostbyname(Known_names::get_tessaryn_master(4)), 230);
    waiter_event e;
    ASSERT_TRUE(wait_for(master_waiter, stack->get_name_module(), e)) << "the waiter hears of the claim";
    EXPECT_TRUE(wait_for_host(*stack, Known_names::get_tessaryn_nextgen_slave(-1), 0x21));

    // A third NAME on 230..250 finds 230 taken by a lower NAME and moves on.
    ZEV::Connection second{Known_names::get_tessaryn_master(5)};
    ASSERT_TRUE(second.start(true, spec.c_str(), nullptr, nullptr, 230, 250));
    EXPECT_TRUE(wait_for_host(*second.get_stack(), Known_names::get_tessaryn_master(5), 231));
}

TEST_F(Zev_connection, a_long_message_crosses_between_running_stacks_and_completes)
{
    ASSERT_TRUE(slave.start(true, spec.c_str(), nullptr, nullptr, 0x21, 0x21));
    ASSERT_TRUE(master.start(true, spec.c_str(), nullptr, nullptr, 230, 250));
    ZEV_smart_stack& m = *master.get_stack();
    ZEV_smart_stack& s = *slave.get_stack();
    ASSERT_EQ(s.register_pgn(0x1EF00, &slave_waiter, nullptr, 1), 0);
    std::vector<uint8_t> data = test_pattern(5000);
    ASSERT_EQ(m.write(ZEV_header(230, 0x21, 0x1EF00, 6, 10, 0), data.data(), int(data.size()), &master_waiter, 100), 0);

    waiter_event e;
    ASSERT_TRUE(wait_for(master_waiter, m.get_completion_module(), e));
    EXPECT_EQ(int32_t(e.code), 100);
    ASSERT_TRUE(wait_for(slave_waiter, s.get_receive_module(), e));
    std::vector<uint8_t> got(6000);
    ZEV_header h;
    ASSERT_EQ(s.read(0x1EF00, h, got.data(), int(got.size()), &slave_waiter, 1), 5000);
    got.resize(5000);
    EXPECT_EQ(got, data);

    master.stop();
    EXPECT_EQ(m.write(ZEV_header(230, 0x21, 0x1EF00, 6, 7, 0), data.data(), 8, nullptr, 1), -1)
        << "a stopped connection sends nothing";
    EXPECT_EQ(s.deregister_pgn(0x1EF00, &slave_waiter, 0), 0);
}

TEST_F(Zev_connection, start_fails_with_a_message_when_the_bus_cannot_be_opened)
{
    Debug_capture capture;
    EXPECT_FALSE(master.start(false, "tcp,addr=127.0.0.1", nullptr, &master_waiter, 230, 250));
    EXPECT_NE(capture.text().find("bad bus spec"), std::string::npos) << capture.text();
    EXPECT_EQ(master.get_stack(), nullptr);
}

TEST(Zev_stack_task, a_peer_that_never_lets_its_queue_run_empty_does_not_hold_up_its_timers)
{
    Short_claims short_claims;
    const std::string bus = "mem,name=never_empty";
    ZEV_smart_stack stack;
    ASSERT_TRUE(stack.open(Bus_select::start(bus.c_str(), nullptr), nullptr));
    // The peer answers each negative acknowledgement from the stack with a
    // new request at once, while the stack is still handling the last one.
    Mem_can_bus peer("never_empty");
    std::atomic<bool> chatty{true};
    std::atomic<long> rounds{0};
    Can_frame request;
    request.id = 0x18EA8030; // from 0x30 to 0x80: for PGN 0xEF00, which no task takes
    request.dlc = 3;
    request.data[1] = 0xEF;
    peer.set_receiver([&](const Can_frame& f) {
        if (chatty && ZEV_header::normal_pgn(f.id >> 8) == 0xE800) {
            ++rounds;
            peer.send(request);
        }
    });
    waiter_descriptor waiter;
    ASSERT_TRUE(stack.get_name_manager().add_local_name(Known_names::get_seeder(1), 0x80, &waiter));
    ASSERT_TRUE(stack.start());
    peer.send(request);

    waiter_event e;
    EXPECT_TRUE(waiter.wait(e, Atime::now() + Rtime(10000))) << "the claim's timer ran";
    EXPECT_GT(rounds, 0);
    chatty = false;
    stack.close();
    peer.set_receiver(nullptr);
}

// A second program with the same NAME (one machine, one identity), or a
// pattern that matches another node too: a blocking wait ends with this
// node's own claim, and the address looked up is the one it holds.
TEST(Zev_blocking_wait, ends_with_this_nodes_claim_even_when_another_matching_node_is_known)
{
    using ZEV_name::NAME;
    struct Case {
        NAME holder, ours, pattern;
    };
    const std::vector<Case> cases = {
        {Known_names::get_seeder(1), Known_names::get_seeder(1), Known_names::get_seeder(1)},
        {Known_names::get_seeder(1), Known_names::get_seeder(2), Known_names::get_seeder(-1)},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string spec = "mem,name=blocking_wait_" + std::to_string(++n);
        module_man modules;
        ZEV_smart_stack first, second; // each on its own task, on the real clock and the standard claim delay
        ASSERT_TRUE(first.open(Bus_select::start(spec.c_str(), nullptr), &modules) && first.start());
        ASSERT_TRUE(first.get_name_manager().add_local_name(c.holder, 0x90, nullptr));
        ASSERT_TRUE(first.wait_for_name(nullptr, c.holder, true));
        ASSERT_TRUE(second.open(Bus_select::start(spec.c_str(), nullptr), &modules) && second.start());
        ASSERT_TRUE(wait_until([&] { return second.get_name_manager().gethostbyname(c.holder) == 0x90; }))
            << "the second has heard the first answer its request for claims";

        Debug_capture capture;
        ASSERT_TRUE(second.get_name_manager().add_local_name(c.ours, 0x90, nullptr));
        EXPECT_TRUE(second.wait_for_name(nullptr, c.pattern, true));
        EXPECT_EQ(second.get_name_manager().get_claim_state(c.ours), ZEV_name::Claim_state::claimed) << n;
        EXPECT_EQ(second.get_name_manager().gethostbyname(c.pattern), 145) << n;
        char holder[17];
        std::snprintf(holder, sizeof holder, "%016llX", static_cast<unsigned long long>(c.holder.get_value()));
        EXPECT_NE(capture.text().find("Address 144 is held by NAME " + std::string(holder) + "; claiming 145\n"),
                  std::string::npos)
            << capture.text();
    }
}

}
