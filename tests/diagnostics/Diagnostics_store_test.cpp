// The fault store: reports, transitions, counts, the DM1 broadcast rhythm,
// the grift view and the task itself.
#include "tests/diagnostics/Diag_bench.h"
#include "tests/support/Debug_capture.h"
#include "platform/rtos/Debug_base.h"

#include <gtest/gtest.h>

namespace {

using Item = Diagnostics::Item;

const std::vector<uint8_t> no_faults = {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF};

std::vector<waiter_event> events_of(waiter_descriptor& waiter)
{
    std::vector<waiter_event> out;
    for (waiter_event e; waiter.poll(e);)
        out.push_back(e);
    return out;
}

class Diagnostics_store : public Diag_bench {};

TEST_F(Diagnostics_store, the_first_tick_after_the_files_are_ready_sends_one_empty_dm1_per_broadcasting_slot_and_later_ticks_none)
{
    Zev_bench::Node& second = bench.add_claimed_node(Known_names::get_seeder(2), 0x91);
    Zev_bench::Node& third = bench.add_claimed_node(Known_names::get_seeder(3), 0x92);
    start({});
    ASSERT_TRUE(diag->add_stack(&second.stack, Known_names::get_seeder(2), false));
    ASSERT_TRUE(diag->add_stack(&third.stack, Known_names::get_seeder(3), true));
    EXPECT_FALSE(diag->add_stack(&second.stack, Known_names::get_seeder(2), true)) << "three slots only";

    run_for(995);
    EXPECT_TRUE(frames(Diagnostics::pgn_dm1).empty()) << "nothing before the files are ready";
    run_for(10);
    for (uint8_t from : {ecu_address, uint8_t(0x92)}) {
        std::vector<Can_frame> dm1 = frames(Diagnostics::pgn_dm1, from);
        ASSERT_EQ(dm1.size(), 1u) << int(from);
        EXPECT_EQ(std::vector<uint8_t>(dm1[0].data, dm1[0].data + dm1[0].dlc), no_faults);
        EXPECT_EQ(dm1[0].id >> 26, 6u) << "priority 6";
        EXPECT_EQ((dm1[0].id >> 8) & 0xFFFF, 0xFECAu) << "to all";
    }
    EXPECT_TRUE(frames(Diagnostics::pgn_dm1, 0x91).empty()) << "a slot without the broadcast stays silent";

    run_for(5000);
    EXPECT_EQ(frames(Diagnostics::pgn_dm1).size(), 1u) << "an empty store is not broadcast again";
    EXPECT_EQ(frames(Diagnostics::pgn_dm1, 0x92).size(), 1u);
}

TEST_F(Diagnostics_store, with_no_change_to_tell_only_the_report_timer_wakes_the_task_and_a_change_goes_on_the_100_ms_rhythm)
{
    start(definitions(3));
    run_for(1000); // the files are ready and the empty DM1 is sent
    wire.heard.clear();
    int ran = 0;
    for (int t = 0; t < 3000; t += 5) {
        bench.run_for(5);
        bench.settle();
        ran += diag->run_pending();
    }
    EXPECT_EQ(ran, 3) << "the report timer once a second, and no DM1 timer";

    bench.run_for(30); // 30 ms past an instant of the rhythm
    report(0x10, {2});
    run_for(65);
    EXPECT_TRUE(frames(Diagnostics::pgn_dm1).empty()) << "the change waits for the rhythm's next instant";
    run_for(5);
    EXPECT_EQ(frames(Diagnostics::pgn_dm1).size(), 1u);
}

TEST_F(Diagnostics_store, a_report_activates_its_entries_counts_them_and_tells_the_waiters)
{
    start(definitions(3));
    waiter_descriptor listener;
    ASSERT_TRUE(diag->register_event_waiter(listener));
    run_for(1000);
    wire.heard.clear();

    report(0x10, {2, 77}); // 77: no such entry
    std::vector<waiter_event> events = events_of(listener);
    ASSERT_EQ(events.size(), 1u);
    const Diagnostics::Diag_event event = Diagnostics::Diag_event::from(events[0]);
    EXPECT_EQ(event.waiter_id, diag->get_waiter_id());
    EXPECT_EQ(event.type, Diagnostics::became_active);
    EXPECT_EQ(event.item, &diag->item(1));
    EXPECT_EQ(Diagnostics::get_cross_ref(event)->err, 2);
    Item& entry = diag->item(1);
    EXPECT_EQ(entry.act, 1u);
    EXPECT_EQ(entry.oc, 1);
    EXPECT_EQ(entry.drt, 1u);
    EXPECT_EQ(diag->item(0).act, 0u);

    run_for(100);
    std::vector<Can_frame> dm1 = frames(Diagnostics::pgn_dm1);
    ASSERT_EQ(dm1.size(), 1u) << "the change is broadcast on the next 100 ms tick";
    EXPECT_EQ(std::vector<uint8_t>(dm1[0].data, dm1[0].data + 8),
              (std::vector<uint8_t>{0xFF, 0xFF, 0xE9, 0x03, 0x01, 0x01, 0xFF, 0xFF}))
        << "SPN 1001, FMI 1, count 1";

    report(0x10, {2});
    EXPECT_TRUE(events_of(listener).empty()) << "still active: no transition";
    EXPECT_EQ(entry.oc, 1);
    const char* description = nullptr;
    uint16_t oc = 0;
    ASSERT_TRUE(diag->get_error_info(2, description, oc));
    EXPECT_STREQ(description, "test entry");
    EXPECT_EQ(oc, 1);
    EXPECT_FALSE(diag->get_error_info(77, description, oc));
}

TEST_F(Diagnostics_store, an_empty_report_deactivates_only_the_entries_of_its_source_and_they_come_back_counted_again)
{
    // Entries 0 and 1 of source 0x10, entry 100 of source 0x11.
    start(definitions(101));
    waiter_descriptor listener;
    ASSERT_TRUE(diag->register_event_waiter(listener));
    run_for(1000);
    report(0x10, {1, 2});
    report(0x11, {101});
    events_of(listener);

    report(0x10, {});
    std::vector<waiter_event> events = events_of(listener);
    ASSERT_EQ(events.size(), 2u);
    for (const waiter_event& e : events)
        EXPECT_EQ(e.code, uint32_t(Diagnostics::became_inactive));
    EXPECT_EQ(diag->item(0).act, 0u);
    EXPECT_EQ(diag->item(0).pact, 1u) << "until the demotion";
    EXPECT_EQ(diag->item(1).act, 0u);
    EXPECT_EQ(diag->item(100).act, 1u) << "another source's entry stays";

    run_for(1000);
    EXPECT_EQ(diag->item(0).pact, 0u) << "demoted";
    EXPECT_EQ(diag->item(100).act, 1u);

    report(0x10, {1});
    EXPECT_EQ(diag->item(0).act, 1u);
    EXPECT_EQ(diag->item(0).oc, 2) << "a second occurrence";
}

TEST_F(Diagnostics_store, the_occurrence_count_stops_at_65535)
{
    start(definitions(1));
    run_for(1000);
    diag->item(0).oc = 65534;
    for (int round = 0; round < 3; ++round) {
        report(0x10, {1});
        run_for(1000);
        report(0x10, {});
        run_for(1000);
    }
    EXPECT_EQ(diag->item(0).oc, 65535);
}

TEST_F(Diagnostics_store, an_entry_not_reported_in_dm1_is_neither_counted_nor_broadcast)
{
    start(definitions(1), Diagnostics::grift_report);
    run_for(1000);
    wire.heard.clear();
    report(0x10, {1});
    EXPECT_EQ(diag->item(0).act, 1u);
    EXPECT_EQ(diag->item(0).oc, 0);
    run_for(2000);
    EXPECT_TRUE(frames(Diagnostics::pgn_dm1).empty());
}

TEST_F(Diagnostics_store, the_grift_view_lists_new_entries_until_acknowledged_and_its_update_id_moves)
{
    start(definitions(2), Diagnostics::grift_report);
    run_for(1000);
    const uint32_t before = diag->get_update_id();
    uint16_t codes[4] = {};
    EXPECT_EQ(diag->get_error_report_for_grift(255, 4, codes), 0u);

    report(0x10, {1, 2});
    EXPECT_NE(diag->get_update_id(), before);
    EXPECT_EQ(diag->get_error_report_for_grift(0x10, 1, codes), 2u) << "all counted, one written";
    EXPECT_EQ(codes[0], 1);
    EXPECT_EQ(diag->get_error_report_for_grift(0x11, 4, codes), 0u);

    report(0x10, {2}); // entry 1 goes inactive
    const uint32_t reported = diag->get_update_id();
    EXPECT_TRUE(diag->grift_ack_error(1));
    EXPECT_NE(diag->get_update_id(), reported);
    EXPECT_EQ(diag->item(0).grift_state, 0u) << "inactive and acknowledged: done";
    EXPECT_TRUE(diag->grift_ack_error(2));
    EXPECT_EQ(diag->item(1).grift_state, 1u) << "still active: reported again";
    EXPECT_FALSE(diag->grift_ack_error(99));
    EXPECT_EQ(diag->get_error_report_for_grift(255, 4, codes), 1u);
    EXPECT_EQ(codes[0], 2);
}

TEST(Diagnostics_update_id, passes_over_0_and_all_ones)
{
    const std::pair<uint32_t, uint32_t> cases[] = {
        {0, 1}, {1, 2}, {0xFFFFFFFD, 0xFFFFFFFE}, {0xFFFFFFFE, 1}, {0xFFFFFFFF, 1},
    };
    for (auto [id, next] : cases)
        EXPECT_EQ(Diagnostics::next_update_id(id), next) << id;
}

TEST_F(Diagnostics_store, autoclose_tells_the_waiters_whether_the_entry_is_active)
{
    start(definitions(2));
    waiter_descriptor listener;
    ASSERT_TRUE(diag->register_event_waiter(listener));
    report(0x10, {1});
    events_of(listener);
    const std::vector<cross_ref_t> defs = definitions(3);
    diag->send_autoclose_message(&defs[0]);
    diag->send_autoclose_message(&defs[1]);
    diag->send_autoclose_message(&defs[2]); // not defined here
    std::vector<waiter_event> events = events_of(listener);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].code, uint32_t(Diagnostics::autoclose_active));
    EXPECT_EQ(events[0].data, &diag->item(0));
    EXPECT_EQ(events[1].code, uint32_t(Diagnostics::autoclose_inactive));
    EXPECT_EQ(events[1].data, &diag->item(1));
}

