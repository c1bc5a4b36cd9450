// The ring of fault files: which file is current, what is written when, what
// a restart reads back, and what survives damaged files.
#include "tests/diagnostics/Diag_bench.h"
#include "diagnostics/Diagnostic_history.h"
#include "platform/io/File_util.h"
#include "platform/io/pcf_files.h"
#include "platform/rtos/Debug_base.h"
#include "tests/support/Crash_states.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class Fault_files : public Diag_bench {
protected:
    std::set<int> files_present() const
    {
        std::set<int> out;
        for (int n = 0; n < 10; ++n)
            if (has_file(n))
                out.insert(n);
        return out;
    }
    // Makes the entry active and lets the next second write it.
    void activate(uint16_t err)
    {
        report(0x10, {err});
        run_for(1000);
    }
    // A DM11 to all: clears the active entries and cycles the ring.
    void clear_active()
    {
        request(Diagnostics::pgn_dm11, 0xFF);
        run_for(5);
    }
    // A new diagnostics object on the files as they are, as after a power cycle.
    void restart(std::vector<cross_ref_t> defs)
    {
        stop();
        start(std::move(defs));
        run_for(1000);
    }
};

struct Ring_case {
    std::set<int> present;
    int current;
    std::set<int> after_cycle;
};

TEST_F(Fault_files, the_first_missing_file_after_the_current_one_tells_which_is_current_and_a_cycle_moves_on)
{
    const Ring_case cases[] = {
        {{}, 0, {0, 1}},
        {{2, 3}, 0, {0, 1, 3}},
        {{7, 8, 9, 0, 1}, 1, {7, 8, 9, 0, 1, 2}},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 0, {0, 1, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const Ring_case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.present.size() << " files, current " << c.current);
        stop();
        std::filesystem::remove_all(pcf_folder());
        for (int n : c.present)
            write_file(n, {});
        Debug_base::set_filters("2e");
        Debug_capture out;
        start(definitions(1));
        run_for(1000);
        Debug_base::set_filters("00");
        EXPECT_EQ(out.text().find("WARNING: Invalid diagnostics file set found on init!\n") != std::string::npos,
                  c.present.size() == 10);
        activate(1);
        for (int n = 0; n < 10; ++n)
            EXPECT_EQ(records(n).size(), n == c.current ? 1u : 0u) << "the record goes to the current file, " << n;
        clear_active();
        EXPECT_EQ(files_present(), c.after_cycle);
    }
}

TEST_F(Fault_files, a_restart_restores_the_counts_of_the_current_file_the_later_record_winning)
{
    write_file(0, record(0x10, 5, 1) + record(0x10, 3, 2) + record(0x10, 7, 1) + record(0x44, 9, 1));
    write_file(1, {});
    start(definitions(2));
    run_for(1000);
    EXPECT_EQ(diag->item(0).oc, 0) << "file 1 is current, and empty";

    std::filesystem::remove(file(1));
    Debug_base::set_filters("2e");
    Debug_capture out;
    restart(definitions(2));
    Debug_base::set_filters("00");
    EXPECT_EQ(diag->item(0).oc, 7) << "the later of two records";
    EXPECT_EQ(diag->item(1).oc, 3);
    EXPECT_EQ(diag->item(0).act, 0u) << "states are not restored";
    EXPECT_NE(out.text().find("ERROR: Diag !matching item on load: src 0x44, err 0x0001\n"), std::string::npos);
}

TEST_F(Fault_files, changed_entries_are_appended_each_second_with_their_activation_time)
{
    start(definitions(2));
    run_for(1000);
    EXPECT_EQ(file_bytes(0).size(), 0u) << "the current file is there from the start";
    const Atime activated = Atime::now();
    report(0x10, {1, 2});
    run_for(1000);
    std::vector<Diagnostics_messages::Msg_SP> written = records(0);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0].get_err(), 1);
    EXPECT_EQ(written[1].get_err(), 2);
    EXPECT_EQ(written[0].get_oc(), 1);
    EXPECT_EQ(written[0].get_source(), 0x10);
    const Atime::Real_time t = activated.real_timeb();
    EXPECT_EQ(written[0].get_seconds(), uint32_t(t.seconds));
    EXPECT_EQ(written[0].get_milliseconds(), unsigned(t.milliseconds / 4 * 4));
    EXPECT_EQ(diag->item(0).drt, 0u);

    run_for(3000);
    EXPECT_EQ(records(0).size(), 2u) << "nothing changed, nothing written";
    report(0x10, {2}); // entry 0 inactive: not written
    run_for(2000);
    report(0x10, {1, 2});
    run_for(1000);
    written = records(0);
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[2].get_oc(), 2);

    restart(definitions(2));
    EXPECT_EQ(diag->item(0).oc, 2);
    EXPECT_EQ(diag->item(1).oc, 1);
}

