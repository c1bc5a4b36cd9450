#include "orrvan_comms/private/legacy/hw/tessaryn_can_client/can_2/Tessaryn_comms_client.h"
#include "platform/can/Known_names.h"
#include "tests/platform/can/Zev_bench.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Packet = CAN_packet_interface::Packet;
using ZEV_name::RAWNAME;

constexpr uint8_t master_address = 230;

uint32_t can_id(uint8_t priority, uint32_t pgn, uint8_t destination, uint8_t source)
{
    return uint32_t(priority) << 26 | (pgn & 0x3FF00) << 8 | uint32_t(destination) << 8 | source;
}

// The master's stack on a bench bus with a client on it, and a wire on which
// the test plays the other nodes frame by frame. The test hands the master's
// events to the client, as the link's task does.
class Comms_client : public testing::Test {
protected:
    Zev_bench bench;
    RAWNAME master_name = Known_names::get_tessaryn_master(5);
    Zev_bench::Node& master = bench.add_claimed_node(master_name, master_address);
    Frame_peer wire{bench};
    std::unique_ptr<Tessaryn_comms_client> client = std::make_unique<Tessaryn_comms_client>();

    const RAWNAME nextgen = Known_names::get_tessaryn_nextgen_slave(5);
    const RAWNAME legacy = Known_names::get_tessaryn_slave(7); // lower than any next-generation slave

    void SetUp() override
    {
        client->init(&master.stack, master_name, &master.waiter, 5);
        pump();
    }

    void pump()
    {
        bench.settle();
        for (waiter_event& e : master.events_of(master.stack.get_name_module()))
            client->handle_name_event(e);
    }
    // A node claims an address (254: it cannot claim any).
    void claim(uint8_t address, const RAWNAME& name)
    {
        announce(address, name);
        pump();
    }
    void announce(uint8_t address, const RAWNAME& name)
    {
        wire.send(can_id(6, 0xEE00, 0xFF, address), std::vector<uint8_t>(name.get_bytes(), name.get_bytes() + 8));
        bench.settle();
    }
    // Where a packet for the NAME goes: its destination, or -1 when it is not sent.
    int destination_of(const RAWNAME& name)
    {
        const size_t before = wire.heard.size();
        Packet packet;
        if (!client->send_packet(&name, packet)) {
            EXPECT_EQ(wire.heard.size(), before) << "a refused packet puts nothing on the bus";
            return -1;
        }
        EXPECT_EQ(wire.heard.size(), before + 1);
        return int(wire.heard.back().id >> 8 & 0xFF);
    }
    std::vector<uint64_t> detected()
    {
        std::vector<uint64_t> names;
        for (const RAWNAME* n = client->get_first_detected_ecu(); n; n = client->get_next_detected_ecu())
            names.push_back(n->get_value());
        return names;
    }
};

TEST_F(Comms_client, keeps_the_address_of_each_watched_name_as_it_claims_moves_and_leaves)
{
    EXPECT_EQ(detected(), (std::vector<uint64_t>{master_name.get_value()})) << "the master is watched too";

    claim(0x21, nextgen);
    EXPECT_TRUE(client->ecu_detected(nextgen));
    EXPECT_EQ(destination_of(nextgen), 0x21);
    EXPECT_EQ(detected(), (std::vector<uint64_t>{nextgen.get_value(), master_name.get_value()}));

    claim(0x22, nextgen); // moves
    EXPECT_EQ(destination_of(nextgen), 0x22);
    EXPECT_EQ(detected(), (std::vector<uint64_t>{nextgen.get_value(), nextgen.get_value(), master_name.get_value()}))
        << "the old address keeps its entry until it is claimed again";

    claim(0x21, legacy);
    EXPECT_EQ(destination_of(legacy), 0x21);
    EXPECT_EQ(destination_of(nextgen), 0x22);
    EXPECT_EQ(detected(), (std::vector<uint64_t>{legacy.get_value(), nextgen.get_value(), master_name.get_value()}));

    claim(254, nextgen); // leaves: nothing on the bus says more
    EXPECT_TRUE(client->ecu_detected(nextgen));
    EXPECT_EQ(client->get_num_detected_ecus(), 3u);
}

TEST_F(Comms_client, sends_nothing_to_a_name_whose_address_was_taken_by_another_node)
{
    claim(0x21, nextgen);
    ASSERT_EQ(destination_of(nextgen), 0x21);
    claim(0x21, legacy); // the lower NAME wins the address
    EXPECT_EQ(destination_of(legacy), 0x21);
    EXPECT_EQ(destination_of(nextgen), -1) << "its messages must not reach the newcomer";
    EXPECT_FALSE(client->ecu_detected(nextgen));
}

TEST_F(Comms_client, ignores_nodes_it_does_not_watch)
{
    claim(0x30, Known_names::get_seeder(1));
    EXPECT_EQ(client->get_num_detected_ecus(), 1u);
    EXPECT_EQ(destination_of(Known_names::get_seeder(1)), -1);
    uint8_t address = 0x40;
    for (const RAWNAME& known : {RAWNAME(Known_names::get_tessaryn_io()), RAWNAME(Known_names::get_kelpro_cannode(0)),
                                 RAWNAME(Known_names::get_vantoor_commlinkz(0))}) {
        claim(address++, known);
        EXPECT_TRUE(client->ecu_detected(known)) << std::hex << known.get_value();
    }
}