TEST_F(Diagnostics_store, at_most_ten_event_waiters_and_the_others_keep_their_order)
{
    start(definitions(1));
    waiter_descriptor waiters[11];
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(diag->register_event_waiter(waiters[i]));
    EXPECT_TRUE(diag->register_event_waiter(waiters[3])) << "already there";
    EXPECT_FALSE(diag->register_event_waiter(waiters[10]));
    EXPECT_TRUE(diag->deregister_event_waiter(waiters[3]));
    EXPECT_FALSE(diag->deregister_event_waiter(waiters[3]));
    EXPECT_TRUE(diag->register_event_waiter(waiters[10]));
    report(0x10, {1});
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(events_of(waiters[i]).size(), i == 3 ? 0u : 1u) << i;
}

TEST(Diagnostics_task, is_named_diag_and_the_object_name_cut_to_19_characters)
{
    const std::pair<const char*, const char*> cases[] = {
        {"j1939Diag", "DIAG.j1939Diag"},
        {"", "DIAG"},
        {"abcdefghijklmnopqrst", "DIAG.abcdefghijklmn"},
    };
    for (auto [name, task] : cases) {
        Test_diag diag({}, Diagnostics::j1939_report, name);
        diag.init(*Diner_info_list::get(), nullptr, ZEV_name::RAWNAME(), false, false);
        EXPECT_STREQ(diag.get_name(), task);
    }
}

