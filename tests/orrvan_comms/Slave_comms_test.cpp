#include "orrvan_comms/private/include/Slave_comms.h"
#include "platform/can/Known_names.h"
#include "tests/orrvan_comms/Debug_channel_on.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Short_claims.h"
#include "tests/support/Scripted_slave_node.h"
#include "tests/support/Wait_until.h"
#include "tests/platform/can/Zev_bench.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Next_gen::Ecu_comms_message;
using Bytes = std::vector<uint8_t>;

constexpr uint8_t master_address = 230;
constexpr uint8_t legacy_address = 0x21, nextgen_address = 0x22;

// The link of slave id 5 on an in-process bus with two scripted slaves of
// that id, a legacy one and a next-generation one, on the real clock.
class Slave_link : public testing::Test {
protected:
    Short_claims short_claims;
    const std::string spec =
        "mem,name=Slave_link." + std::string(testing::UnitTest::GetInstance()->current_test_info()->name());
    const ZEV_name::NAME master = Known_names::get_tessaryn_master(5);
    Scripted_slave_node legacy{Known_names::get_tessaryn_slave(5), legacy_address};
    Scripted_slave_node nextgen{Known_names::get_tessaryn_nextgen_slave(5), nextgen_address};
    Next_gen::Slave_comms link;

    void SetUp() override
    {
        ASSERT_TRUE(legacy.start(spec));
        ASSERT_TRUE(nextgen.start(spec));
        link.initialise(5, spec);
    }

    // The slave sends one frame to the master, once it knows where the master is.
    void send_from(Scripted_slave_node& slave, uint32_t pgn, const Bytes& data)
    {
        ASSERT_TRUE(wait_until([&] { return slave.send_to(master, pgn, data); }));
    }
    void wait_for_messages(int count)
    {
        ASSERT_TRUE(wait_until([&] { return link.get_available_message_count() >= count; }))
            << link.get_available_message_count() << " of " << count;
    }
    // Once the link's stack knows both slaves, their claims come before
    // anything they send to it.
    void wait_until_the_link_knows_the_slaves()
    {
        const std::vector<uint64_t> expected = {nextgen.get_name().get_value(), legacy.get_name().get_value(),
                                                master.get_value()};
        ASSERT_TRUE(wait_until([&] { return link.get_iso_names() == expected; }));
    }
    // Opens the link and has each slave's first message read, so that the
    // link knows both slaves.
    void open_and_meet_the_slaves()
    {
        wait_until_the_link_knows_the_slaves();
        ASSERT_TRUE(link.open());
        send_from(legacy, 0xCB00, {1});
        send_from(nextgen, 0xCB00, {2});
        wait_for_messages(2);
        link.read_message();
        link.read_message();
    }
    static Ecu_comms_message message(uint64_t name, uint32_t pgn, const Bytes& data)
    {
        Ecu_comms_message m;
        m.NAME = name;
        m.PGN = pgn;
        m.data = data;
        return m;
    }
};

TEST_F(Slave_link, names_its_slave_by_ecu_type_and_runs_its_task_as_slavecomms)
{
    EXPECT_EQ(link.get_slave_id(), 5);
    for (uint8_t type : {0, 1, 3})
        EXPECT_EQ(link.get_slave_iso_name(type), legacy.get_name().get_value()) << int(type);
    for (uint8_t type : {4, 8, 9})
        EXPECT_EQ(link.get_slave_iso_name(type), nextgen.get_name().get_value()) << int(type);
    EXPECT_STREQ(link.get_name(), "SlaveComms");
}

TEST_F(Slave_link, lists_every_node_the_stack_knows_the_master_last)
{
    wait_until_the_link_knows_the_slaves();
}

