// kx4's Task Controller client: the main loop's side of it against the fake
// Task Controller on the in-process bus, and the whole program against the
// fake as processes on can_hub.
#include "app/Main_loop.h"
#include "app/Tc_link.h"
#include "platform/io/Binary_message.h"
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/platform/can/Zev_bench.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Fake_tc_server.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <regex>
#include <thread>

namespace {

constexpr uint8_t tc_address = 0xF7;

class Kx4_tc_main_loop : public ::testing::Test, public App_fixture {
protected:
    void SetUp() override
    {
        parameters->system.tc_enabled.set(true);
        parameters->system.specific_tc_timeout.set(0);
        tc = std::make_unique<Fake_tc_server>(&manager, tc_node.stack, Fake_tc_server::Settings());
        ASSERT_TRUE(tc->start_serving());
        link = std::make_unique<Tc_link>(manager, *store, *parameters, waiter, client_node.stack, member);
        link->follow();
        loop.set_tc_link(link.get());
        loop.start();
    }
    void TearDown() override
    {
        link->finish();
        loop.finish(folder.path());
    }

    // Moves the clock on in 5 ms steps, running the tasks and the loop's passes.
    void run_for(int ms)
    {
        for (int t = 0; t < ms; t += 5) {
            bench.run_for(5);
            for (int ran = 1; ran > 0;) {
                bench.settle();
                ran = link->get_controller().run_pending() + tc->run_pending();
                while (waiter.pending() > 0) {
                    loop.pass();
                    ++ran;
                }
            }
        }
    }
    bool tc_alive() { return store->head.get(system().tc_alive); }
    int lines_with(const std::string& text) const
    {
        int n = 0;
        for (const std::string& line : tc->lines())
            n += line.find(text) != std::string::npos;
        return n;
    }