TEST_F(Fault_files, a_failed_write_keeps_the_entries_dirty_until_a_later_second_can_write)
{
    ASSERT_TRUE(pcfIsMounted(nullptr));
    std::filesystem::create_directory(file(0)); // in the way of the current file
    start(definitions(1));
    run_for(1000);
    report(0x10, {1});
    run_for(3000);
    EXPECT_EQ(diag->item(0).drt, 1u);
    std::filesystem::remove(file(0));
    run_for(1000);
    EXPECT_EQ(diag->item(0).drt, 0u);
    ASSERT_EQ(records(0).size(), 1u) << "written once, when it could be";
    EXPECT_EQ(records(0)[0].get_oc(), 1);
}

TEST_F(Fault_files, the_snapshot_after_dm11_holds_the_counts_left_and_no_cleared_entry)
{
    std::vector<cross_ref_t> defs = definitions(101); // entry 100 is of source 0x11
    start(defs);
    run_for(1000);
    report(0x10, {1});
    report(0x11, {101});
    run_for(1000);
    report(0x11, {}); // entry 100 previously active, count 1
    run_for(1000);
    clear_active(); // clears entry 0
    EXPECT_EQ(diag->item(0).oc, 0);
    std::vector<Diagnostics_messages::Msg_SP> snapshot = records(1);
    ASSERT_EQ(snapshot.size(), 1u);
    EXPECT_EQ(snapshot[0].get_source(), 0x11);
    EXPECT_EQ(snapshot[0].get_err(), 101);
    EXPECT_EQ(snapshot[0].get_oc(), 1);
    EXPECT_EQ(snapshot[0].get_seconds(), 0u);
    EXPECT_EQ(files_present(), (std::set<int>{0, 1}));

    restart(defs);
    EXPECT_EQ(diag->item(0).oc, 0) << "the cleared count stays cleared";
    EXPECT_EQ(diag->item(100).oc, 1);
}

TEST_F(Fault_files, a_snapshot_that_cannot_be_put_in_place_whole_leaves_the_previous_file_current)
{
    // A folder that is not empty cannot be replaced by the snapshot; a sync
    // that fails stands for a power cut before the snapshot is on the disk.
    enum Obstacle { folder_in_the_way, sync_fails };
    for (Obstacle obstacle : {folder_in_the_way, sync_fails}) {
        SCOPED_TRACE(obstacle);
        stop();
        std::filesystem::remove_all(pcf_folder());
        start(definitions(2));
        run_for(1000);
        activate(1);
        report(0x10, {}); // entry 0 previously active, count 1
        run_for(1000);
        if (obstacle == folder_in_the_way)
            std::filesystem::create_directories(file(1) + "/in_the_way");
        else
            File_util::set_sync_function([](int) { return -1; });
        request(Diagnostics::pgn_dm3, 0xFF);
        File_util::set_sync_function(nullptr);
        std::filesystem::remove_all(file(1));
        EXPECT_EQ(diag->item(0).oc, 0);
        EXPECT_EQ(files_present(), (std::set<int>{0})) << "no snapshot, not even a part of one";
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pcf_folder()), {}), 1)
            << "nothing left beside file 0";

        report(0x10, {2});
        run_for(1000);
        EXPECT_EQ(records(0).size(), 2u) << "still writing to file 0";
        restart(definitions(2));
        EXPECT_EQ(diag->item(1).oc, 1);
    }
}

TEST_F(Fault_files, a_thousand_records_start_the_next_file_with_a_snapshot)
{
    Bytes full;
    for (int i = 0; i < 999; ++i)
        full = full + record(0x10, uint16_t(i), 1);
    write_file(0, full);
    start(definitions(2));
    run_for(1000);
    EXPECT_EQ(diag->item(0).oc, 998);
    activate(1); // the thousandth record
    EXPECT_EQ(records(0).size(), 1000u);
    std::vector<Diagnostics_messages::Msg_SP> snapshot = records(1);
    ASSERT_EQ(snapshot.size(), 1u);
    EXPECT_EQ(snapshot[0].get_oc(), 999);
    activate(2);
    EXPECT_EQ(records(1).size(), 2u) << "file 1 is current now";
}

