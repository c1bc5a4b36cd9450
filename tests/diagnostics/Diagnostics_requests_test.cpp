// DM1, DM2, DM3 and DM11 as a service tool on the bus sees them.
#include "tests/diagnostics/Diag_bench.h"
#include "platform/io/Binary_message.h"
#include "platform/io/pcf_files.h"
#include "platform/rtos/Debug_base.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr uint32_t pgn_ack = 0xE800;
constexpr uint8_t global = 0xFF;

class Diagnostics_requests : public Diag_bench {
protected:
    // Starts with the entries, lets the fault files get ready and forgets
    // what the bus carried so far.
    void ready(std::vector<cross_ref_t> defs)
    {
        start(std::move(defs));
        run_for(1000);
        messages(Diagnostics::pgn_dm1);
        wire.heard.clear();
    }
    // The DM1 the tool gets first after asking for one (a long one takes
    // 50 ms a packet, behind the broadcasts already on their way).
    std::vector<uint8_t> ask_dm1()
    {
        messages(Diagnostics::pgn_dm1);
        request(Diagnostics::pgn_dm1, global);
        for (int waited = 0; waited < 20000; waited += 100) {
            std::vector<std::vector<uint8_t>> got = messages(Diagnostics::pgn_dm1);
            if (!got.empty())
                return got.front();
            run_for(100);
        }
        ADD_FAILURE() << "no DM1";
        return {};
    }
};

TEST_F(Diagnostics_requests, dm1_lays_out_spn_fmi_and_a_count_capped_at_126)
{
    std::vector<cross_ref_t> defs = {{0x10, 31, 1, 0x7FFFF, "all ones"}};
    ready(defs);
    diag->item(0).oc = 199;
    report(0x10, {1});
    EXPECT_EQ(ask_dm1(), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7E, 0xFF, 0xFF}));
}

TEST_F(Diagnostics_requests, an_empty_dm1_and_dm2_answer_a_request_on_the_global_address)
{
    ready({});
    EXPECT_EQ(ask_dm1(), (std::vector<uint8_t>{0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF}));
    request(Diagnostics::pgn_dm2, ecu_address);
    std::vector<Can_frame> dm2 = frames(Diagnostics::pgn_dm2);
    ASSERT_EQ(dm2.size(), 1u);
    EXPECT_EQ(std::vector<uint8_t>(dm2[0].data, dm2[0].data + dm2[0].dlc),
              (std::vector<uint8_t>{0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF}));
    EXPECT_EQ(dm2[0].id, 0x18FECB00u | ecu_address) << "priority 6, to all";
}

TEST_F(Diagnostics_requests, two_entries_make_ten_bytes_and_250_entries_are_the_most_listed)
{
    ready(definitions(260));
    report(0x10, {1, 2});
    EXPECT_EQ(ask_dm1(), (std::vector<uint8_t>{0xFF, 0xFF, 0xE8, 0x03, 0x00, 0x01, 0xE9, 0x03, 0x01, 0x01}));

    std::vector<uint16_t> codes;
    for (uint16_t err = 1; err <= 100; ++err)
        codes.push_back(err);
    report(0x10, codes);
    codes.clear();
    for (uint16_t err = 101; err <= 200; ++err)
        codes.push_back(err);
    report(0x11, codes);
    codes.clear();
    for (uint16_t err = 201; err <= 260; ++err)
        codes.push_back(err);
    report(0x12, codes);
    // Shorter ones sent before the reports may still be on their way.
    request(Diagnostics::pgn_dm1, global);
    std::vector<uint8_t> dm1;
    for (int waited = 0; waited < 30000 && dm1.size() != 2u + 4 * 250; waited += 100) {
        for (const std::vector<uint8_t>& m : messages(Diagnostics::pgn_dm1))
            dm1 = m;
        run_for(100);
    }
    ASSERT_EQ(dm1.size(), 2u + 4 * 250) << "intact by BAM";
    for (size_t i = 0; i < 250; ++i) {
        ASSERT_EQ(Binary_message::get_uint16_le(&dm1[2 + 4 * i]), 1000 + i) << "in tree order, at " << i;
        ASSERT_EQ(dm1[4 + 4 * i], i % 32) << i;
        ASSERT_EQ(dm1[5 + 4 * i], 1) << i;
    }
}

