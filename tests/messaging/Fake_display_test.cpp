// The fake display against the server and its CAN transport, both on one
// in-process bus run on the test's thread.
#include "messaging/cds/CDS_Remote_Server.h"
#include "messaging/cds/Can_gril_Can_gril.h"
#include "platform/can/Known_names.h"
#include "tests/messaging/Small_tree.h"
#include "tests/messaging/Temp_root.h"
#include "tests/platform/can/Zev_bench.h"
#include "tests/support/Fake_display.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr uint8_t kx4_address = 0x90;

// The gateway run on the test's thread, as the bench runs its stacks.
class Bench_gril : public Can_gril::Can_gril {
public:
    void begin(module_man* manager, CDS::Remote::Server* server)
    {
        attach(server);
        Diner::init(manager, nullptr, "GCAN", 100, 3072, true, false);
        diner_start();
    }
    void end() { diner_stop(); }
    using Diner::run_pending;
};

// A display on its own node of the bench, its lines kept.
struct Display_node {
    Display_node(Zev_bench& bench, const Fake_display::Settings& settings)
        : node(bench.add_node()),
          display(node.stack, node.waiter, [this](const std::string& line) { lines.push_back(line); }, settings)
    {
    }
    bool said(const std::string& line) const { return std::find(lines.begin(), lines.end(), line) != lines.end(); }
    // The lines said since the last call.
    std::vector<std::string> news()
    {
        std::vector<std::string> out(lines.begin() + long(taken), lines.end());
        taken = lines.size();
        return out;
    }

    Zev_bench::Node& node;
    std::vector<std::string> lines;
    size_t taken = 0;
    Fake_display display;
};

class Fake_display_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.add_nv(tree);
        server.build_ids();
        ASSERT_TRUE(gril.add_stack(&kx4.stack));
        gril.begin(&manager, &server);
    }
    void TearDown() override { gril.end(); }

    Display_node& add_display(uint8_t address, int identity)
    {
        displays.push_back(std::make_unique<Display_node>(bench, Fake_display::Settings{address, identity}));
        EXPECT_TRUE(displays.back()->display.start());
        run(400);
        return *displays.back();
    }
    // Moves the clock on, handing every event to the gateway and the displays.
    void run(int ms)
    {
        for (int t = 0; t < ms; t += 5) {
            bench.run_for(5);
            for (int round = 0; round < 4; ++round) {
                bench.settle();
                gril.run_pending();
                for (auto& d : displays)
                    for (waiter_event& event : d->node.events())
                        d->display.handle_event(event);
            }
        }
    }
    std::vector<std::string> after(Display_node& d, const std::string& command)
    {
        d.news();
        d.display.command(command);
        run(40);
        return d.news();
    }

    Temp_root root;
    Zev_bench bench;
    Zev_bench::Node& kx4 = bench.add_claimed_node(Known_names::get_seeder(1), kx4_address);
    module_man manager;
    Small_tree tree{&manager};
    CDS::Remote::Server server;
    Bench_gril gril;
    std::vector<std::unique_ptr<Display_node>> displays;
};

using Lines = std::vector<std::string>;

TEST_F(Fake_display_test, fetches_the_tree_and_gets_sets_and_watches_items_by_name)
{
    Display_node& d = add_display(0x26, 1);
    EXPECT_EQ(d.lines, (Lines{"fake_display: address 38, kx4 at 144", "fake_display: tree fetched in 2 slices"}));
    ASSERT_TRUE(d.display.has_tree());

    EXPECT_EQ(after(d, "get nv.t.a"), Lines{"nv.t.a = 7"});
    EXPECT_EQ(after(d, "set nv.t.a=42"), Lines{"nv.t.a = 42"});
    EXPECT_EQ(tree.a.get(), 42);
    EXPECT_EQ(after(d, "get nv.t.rec"), Lines{"nv.t.rec = {4660,-5}"});
    EXPECT_EQ(after(d, "set nv.t.rec=1,-1"), Lines{"nv.t.rec = {1,-1}"});

    EXPECT_EQ(after(d, "watch nv.t.rec.c"), Lines{"nv.t.rec.c = -1"});
    tree.rec.c.set(9);
    run(40);
    tree.rec.c.set(10);
    run(40);
    EXPECT_EQ(d.news(), (Lines{"nv.t.rec.c = 9", "nv.t.rec.c = 10"}));
    EXPECT_EQ(after(d, "unwatch nv.t.rec.c"), Lines{"fake_display: unwatched nv.t.rec.c"});
    tree.rec.c.set(11);
    run(40);
    EXPECT_TRUE(d.news().empty());
}

TEST_F(Fake_display_test, says_what_it_cannot_do)
{
    Display_node& d = add_display(0x26, 1);
    EXPECT_EQ(after(d, "get nv.t.nothing"), Lines{"fake_display: no item nv.t.nothing"});
    EXPECT_EQ(after(d, "set nv.t.a=300"), Lines{"fake_display: nv.t.a refused 300"});
    EXPECT_EQ(after(d, "set nv.t.a"), Lines{"fake_display: set NAME=VALUE"});
    EXPECT_EQ(after(d, "jump nv.t.a"), Lines{"fake_display: unknown command \"jump\""});
    EXPECT_EQ(tree.a.get(), 7);
}

TEST_F(Fake_display_test, a_second_display_takes_the_tree_from_the_cache_the_first_one_wrote)
{
    add_display(0x26, 1);
    Display_node& second = add_display(0x27, 2);
    EXPECT_EQ(second.lines, (Lines{"fake_display: address 39, kx4 at 144", "fake_display: tree from the cache"}));
    EXPECT_EQ(after(second, "get nv.t.rec.b"), Lines{"nv.t.rec.b = 4660"});
}

}
