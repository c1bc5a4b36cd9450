#include "tests/platform/can/Zev_bench.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cstdio>

using ZEV_name::Claim_state;
using ZEV_name::Host_entry;
using ZEV_name::NAME;
using ZEV_name::RAWNAME;

namespace {

TEST(Address_claim, two_nodes_claim_their_addresses_and_learn_each_other)
{
    Zev_bench bench;
    auto& a = bench.add_node();
    auto& b = bench.add_node();
    NAME na = Known_names::get_seeder(1), nb = Known_names::get_tessaryn_master(2);
    ASSERT_TRUE(a.names().add_local_name(na, 0x80, &a.waiter));
    ASSERT_TRUE(b.names().add_local_name(nb, 0x81, &b.waiter));
    bench.run_for(200);
    EXPECT_EQ(a.names().get_claim_state(na), Claim_state::claiming) << "a claim holds only after 250 ms";
    EXPECT_EQ(a.names().gethostbyname(na), ZEV_trans::ADDRESS_NULL);
    bench.run_for(100);

    EXPECT_EQ(a.names().get_claim_state(na), Claim_state::claimed);
    EXPECT_EQ(a.names().gethostbyname(na), 0x80);
    EXPECT_EQ(a.names().gethostbyname(nb), 0x81);
    EXPECT_EQ(b.names().gethostbyname(na), 0x80);
    RAWNAME at;
    ASSERT_TRUE(b.names().gethostbyaddr(0x80, at));
    EXPECT_EQ(at, na);
    EXPECT_FALSE(b.names().gethostbyaddr(0x82, at));
    auto name_events = a.events_of(a.stack.get_name_module());
    ASSERT_EQ(name_events.size(), 1u) << "the waiter of add_local_name hears once the claim holds";
    EXPECT_EQ(name_events[0].code, 0u);
}

TEST(Address_claim, contention_is_won_by_the_lower_name_and_a_self_configurable_loser_moves)
{
    Zev_bench bench;
    auto& a = bench.add_node();
    auto& b = bench.add_node();
    NAME low = Known_names::get_seeder(1), high = Known_names::get_seeder(2);
    ASSERT_LT(low, high);
    // Both claim at once: their claims cross on the bus.
    ASSERT_TRUE(b.names().add_local_name(high, 0x90, &b.waiter));
    ASSERT_TRUE(a.names().add_local_name(low, 0x90, &a.waiter));
    bench.run_for(600);

    EXPECT_EQ(a.names().gethostbyname(low), 0x90);
    EXPECT_EQ(b.names().gethostbyname(high), 0x91);
    EXPECT_EQ(a.names().gethostbyname(high), 0x91);
    EXPECT_EQ(b.names().gethostbyname(low), 0x90);
}

TEST(Address_claim, a_loser_that_cannot_move_says_it_cannot_claim)
{
    Zev_bench bench;
    Frame_peer watcher(bench);
    auto& a = bench.add_node();
    auto& b = bench.add_node();
    NAME low = Known_names::get_tessaryn_slave(1), high = Known_names::get_tessaryn_slave(2);
    Debug_capture capture;
    ASSERT_TRUE(a.names().add_local_name(low, 0x30, &a.waiter));
    ASSERT_TRUE(b.names().add_local_name(high, 0x30, &b.waiter));
    bench.run_for(600);

    EXPECT_EQ(a.names().get_claim_state(low), Claim_state::claimed);
    EXPECT_EQ(b.names().get_claim_state(high), Claim_state::cannot_claim);
    EXPECT_FALSE(b.stack.wait_for_name(nullptr, high, false));
    EXPECT_EQ(b.names().gethostbyname(high), ZEV_trans::ADDRESS_NULL);
    EXPECT_EQ(a.names().gethostbyname(high), ZEV_trans::ADDRESS_NULL);
    auto claims = watcher.claims();
    EXPECT_NE(std::find(claims.begin(), claims.end(), std::make_pair(uint8_t(254), high.get_value())), claims.end())
        << "cannot claim goes on the bus from the null address";
    EXPECT_NE(capture.text().find("cannot claim an address"), std::string::npos);
    EXPECT_EQ(b.events_of(b.stack.get_name_module()).size(), 1u);
    EXPECT_EQ(b.stack.write_now(ZEV_header(0x30, 0xFF, 0xFE49, 6, 7, 8), test_pattern(8).data()), -1)
        << "a node without an address sends nothing";

    watcher.heard.clear();
    watcher.send(0x18EAFFFE, {0x00, 0xEE, 0x00}); // a request for address claim to all
    bench.settle();
    claims = watcher.claims();
    EXPECT_NE(std::find(claims.begin(), claims.end(), std::make_pair(uint8_t(254), high.get_value())), claims.end())
        << "asked, it says again that it cannot claim";
}

TEST(Address_claim, a_lower_name_arriving_later_takes_the_address_and_the_holder_moves)
{
    Zev_bench bench;
    NAME low = Known_names::get_seeder(1), high = Known_names::get_seeder(2);
    auto& holder = bench.add_claimed_node(high, 0x90);
    const ZEV_name::Listen_node* node = holder.stack.get_listeners().Add(high, &holder.waiter);
    holder.events();
    auto& late = bench.add_node();
    ASSERT_TRUE(late.names().add_local_name(low, 0x90, &late.waiter));
    bench.run_for(600);

    EXPECT_EQ(late.names().gethostbyname(low), 0x90);
    EXPECT_EQ(holder.names().gethostbyname(high), 0x91);
    auto events = holder.events_of(holder.stack.get_name_module());
    int listener_events = 0;
    for (auto& e : events)
        listener_events += e.code == node->get_id();
    EXPECT_EQ(listener_events, 2) << "one when the address is lost, one when the new one holds";
}

TEST(Address_claim, a_node_that_joins_later_learns_the_nodes_already_there)
{
    Zev_bench bench;
    NAME na = Known_names::get_seeder(1), nb = Known_names::get_tessaryn_nextgen_slave(5);
    bench.add_claimed_node(na, 0x80);
    bench.add_claimed_node(nb, 0x21);
    auto& late = bench.add_node(); // asks for the claims on opening
    Host_entry table[255];
    int n = late.names().gethostsbyname(NAME(), table, 255);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(late.names().gethostbyname(nb), 0x21);
    EXPECT_EQ(late.names().gethostbyname(na), 0x80);
    EXPECT_EQ(late.names().gethostbyname(Known_names::get_tessaryn_nextgen_slave(-1)), 0x21);
}

TEST(Address_claim, a_request_for_address_claim_is_answered_by_the_addressee_or_by_everyone)
{
    Zev_bench bench;
    NAME na = Known_names::get_seeder(1), nb = Known_names::get_tessaryn_master(2);
    bench.add_claimed_node(na, 0x80);
    bench.add_claimed_node(nb, 0xE6);
    Frame_peer peer(bench);

    peer.send(0x18EA80FE, {0x00, 0xEE, 0x00}); // to 0x80 only
    bench.settle();
    auto claims = peer.claims();
    ASSERT_EQ(claims.size(), 1u);
    EXPECT_EQ(claims[0], std::make_pair(uint8_t(0x80), na.get_value()));
    EXPECT_EQ(peer.heard[0].id, 0x18EEFF80u) << "priority 6, to all, from the claimed address";

    peer.heard.clear();
    peer.send(0x18EAFFFE, {0x00, 0xEE, 0x00}); // to all
    bench.settle();
    EXPECT_EQ(peer.claims().size(), 2u);
}

TEST(Address_claim, a_listener_hears_when_a_matching_name_claims_and_not_for_others)
{
    Zev_bench bench;
    auto& watcher = bench.add_claimed_node(Known_names::get_tessaryn_master(0), 0xE6);
    NAME pattern = Known_names::get_tessaryn_nextgen_slave(-1);
    const ZEV_name::Listen_node* node = watcher.stack.get_listeners().Add(pattern, &watcher.waiter);
    EXPECT_TRUE(watcher.events().empty()) << "no matching node yet";

    bench.add_claimed_node(Known_names::get_kelpro_cannode(0), 0x40);
    EXPECT_TRUE(watcher.events().empty());
    bench.add_claimed_node(Known_names::get_tessaryn_nextgen_slave(5), 0x21);
    auto events = watcher.events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].module, watcher.stack.get_name_module());
    NAME fired;
    ASSERT_TRUE(watcher.names().get_event_name(events[0], fired));
    EXPECT_EQ(fired.get_match_mask(), pattern.get_match_mask());
    Host_entry table[255];
    ASSERT_EQ(watcher.names().gethostsbyname(fired, table, 255), 1);
    EXPECT_EQ(table[0].address, 0x21);
    EXPECT_EQ(table[0].name, Known_names::get_tessaryn_nextgen_slave(5));

    // A listener added once the node is there hears of it at once.
    watcher.stack.get_listeners().Add(Known_names::get_kelpro_cannode(0), &watcher.waiter);
    EXPECT_EQ(watcher.events().size(), 1u);

    EXPECT_TRUE(watcher.stack.get_listeners().Remove(node));
    EXPECT_FALSE(watcher.stack.get_listeners().Remove(node));
    EXPECT_FALSE(watcher.names().get_event_name(events[0], fired));
    bench.add_claimed_node(Known_names::get_tessaryn_nextgen_slave(6), 0x22);
    EXPECT_TRUE(watcher.events().empty());
}