TEST_F(Slave_link, queues_received_messages_in_order_with_their_senders_name_and_length)
{
    wait_until_the_link_knows_the_slaves();
    ASSERT_TRUE(link.open());
    send_from(legacy, 0xCB00, {1, 2, 3});
    send_from(nextgen, 0xEF00, {0xFE, 0, 4, 1, 0, 2, 10, 3});
    send_from(legacy, 0xCB00, {});
    wait_for_messages(3);

    EXPECT_EQ(link.get_available_message_count(), 3);
    Ecu_comms_message m = link.read_message();
    EXPECT_EQ(m.NAME, legacy.get_name().get_value());
    EXPECT_EQ(m.PGN, 0xCB00u);
    EXPECT_EQ(m.data, (Bytes{1, 2, 3}));
    EXPECT_EQ(link.get_available_message_count(), 2);
    m = link.read_message();
    EXPECT_EQ(m.NAME, nextgen.get_name().get_value());
    EXPECT_EQ(m.PGN, 0xEF00u);
    EXPECT_EQ(m.data, (Bytes{0xFE, 0, 4, 1, 0, 2, 10, 3}));
    m = link.read_message();
    EXPECT_TRUE(m.data.empty());
    EXPECT_EQ(link.get_available_message_count(), 0);
}

TEST_F(Slave_link, names_a_sender_it_does_not_watch_0)
{
    Scripted_slave_node stranger{Known_names::get_seeder(1), 0x40};
    ASSERT_TRUE(stranger.start(spec));
    ASSERT_TRUE(link.open());
    send_from(stranger, 0xCB00, {7});
    wait_for_messages(1);
    Ecu_comms_message m = link.read_message();
    EXPECT_EQ(m.NAME, 0u);
    EXPECT_EQ(m.data, (Bytes{7}));
}

TEST_F(Slave_link, writes_to_its_own_legacy_slave_by_default_and_to_any_slave_by_name)
{
    open_and_meet_the_slaves();
    ASSERT_TRUE(link.write_message(message(0, 0xCB00, {0x0E, 0xE0}), false));
    ASSERT_TRUE(legacy.wait_for_frames(1));
    Scripted_slave_node::Frame f = legacy.frames().at(0);
    EXPECT_EQ(f.source, master_address);
    EXPECT_EQ(f.pgn, 0xCB00u);
    EXPECT_EQ(f.priority, 6);
    EXPECT_EQ(f.data, (Bytes{0x0E, 0xE0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})) << "always eight bytes";

    const Bytes ten = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_TRUE(link.write_message(message(nextgen.get_name().get_value(), 0xEF00, ten), false));
    ASSERT_TRUE(nextgen.wait_for_frames(1));
    f = nextgen.frames().at(0);
    EXPECT_EQ(f.pgn, 0xEF00u);
    EXPECT_EQ(f.data, Bytes(ten.begin(), ten.begin() + 8)) << "what does not fit in a frame is dropped";
    EXPECT_EQ(legacy.frames().size(), 1u);
}

TEST_F(Slave_link, refuses_to_write_while_closed_or_to_a_name_it_never_saw)
{
    EXPECT_FALSE(link.write_message(message(0, 0xCB00, {0xAA}), false)) << "not open yet";
    open_and_meet_the_slaves();
    EXPECT_FALSE(link.write_message(message(Known_names::get_tessaryn_slave(6).get_value(), 0xCB00, {0xBB}), false));
    ASSERT_TRUE(link.write_message(message(0, 0xCB00, {0xCC}), false));
    ASSERT_TRUE(legacy.wait_for_frames(1));
    EXPECT_EQ(legacy.frames().at(0).data.at(0), 0xCC) << "the refused messages never went out";

    EXPECT_TRUE(link.close());
    EXPECT_FALSE(link.write_message(message(0, 0xCB00, {0xDD}), false));
}

TEST_F(Slave_link, traces_a_written_message_on_standard_output)
{
    open_and_meet_the_slaves();
    testing::internal::CaptureStdout();
    link.write_message(message(0, 0xCB00, {0x0E, 0xE0, 0, 0}), true);
    link.write_message(message(nextgen.get_name().get_value(), 0xEF00, {0xAB}), true);
    std::fflush(stdout);
    char name[32];
    std::snprintf(name, sizeof name, "%llx", static_cast<unsigned long long>(nextgen.get_name().get_value()));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "TSlaveComms: Tx(Ecu:0 PGN:cb00 0e e0 00 00 )\n"
                                                      "TSlaveComms: Tx(Ecu:" + std::string(name) + " PGN:ef00 ab )\n");
}