    Zev_bench bench;
    Zev_bench::Node& client_node = bench.add_claimed_node(Known_names::get_seeder(1), 0x80);
    Zev_bench::Node& tc_node = bench.add_node();
    Debug_capture debug;
    Working_set_member member{Known_names::get_seeder(1)};
    std::unique_ptr<Fake_tc_server> tc;
    std::unique_ptr<Tc_link> link;
    Main_loop loop{objects};
};

TEST_F(Kx4_tc_main_loop, an_active_pool_sets_tc_alive_and_keeps_the_task_controllers_name)
{
    run_for(1000);
    EXPECT_TRUE(tc_alive());
    const uint64_t name = Binary_message::get_uint64_be(tc->get_name().get_bytes());
    EXPECT_EQ(parameters->system.specific_tc_name.get(), name);
    EXPECT_NE(debug.text().find("seeder_ecu app got tc_client event...pool activated\nLast TC was "
                                "18446744073709551231 now changed to " + std::to_string(name) + "\n"),
              std::string::npos)
        << debug.text();

    tc->set_silent(true);
    run_for(7000);
    EXPECT_FALSE(tc_alive());
    EXPECT_NE(debug.text().find("seeder_ecu app got tc_client event...pool deactivated\n"), std::string::npos);
}

TEST_F(Kx4_tc_main_loop, a_reset_request_rebuilds_and_exchanges_versions_again)
{
    run_for(1000);
    ASSERT_TRUE(tc_alive());
    const int exchanges = lines_with("version request from 128");
    store->head.set(system().reset_tc_counter, 1u);
    run_for(1000);
    EXPECT_NE(debug.text().find("TC Reload required!!\n"), std::string::npos);
    EXPECT_FALSE(store->head.get(system().reset_tc));
    EXPECT_EQ(lines_with("version request from 128"), exchanges + 1);
    EXPECT_TRUE(tc_alive());
}

TEST_F(Kx4_tc_main_loop, tc_enabled_switches_the_client)
{
    run_for(1000);
    ASSERT_TRUE(tc_alive());
    parameters->system.tc_enabled.set(false);
    run_for(100);
    EXPECT_NE(debug.text().find("TC client disabled\n"), std::string::npos);
    EXPECT_FALSE(tc_alive()) << debug.text();
    parameters->system.tc_enabled.set(true);
    run_for(3000);
    EXPECT_NE(debug.text().find("TC client enabled\n"), std::string::npos);
    EXPECT_TRUE(tc_alive());
}

TEST_F(Kx4_tc_main_loop, the_non_vt_display_switches_the_filter_and_exchanges_versions_again)
{
    run_for(1000);
    const int exchanges = lines_with("version request from 128");
    store->head.set(system().non_vtt_connected, true);
    run_for(1000);
    EXPECT_NE(debug.text().find("Switching to Solvane Mode\n"), std::string::npos);
    EXPECT_EQ(lines_with("version request from 128"), exchanges + 1);
    // A Task Controller of another maker is not looked for any more.
    tc->set_silent(true);
    run_for(7000);
    tc->set_silent(false);
    run_for(3000);
    EXPECT_FALSE(tc_alive());
}

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

// The parameter file of a kx4 that takes any Task Controller at once: one
// boom of the sections given, one granular channel on it.
void store_tc_parameters(const Temp_folder& root, uint8_t sections)
{
    NV_quvel::parameters_t stored;
    stored.system.tc_enabled.set(true);
    stored.system.specific_tc_timeout.set(0);
    stored.app.booms.num_booms.set(1);
    stored.app.booms.booms[0]->num_sections.set(sections);
    stored.app.num_channels.set(1);
    stored.app.channels[0]->mode.set(0);
    stored.app.channels[0]->assigned_to_boom.set(0);
    Parameter_file file(stored, root.path() + "var/data/kx4/cache/");
    ASSERT_TRUE(file.create_folder());
    ASSERT_TRUE(file.save());
}

TEST(Kx4_tc, kx4_uploads_to_the_fake_task_controller_takes_a_rate_and_sees_it_go)
{
    Temp_folder root;
    store_tc_parameters(root, 0);
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    Spawned_process tc({FAKE_TC_SERVER_PROGRAM, hub.isobus(), "--command", "Bin 1,6,3,15000"});
    ASSERT_TRUE(tc.wait_for_output("fake_tc_server: Task Controller version 4", timeout_ms)) << tc.output();
    Spawned_process kx4({KX4_PROGRAM, "-T", "--bus=" + hub.isobus(), "--abus=" + hub.abus()},
                        {"KX4_ROOT=" + root.path()}, Spawned_process::Input::fed);

    ASSERT_TRUE(kx4.wait_for_output("seeder_ecu app got tc_client event...pool activated\n", timeout_ms))
        << kx4.output() << tc.output();
    EXPECT_TRUE(tc.wait_for_output("sent command 3 to 144", timeout_ms)) << tc.output();
    const std::string& heard = tc.output();
    for (const char* step : {"working-set master at 144 with 1 member(s)", "version of 144: 3", "transfer request from 144",
                             "pool from 144", "0 error(s)", "activation request from 144: activated"})
        EXPECT_NE(heard.find(step), std::string::npos) << step << "\n" << heard;
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.system.tc_alive", "tc_alive = 1;")) << kx4.output();
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.channels.channels.0.requested_rate", "requested_rate = 150;"))
        << kx4.output();

    const auto stopped = std::chrono::steady_clock::now();
    EXPECT_EQ(tc.stop(SIGTERM, timeout_ms), 0) << tc.output();
    EXPECT_TRUE(kx4.wait_for_output("pool deactivated\n", timeout_ms)) << kx4.output();
    // 6 s after the last status, which came at most 2 s before the stop; and
    // some slack for a loaded machine.
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::milliseconds(6000 + 4000));
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.system.tc_alive", "tc_alive = 0;")) << kx4.output();

    ASSERT_TRUE(kx4.write_input("shutdown\n"));
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
}