TEST_F(Diagnostics_requests, a_dm1_broadcast_waits_for_the_one_before_and_every_one_arrives_whole)
{
    // 60 entries: 242 bytes, 35 BAM packets 50 ms apart, 1.75 s a DM1.
    ready(definitions(60));
    std::vector<uint16_t> codes;
    for (uint16_t err = 1; err <= 60; ++err)
        codes.push_back(err);
    Debug_base::set_filters("2e");
    Debug_capture debug;
    report(0x10, codes);
    size_t whole = 0;
    for (int t = 0; t < 20000; t += 100) {
        run_for(100);
        for (const std::vector<uint8_t>& m : messages(Diagnostics::pgn_dm1)) {
            ASSERT_EQ(m.size(), 2u + 4 * 60);
            EXPECT_EQ(Binary_message::get_uint16_le(&m[2 + 4 * 59]), 1059);
            ++whole;
        }
    }
    Debug_base::set_filters("00");
    EXPECT_NE(debug.text().find("DM1 broadcast on stack 0 skipped: the one before is still being sent\n"),
              std::string::npos);
    EXPECT_GE(whole, 10u);
    EXPECT_LE(whole, 12u) << "one at a time, each 1.75 s";
    for (const Can_frame& f : frames(0xEC00))
        EXPECT_NE(f.data[0], 0xFF) << "no transfer aborted";

    // The faults go: behind the broadcast on its way, nothing else was waiting.
    report(0x10, {});
    for (int t = 0; t < 20000; t += 100) {
        run_for(100);
        for (const std::vector<uint8_t>& m : messages(Diagnostics::pgn_dm1))
            if (m.size() > 8)
                ++whole;
    }
    EXPECT_LE(whole, 12u + 1);
    EXPECT_EQ(ask_dm1(), (std::vector<uint8_t>{0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF}));
}

TEST_F(Diagnostics_requests, dm2_lists_previously_active_entries_with_a_count_also_before_their_demotion)
{
    ready(definitions(3));
    diag->item(2).oc = 4; // from an earlier run: inactive with a count
    report(0x10, {1, 2});
    report(0x10, {2}); // entry 0 goes inactive; demoted on the next second
    request(Diagnostics::pgn_dm2, ecu_address);
    run_for(200);
    std::vector<std::vector<uint8_t>> dm2 = messages(Diagnostics::pgn_dm2);
    ASSERT_EQ(dm2.size(), 1u);
    EXPECT_EQ(dm2[0], (std::vector<uint8_t>{0xFF, 0xFF, 0xE8, 0x03, 0x00, 0x01, 0xEA, 0x03, 0x02, 0x04}))
        << "entry 0 from the active tree, then entry 2; the active entry 1 is not listed";
}

struct Clear_case {
    uint32_t pgn;
    uint8_t to;
    bool acknowledged;
    bool cleared;
};

TEST_F(Diagnostics_requests, dm3_and_dm11_are_acknowledged_only_when_addressed_and_a_request_for_another_address_is_ignored)
{
    const Clear_case cases[] = {
        {Diagnostics::pgn_dm11, ecu_address, true, true},
        {Diagnostics::pgn_dm11, global, false, true},
        {Diagnostics::pgn_dm11, 0x55, false, false},
        {Diagnostics::pgn_dm3, ecu_address, true, true},
        {Diagnostics::pgn_dm3, global, false, true},
        {Diagnostics::pgn_dm3, 0x55, false, false},
    };
    for (const Clear_case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pgn << " to " << int(c.to));
        stop();
        std::filesystem::remove_all(pcf_folder()); // a fresh ring each time
        ready(definitions(2));
        waiter_descriptor listener;
        ASSERT_TRUE(diag->register_event_waiter(listener));
        diag->item(1).oc = 5; // inactive with a count
        report(0x10, {1});
        run_for(1000);
        waiter_event e;
        while (listener.poll(e)) {
        }
        messages(pgn_ack);

        request(c.pgn, c.to);
        run_for(100);
        std::vector<std::vector<uint8_t>> acks = messages(pgn_ack);
        if (c.acknowledged) {
            ASSERT_EQ(acks.size(), 1u);
            EXPECT_EQ(acks[0][0], 0) << "positive";
            EXPECT_EQ(acks[0][4], tool_address);
            EXPECT_EQ(Binary_message::get_uint24_le(&acks[0][5]), c.pgn);
        } else {
            EXPECT_TRUE(acks.empty());
        }
        const bool dm11 = c.pgn == Diagnostics::pgn_dm11;
        const bool active_cleared = c.cleared && dm11;
        EXPECT_EQ(diag->item(0).act, active_cleared ? 0u : 1u);
        EXPECT_EQ(diag->item(0).oc, active_cleared ? 0 : 1);
        EXPECT_EQ(listener.poll(e), active_cleared);
        if (active_cleared) {
            EXPECT_EQ(e.code, uint32_t(Diagnostics::became_inactive));
        }
        EXPECT_EQ(diag->item(1).oc, c.cleared && !dm11 ? 0 : 5) << "DM3 clears the previously active counts";
        EXPECT_EQ(has_file(1), c.cleared) << "a cleared count starts the next fault file";
    }
}

}