// Four records for entries 1 to 4 with counts 11 to 14.
Bytes four_records()
{
    Bytes out;
    for (uint16_t err = 1; err <= 4; ++err)
        out = out + record(0x10, uint16_t(10 + err), err);
    return out;
}

TEST_F(Fault_files, a_file_cut_at_any_byte_restores_exactly_the_whole_records_before_the_cut)
{
    const Bytes all = four_records();
    for (size_t cut = 0; cut <= all.size(); ++cut) {
        SCOPED_TRACE(cut);
        write_file(0, Bytes(all.begin(), all.begin() + long(cut)));
        restart(definitions(4));
        for (size_t i = 0; i < 4; ++i)
            ASSERT_EQ(diag->item(i).oc, (i + 1) * 16 <= cut ? 11 + i : 0u) << "entry " << i;
        stop();
        std::filesystem::remove_all(pcf_folder());
    }
}

TEST_F(Fault_files, a_torn_record_between_whole_ones_is_passed_over)
{
    const Bytes torn = record(0x10, 50, 2);
    for (size_t kept = 1; kept < torn.size(); ++kept) {
        SCOPED_TRACE(kept);
        write_file(0, record(0x10, 11, 1) + Bytes(torn.begin(), torn.begin() + long(kept)) + record(0x10, 13, 3));
        restart(definitions(3));
        EXPECT_EQ(diag->item(0).oc, 11);
        EXPECT_EQ(diag->item(1).oc, 0);
        EXPECT_EQ(diag->item(2).oc, 13);
        stop();
        std::filesystem::remove_all(pcf_folder());
    }
}

TEST_F(Fault_files, random_bytes_restore_nothing_and_around_whole_records_do_not_hide_them)
{
    std::mt19937 random(23);
    auto noise = [&random](size_t n) {
        Bytes out(n);
        for (uint8_t& b : out)
            b = uint8_t(random());
        return out;
    };
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const bool with_records = round % 2;
        Bytes bytes = noise(random() % 600);
        if (with_records) {
            bytes = bytes + record(0x10, 21, 1) + noise(random() % 40) + record(0x10, 22, 2);
            bytes[0] = Gril_message::sync; // a false start right at the beginning
        }
        bytes = bytes + noise(random() % 40);
        write_file(0, bytes);
        restart(definitions(2));
        EXPECT_EQ(diag->item(0).oc, with_records ? 21 : 0);
        EXPECT_EQ(diag->item(1).oc, with_records ? 22 : 0);
        stop();
        std::filesystem::remove_all(pcf_folder());
    }
}

// A power cut in a cycle of the ring. The ring as it stands before: the
// current file holds count 7 for entry 0 (err 1), every other file the
// older count 3. A cycle after the thousandth record (entry 0 activated
// once more: 8) or a DM11 (clears it: 0) moves to the next file.
class Fault_file_crashes : public Fault_files {
protected:
    enum Trigger { thousandth_record, dm11 };

    // Sets the ring up around the current file, runs the cycle and gives
    // every state a power cut could have left meanwhile.
    std::vector<Crash_states::Folder> cycle(int current, Trigger trigger,
                                            std::vector<std::vector<std::string>>& folder_syncs)
    {
        std::filesystem::remove_all(pcf_folder());
        Bytes full;
        for (int i = 0; i < (trigger == thousandth_record ? 999 : 1); ++i)
            full = full + record(0x10, 7, 1);
        for (int n = 0; n < 10; ++n)
            if (n != (current + 1) % 10)
                write_file(n, n == current ? full : record(0x10, 3, 1));
        start(definitions(1));
        run_for(1000);
        EXPECT_EQ(diag->item(0).oc, 7);
        report(0x10, {1}); // active: the next second writes its count 8
        if (trigger == dm11)
            run_for(1000);
        Crash_states crash(pcf_folder());
        if (trigger == dm11)
            clear_active();
        else
            run_for(1000);
        EXPECT_TRUE(has_file((current + 1) % 10) && !has_file((current + 2) % 10)) << "the ring moved on";
        folder_syncs = crash.folder_syncs();
        return crash.all();
    }
    // The count of entry 0 that a start on the state restores.
    uint16_t count_after(const Crash_states::Folder& state)
    {
        stop();
        Crash_states::write(pcf_folder(), state);
        start(definitions(1));
        run_for(1000);
        return diag->item(0).oc;
    }
    static std::string names(const Crash_states::Folder& state)
    {
        std::string out;
        for (const auto& entry : state)
            out += entry.first + " ";
        return out;
    }
};