TEST(Address_claim, a_remote_name_that_is_forgotten_is_learned_again_when_it_claims)
{
    Zev_bench bench;
    NAME slave = Known_names::get_tessaryn_slave(3);
    auto& a = bench.add_claimed_node(Known_names::get_tessaryn_master(0), 0xE6);
    auto& b = bench.add_claimed_node(slave, 0x21);
    EXPECT_TRUE(a.names().del_remote_name(slave));
    EXPECT_FALSE(a.names().del_remote_name(slave));
    EXPECT_EQ(a.names().gethostbyname(slave), ZEV_trans::ADDRESS_NULL);
    b.stack.get_name_manager().on_request_for_claim(0xFF); // as if asked: b claims again
    bench.settle();
    EXPECT_EQ(a.names().gethostbyname(slave), 0x21);
}

TEST(Address_claim, a_claim_from_the_global_address_is_no_node)
{
    Zev_bench bench;
    auto& a = bench.add_claimed_node(Known_names::get_tessaryn_master(0), 0xE6);
    a.stack.get_listeners().Add(Known_names::get_tessaryn_slave(-1), &a.waiter);
    Frame_peer peer(bench);
    NAME slave = Known_names::get_tessaryn_slave(3);
    peer.send(0x18EEFFFF, std::vector<uint8_t>(slave.get_bytes(), slave.get_bytes() + 8));
    bench.settle();
    EXPECT_EQ(a.names().gethostbyname(slave), ZEV_trans::ADDRESS_NULL);
    RAWNAME at;
    EXPECT_FALSE(a.names().gethostbyaddr(0xFF, at));
    EXPECT_TRUE(a.events().empty());
}