TEST_F(Comms_client, sends_all_eight_bytes_from_the_master_to_the_slave_with_the_packets_pgn_and_priority)
{
    claim(0x21, nextgen);
    Packet packet;
    packet.PGN = Tessaryn_comms_client::pgn_process_data;
    packet.add_data(0x0E);
    packet.add_data(0xE0);
    ASSERT_TRUE(client->send_packet(&nextgen, packet));
    Can_frame sent = wire.heard.back();
    EXPECT_EQ(sent.id, can_id(6, 0xCB00, 0x21, master_address));
    EXPECT_TRUE(sent.extended);
    EXPECT_EQ(sent.dlc, 8);
    EXPECT_EQ(std::vector<uint8_t>(sent.data, sent.data + 8),
              (std::vector<uint8_t>{0x0E, 0xE0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));

    packet = Packet();
    packet.priority = 3;
    ASSERT_TRUE(client->send_packet(&nextgen, packet));
    EXPECT_EQ(wire.heard.back().id, can_id(3, 0xEF00, 0x21, master_address));
}

TEST_F(Comms_client, refuses_a_null_name_an_unseen_name_and_a_master_without_an_address)
{
    Packet packet;
    EXPECT_FALSE(client->send_packet(nullptr, packet));
    EXPECT_EQ(destination_of(nextgen), -1) << "never seen";

    claim(0x21, nextgen);
    const size_t before = wire.heard.size();
    Tessaryn_comms_client homeless;
    RAWNAME unclaimed = Known_names::get_tessaryn_master(6);
    homeless.init(&master.stack, unclaimed, &master.waiter, 6);
    homeless.process_address(0x21);
    ASSERT_TRUE(homeless.ecu_detected(nextgen));
    EXPECT_FALSE(homeless.send_packet(&nextgen, packet)) << "no source address to send from";
    EXPECT_EQ(wire.heard.size(), before);
}

TEST_F(Comms_client, reads_a_slave_message_with_its_senders_name_header_and_length)
{
    claim(0x21, nextgen);
    wire.send(can_id(3, 0xCB00, master_address, 0x21), {1, 2, 3});
    wire.send(can_id(6, 0xEF00, master_address, 0x45), {0xFE, 0, 4, 1, 0, 2, 10, 3});
    wire.send(can_id(6, 0xEF00, 0x99, 0x21), {9});             // for another node
    wire.send(can_id(6, 0xCC00, master_address, 0x21), {9});   // a PGN nobody registered
    bench.settle();
    std::vector<waiter_event> events = master.events_of(master.stack.get_receive_module());
    ASSERT_EQ(events.size(), 2u);

    RAWNAME name(0x1234);
    Packet packet;
    ASSERT_TRUE(client->handle_rx_event(name, packet, events[0]));
    EXPECT_EQ(name, nextgen);
    EXPECT_EQ(packet.PGN, 0xCB00u);
    EXPECT_EQ(packet.priority, 3u);
    EXPECT_EQ(packet.length, 3);
    EXPECT_EQ(std::vector<uint8_t>(packet.data, packet.data + 8),
              (std::vector<uint8_t>{1, 2, 3, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));

    name = RAWNAME(0x1234);
    packet = Packet();
    ASSERT_TRUE(client->handle_rx_event(name, packet, events[1]));
    EXPECT_EQ(name, RAWNAME(0x1234)) << "an unknown sender leaves the name as it was";
    EXPECT_EQ(packet.PGN, 0xEF00u);
    EXPECT_EQ(packet.length, 8);
    EXPECT_EQ(packet[6], 10);

    EXPECT_FALSE(client->handle_rx_event(name, packet, events[1])) << "nothing left to read";
}

TEST_F(Comms_client, names_the_slaves_with_the_slave_id_as_identity_number)
{
    EXPECT_EQ(client->get_internal_slave_name(), RAWNAME(Known_names::get_tessaryn_slave(5)));
    EXPECT_EQ(client->get_internal_nextgen_slave_name(), RAWNAME(Known_names::get_tessaryn_nextgen_slave(5)));
    EXPECT_EQ(client->get_master_name(), master_name);
    for (int id : {0, 0x1FFFFF}) {
        Tessaryn_comms_client other;
        other.init(&master.stack, master_name, &master.waiter, id);
        EXPECT_EQ(other.get_internal_slave_name(), RAWNAME(Known_names::get_tessaryn_slave(id))) << id;
        EXPECT_EQ(other.get_internal_nextgen_slave_name().get(ZEV_name::Field::identity_number), unsigned(id));
    }
}

TEST_F(Comms_client, clearing_the_detected_names_makes_the_stack_forget_them)
{
    claim(0x21, nextgen);
    claim(0x22, legacy);
    ASSERT_EQ(client->get_num_detected_ecus(), 3u);
    client->clear_remote_ecu_names();
    EXPECT_EQ(client->get_num_detected_ecus(), 0u);
    EXPECT_EQ(client->get_first_detected_ecu(), nullptr);
    EXPECT_EQ(master.names().gethostbyname(ZEV_name::NAME(nextgen)), ZEV_trans::ADDRESS_NULL);
    EXPECT_EQ(master.names().gethostbyname(ZEV_name::NAME(master_name)), master_address) << "its own stays";

    claim(0x21, nextgen); // claims again
    EXPECT_TRUE(client->ecu_detected(nextgen));
}

TEST_F(Comms_client, once_gone_it_hears_nothing_more_from_the_stack)
{
    client.reset();
    announce(0x21, nextgen);
    wire.send(can_id(6, 0xCB00, master_address, 0x21), {1});
    bench.settle();
    EXPECT_TRUE(master.events().empty());
    EXPECT_TRUE(master.read(0xCB00).empty()) << "no registration is left";
}

}