// The values of a line kind of the fake's output, in order: "<prefix>N".
std::vector<long> numbers_after(const std::string& output, const std::string& prefix)
{
    std::vector<long> out;
    for (size_t at = output.find(prefix); at != std::string::npos; at = output.find(prefix, at + 1))
        out.push_back(std::strtol(output.c_str() + at + prefix.size(), nullptr, 10));
    return out;
}

TEST(Kx4_tc, totals_go_on_after_a_silence_and_a_section_fewer_replaces_the_pool_whole)
{
    Temp_folder root;
    store_tc_parameters(root, 3);
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    // At each activation: the effective total time on every change, and now.
    Spawned_process tc({FAKE_TC_SERVER_PROGRAM, hub.isobus(), "--command", "KX-4 Seeder Root,119,8,1", "--command",
                        "KX-4 Seeder Root,119,2,0"});
    ASSERT_TRUE(tc.wait_for_output("fake_tc_server: Task Controller version 4", timeout_ms)) << tc.output();
    Spawned_process kx4({KX4_PROGRAM, "-T", "--bus=" + hub.isobus(), "--abus=" + hub.abus()},
                        {"KX4_ROOT=" + root.path()}, Spawned_process::Input::fed);
    const std::string total = "value from 144: element 0 DDI 119 = ";
    ASSERT_TRUE(tc.wait_for_output(total + "0", timeout_ms)) << tc.output() << kx4.output();

    // The machine works on: the lifetime count grows, and with it the task's total.
    ASSERT_TRUE(kx4.write_input("set data_store.interface.lifetime_effective_time=100\n"));
    ASSERT_TRUE(tc.wait_for_output(total + "100", timeout_ms)) << tc.output() << kx4.output();

    // The Task Controller falls silent for 7 s and comes back.
    tc.send_signal(SIGSTOP);
    const auto stopped = std::chrono::steady_clock::now();
    EXPECT_TRUE(kx4.wait_for_output("pool deactivated\n", timeout_ms)) << kx4.output();
    std::this_thread::sleep_until(stopped + std::chrono::seconds(7)); // the silence itself, not a wait for behaviour
    tc.send_signal(SIGCONT);
    ASSERT_TRUE(wait_for_count(tc, "activation request from 144: activated", 2, timeout_ms)) << tc.output();
    ASSERT_TRUE(wait_for_count(tc, total, 3, timeout_ms)) << tc.output();
    const std::vector<long> totals = numbers_after(tc.output(), total);
    for (size_t i = 1; i < totals.size(); ++i)
        EXPECT_GE(totals[i], totals[i - 1]) << "a total read by the Task Controller never falls\n" << tc.output();
    EXPECT_EQ(totals.back(), 100);

    // A section fewer and a reload: the pool the Task Controller holds goes before the new one.
    ASSERT_TRUE(kx4.write_input("set params.app.booms.booms.0.num_sections=2\n"));
    ASSERT_TRUE(kx4.write_input("set data_store.system.reset_tc_counter=1\n"));
    ASSERT_TRUE(wait_for_count(tc, "pool of 144 holds", 2, timeout_ms)) << tc.output() << kx4.output();
    const std::string& heard = tc.output();
    const size_t deleted = heard.find("delete request from 144: pool deleted");
    ASSERT_NE(deleted, std::string::npos) << heard;
    EXPECT_GT(deleted, heard.find("pool of 144 holds"));
    EXPECT_LT(deleted, heard.rfind("transfer request from 144")) << "the delete goes before the transfer";
    const std::vector<long> sent = numbers_after(heard, "bytes, ");
    const std::vector<long> held = numbers_after(heard, "pool of 144 holds ");
    ASSERT_EQ(sent.size(), 2u) << heard;
    ASSERT_EQ(held.size(), 2u);
    EXPECT_LT(sent[1], sent[0]);
    EXPECT_EQ(held[1], sent[1]) << "the pool holds exactly the new objects";

    ASSERT_TRUE(kx4.write_input("shutdown\n"));
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    EXPECT_EQ(tc.stop(SIGTERM, timeout_ms), 0) << tc.output();
    EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
}

}