TEST(Address_claim, the_null_and_global_addresses_are_never_claimed)
{
    Zev_bench bench;
    auto& a = bench.add_node();
    Debug_capture capture;
    EXPECT_FALSE(a.names().add_local_name(Known_names::get_seeder(1), 254, &a.waiter));
    EXPECT_FALSE(a.names().add_local_name(Known_names::get_seeder(1), 255, &a.waiter));
    EXPECT_NE(capture.text().find("cannot be claimed"), std::string::npos);
    EXPECT_EQ(a.names().get_claim_state(Known_names::get_seeder(1)), Claim_state::none);
    EXPECT_TRUE(a.names().add_local_name(Known_names::get_seeder(1), 144, &a.waiter));
    EXPECT_FALSE(a.names().add_local_name(Known_names::get_seeder(1), 145, &a.waiter)) << "already this node's";
}

TEST(Address_claim, wait_for_name_tells_the_waiter_once_the_name_holds_an_address)
{
    Zev_bench bench;
    NAME na = Known_names::get_seeder(1);
    auto& a = bench.add_node();
    waiter_descriptor other;
    ASSERT_TRUE(a.names().add_local_name(na, 0x80, nullptr));
    EXPECT_FALSE(a.stack.wait_for_name(&other, na, false));
    EXPECT_FALSE(a.stack.wait_for_name(&other, na, false)) << "asked twice, told once";
    bench.run_for(300);
    waiter_event e;
    ASSERT_TRUE(other.poll(e));
    EXPECT_EQ(e.module, a.stack.get_name_module());
    EXPECT_EQ(e.code, 0u);
    EXPECT_FALSE(other.poll(e));
    EXPECT_TRUE(a.stack.wait_for_name(&other, na, true)) << "held already: no wait";
    EXPECT_TRUE(other.poll(e));
}