TEST(Diagnostics_task_death, ends_the_process_when_its_waiter_cannot_be_registered)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            module_man registry;
            auto last = std::make_unique<module_man>(registry);
            last->register_module("last");
            module_man rest(registry);
            while (rest.register_module("filler") > 0) {
            }
            Test_diag diag({});
            last.reset(); // one id left: the task's own takes it
            diag.init(registry, nullptr, ZEV_name::RAWNAME(), false, false);
        },
        testing::ExitedWithCode(uint8_t(Diagnostics::exit_code_no_module)), "");
}

TEST_F(Diagnostics_store, the_lists_print_their_entries_on_channel_46)
{
    start(definitions(2));
    report(0x10, {2});
    Debug_base::set_filters("2e");
    Debug_capture out;
    diag->print_active_list("now");
    diag->print_inactive_list(nullptr);
    Debug_base::set_filters("00");
    EXPECT_EQ(out.text(), "<Active desc=\"now\">\n"
                          "\tDIAG<src=10,err=2,fmi=1,spn=3e9,act=1,pact=0,drt=1,oc=1>\n"
                          "</Active>\n"
                          "<Inactive>\n"
                          "\tDIAG<src=10,err=1,fmi=0,spn=3e8,act=0,pact=0,drt=0,oc=0>\n"
                          "</Inactive>\n");
}

}