TEST_F(Fault_file_crashes, every_state_a_power_cut_leaves_in_a_cycle_restores_the_old_or_the_new_count)
{
    struct Case {
        int current;
        Trigger trigger;
        std::vector<uint16_t> old_or_new;
        std::vector<std::vector<std::string>> folder_syncs;
    } cases[] = {
        // File 0 missing after file 9 is removed: the start takes file 9.
        {9, thousandth_record, {7, 8}, {{"-j1939Diag1.dat"}, {"+j1939Diag0.dat"}}},
        // With the removal of file 6 undone and file 5 made, all ten files would be there.
        {4, thousandth_record, {7, 8}, {{"-j1939Diag6.dat"}, {"+j1939Diag5.dat"}}},
        {4, dm11, {8, 0}, {{"-j1939Diag6.dat"}, {"+j1939Diag5.dat"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cycle from " << c.current << (c.trigger == dm11 ? " by DM11" : ""));
        std::vector<std::vector<std::string>> folder_syncs;
        const std::vector<Crash_states::Folder> states = cycle(c.current, c.trigger, folder_syncs);
        EXPECT_EQ(folder_syncs, c.folder_syncs) << "the removals are durable before the new file appears";
        EXPECT_GE(states.size(), 3u);
        for (const Crash_states::Folder& state : states) {
            const uint16_t count = count_after(state);
            EXPECT_TRUE(std::find(c.old_or_new.begin(), c.old_or_new.end(), count) != c.old_or_new.end())
                << "count " << count << " from " << names(state);
        }
        stop();
    }
}

TEST_F(Fault_file_crashes, the_first_current_file_is_durable_before_anything_is_written_to_it)
{
    std::vector<std::vector<std::string>> folder_syncs;
    std::vector<Crash_states::Folder> after_write;
    {
        Crash_states crash(pcf_folder());
        start(definitions(1));
        run_for(1000);
        activate(1);
        EXPECT_EQ(diag->item(0).drt, 0u) << "written";
        folder_syncs = crash.folder_syncs();
        after_write = crash.now();
    }
    EXPECT_EQ(folder_syncs, (std::vector<std::vector<std::string>>{{"+j1939Diag0.dat"}}));
    for (const Crash_states::Folder& state : after_write)
        EXPECT_EQ(count_after(state), 1) << "a written count survives, from " << names(state);
}

// Takes the history at its own pace: ready every other time it is asked.
class Slow_history : public Diagnostic_history {
public:
    struct Entry {
        uint8_t source;
        uint16_t oc, err;
        uint32_t seconds;
        unsigned milliseconds;
        bool operator==(const Entry& o) const
        {
            return source == o.source && oc == o.oc && err == o.err && seconds == o.seconds &&
                   milliseconds == o.milliseconds;
        }
    };
    void _output(uint8_t source, uint16_t oc, uint16_t err, uint32_t seconds, unsigned milliseconds) override
    {
        got.push_back({source, oc, err, seconds, milliseconds});
    }
    bool is_ready() override { return ++asked % 2 == 0; }
    void reset() override { ++resets; }
    void notify_done() override { ++done; }

    std::vector<Entry> got;
    int asked = 0, resets = 0, done = 0;
};

TEST_F(Fault_files, the_history_replays_the_files_oldest_first_without_snapshot_records)
{
    // Current file 1; file 9 is older than file 0; file 2 is gone.
    write_file(9, record(0x10, 1, 1, 100, 1));
    write_file(0, record(0x10, 2, 1, 200, 2) + record(0x10, 5, 2) + record(0x10, 3, 1, 300, 3));
    write_file(1, record(0x10, 4, 2, 400, 249));
    write_file(5, record(0x10, 9, 1, 50, 0)); // older still
    start(definitions(2));
    run_for(1000);
    Slow_history history;
    ASSERT_TRUE(diag->request_history(&history));
    Slow_history second;
    EXPECT_FALSE(diag->request_history(&second)) << "one at a time";
    EXPECT_FALSE(diag->request_history(nullptr));
    run_for(500);
    EXPECT_TRUE(history.is_done());
    EXPECT_EQ(history.resets, 1);
    EXPECT_EQ(history.done, 1);
    const std::vector<Slow_history::Entry> expected = {
        {0x10, 9, 1, 50, 0}, {0x10, 1, 1, 100, 4}, {0x10, 2, 1, 200, 8}, {0x10, 3, 1, 300, 12}, {0x10, 4, 2, 400, 996},
    };
    EXPECT_EQ(history.got, expected);
    EXPECT_TRUE(diag->request_history(&second)) << "free again";
}

}