// As the program prints a NAME.
std::string hex(const RAWNAME& name)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(name.get_value()));
    return text;
}

TEST(Address_claim, an_address_lost_to_a_lower_name_is_printed_with_where_the_node_goes)
{
    struct Case {
        NAME low, high; // high holds the address first
        uint8_t address;
        std::string then;
    };
    const std::vector<Case> cases = {
        {Known_names::get_seeder(1), Known_names::get_seeder(2), 144, "now 145"},
        {Known_names::get_tessaryn_slave(1), Known_names::get_tessaryn_slave(2), 48,
         "no other address can be claimed"},
    };
    for (const Case& c : cases) {
        ASSERT_LT(c.low, c.high);
        Zev_bench bench;
        bench.add_claimed_node(c.high, c.address);
        auto& late = bench.add_node();
        Debug_capture capture;
        ASSERT_TRUE(late.names().add_local_name(c.low, c.address, &late.waiter));
        bench.run_for(600);
        const std::string line =
            "Address " + std::to_string(c.address) + " lost to NAME " + hex(c.low) + "; " + c.then + "\n";
        EXPECT_NE(capture.text().find(line), std::string::npos) << capture.text();
    }
}

TEST(Address_claim, when_its_bus_comes_back_every_name_of_the_node_claims_again_and_asks_for_the_others)
{
    Zev_bench bench;
    auto* bus = new Refusing_bus(bench.bus_name());
    auto& a = bench.add_node(bus);
    NAME seeder = Known_names::get_seeder(1), master = Known_names::get_tessaryn_master(1);
    NAME slave = Known_names::get_tessaryn_slave(3);
    ASSERT_TRUE(a.names().add_local_name(seeder, 0x80, &a.waiter));
    ASSERT_TRUE(a.names().add_local_name(master, 0x81, &a.waiter));
    bench.add_claimed_node(slave, 0x21);
    a.events();
    Frame_peer peer(bench);
    const ZEV_header from_seeder(0x80, 0xFF, 0xFE49, 6, 7, 8);

    bus->refusing = true; // the server has gone
    EXPECT_EQ(a.stack.write_now(from_seeder, test_pattern(8).data()), -1);
    bench.run_for(1000);
    bus->come_back();
    bench.settle();

    auto claims = peer.claims();
    for (auto claim : {std::make_pair(uint8_t(0x80), seeder.get_value()),
                       std::make_pair(uint8_t(0x81), master.get_value()),
                       std::make_pair(uint8_t(0x21), slave.get_value())}) // its answer to the request
        EXPECT_NE(std::find(claims.begin(), claims.end(), claim), claims.end()) << int(claim.first);
    ASSERT_FALSE(peer.heard.empty());
    EXPECT_NE(std::find_if(peer.heard.begin(), peer.heard.end(),
                           [](const Can_frame& f) { return f.id == 0x18EAFFFE && f.data[1] == 0xEE; }),
              peer.heard.end())
        << "a request for address claim from the null address";
    EXPECT_EQ(a.names().get_claim_state(seeder), Claim_state::claiming);
    EXPECT_EQ(a.stack.write_now(from_seeder, test_pattern(8).data()), -1) << "nothing goes until the claim holds";

    bench.run_for(300);
    EXPECT_EQ(a.names().get_claim_state(seeder), Claim_state::claimed);
    EXPECT_EQ(a.names().get_claim_state(master), Claim_state::claimed);
    EXPECT_EQ(a.stack.write_now(from_seeder, test_pattern(8).data()), 0);
    EXPECT_EQ(a.events_of(a.stack.get_name_module()).size(), 2u) << "the waiter hears each claim hold again";
}

}