TEST_F(Slave_link, can_be_initialised_again_closed_or_open_and_then_works_as_new)
{
    open_and_meet_the_slaves();
    link.initialise(5, spec); // while open
    EXPECT_FALSE(link.write_message(message(0, 0xCB00, {1}), false)) << "closed until opened again";
    open_and_meet_the_slaves();
    ASSERT_TRUE(link.write_message(message(0, 0xCB00, {0x11}), false));
    ASSERT_TRUE(legacy.wait_for_frames(1));

    link.close();
    link.initialise(5, spec); // after close
    open_and_meet_the_slaves();
    ASSERT_TRUE(link.write_message(message(0, 0xCB00, {0x22}), false));
    ASSERT_TRUE(legacy.wait_for_frames(2));
    EXPECT_EQ(legacy.frames().at(1).data.at(0), 0x22);
}

// The manager's finalise closes the link; opened again, the link has its
// connection back, as often as that happens.
TEST_F(Slave_link, closed_and_opened_again_talks_to_its_slaves_again)
{
    ASSERT_NO_FATAL_FAILURE(open_and_meet_the_slaves());
    for (int i = 0; i < 60; ++i) { // more than the module ids of 50 stacks
        ASSERT_TRUE(link.close());
        EXPECT_FALSE(link.write_message(message(0, 0xCB00, {1}), false));
        ASSERT_TRUE(link.open()) << i;
    }
    ASSERT_NO_FATAL_FAILURE(wait_until_the_link_knows_the_slaves());
    ASSERT_NO_FATAL_FAILURE(send_from(legacy, 0xCB00, {0x33}));
    ASSERT_NO_FATAL_FAILURE(wait_for_messages(1));
    EXPECT_EQ(link.read_message().data, Bytes{0x33});
    ASSERT_TRUE(wait_until([&] { return link.write_message(message(0, 0xCB00, {0x44}), false); }));
    ASSERT_TRUE(legacy.wait_for_frames(1));
    EXPECT_EQ(legacy.frames().back().data.at(0), 0x44);
}

// Messages wait for the ECUs in a bounded queue: what comes while it is full
// is dropped, counted and said.
TEST_F(Slave_link, a_full_incoming_queue_drops_and_counts_what_comes)
{
    ASSERT_NO_FATAL_FAILURE(open_and_meet_the_slaves());
    Debug_channel_on channel;
    Debug_capture capture;
    // The stack below holds at most 1000 unread messages of its own: the link
    // takes the first thousand before more come, so that its queue is the one
    // that overflows.
    for (int i = 0; i < 1000; ++i)
        ASSERT_NO_FATAL_FAILURE(send_from(legacy, 0xCB00, {uint8_t(i)}));
    ASSERT_TRUE(wait_until([&] { return link.get_available_message_count() == 1000; }));
    for (int i = 1000; i < 1003; ++i)
        ASSERT_NO_FATAL_FAILURE(send_from(legacy, 0xCB00, {uint8_t(i)}));
    ASSERT_TRUE(wait_until([&] { return capture.text().find("3 messages dropped") != std::string::npos; }))
        << capture.text();
    EXPECT_EQ(link.get_available_message_count(), 1000);
    EXPECT_NE(capture.text().find("TSlaveComms: incoming queue full; 1 messages dropped\n"), std::string::npos);
    EXPECT_EQ(link.read_message().data, Bytes{0}) << "the oldest stay";
}

TEST(Slave_link_alone, reading_an_empty_queue_is_a_caller_error)
{
    EXPECT_DEATH(
        {
            Next_gen::Slave_comms link;
            link.read_message();
        },
        "m_incoming.size\\(\\) > 0");
}

TEST(Slave_link_alone, ends_the_process_when_its_bus_cannot_be_opened)
{
    EXPECT_EXIT(
        {
            Next_gen::Slave_comms link;
            link.initialise(5, "tcp,addr=127.0.0.1");
        },
        testing::ExitedWithCode(255), "");
}

TEST(Slave_link_alone, does_nothing_before_it_is_initialised)
{
    Next_gen::Slave_comms link;
    EXPECT_FALSE(link.open());
    EXPECT_FALSE(link.write_message(Ecu_comms_message(), false));
    EXPECT_EQ(link.get_slave_iso_name(4), 0u);
    EXPECT_TRUE(link.get_iso_names().empty());
    EXPECT_TRUE(link.close());
}

}
