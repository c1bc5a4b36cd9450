// The file-server client against the fake file server on the in-process bus.
#include "tests/isobus/Fs_bench.h"
#include "tests/support/Crash_states.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Error = Fs_bench::Recorder::Error;
using FS::FS_message;

constexpr uint32_t mib = 1u << 20;

const char* const data_dir = "var/data/kx4/data";

struct Served {
    Scratch_folder served;
    Scratch_folder local;
    Rooted_in rooted{local.path()};

    Served()
    {
        served.make_folder("USB1/updates");
        served.make_folder("USB2");
        served.write("USB1/updates/up.bin", test_pattern(mib));
        served.write("USB1/small.txt", {'h', 'i'});
        served.write("loose.txt", {'x'}); // not a volume: a file at the root
    }
    Fake_file_server::Settings settings() const
    {
        Fake_file_server::Settings s;
        s.folder = served.path();
        return s;
    }
    // What the local data folder holds.
    std::vector<std::string> local_files() const { return local.names(data_dir); }
};

std::vector<std::string> items(const FS::FS_client_interface& iface)
{
    std::vector<std::string> out;
    for (int i = 0; i < iface.lstint_num_items(); ++i)
        out.push_back(iface.lstint_item(i));
    return out;
}

TEST(FS_client, finds_the_server_and_lists_its_volumes)
{
    Served s;
    Fs_bench f(s.settings());
    EXPECT_FALSE(f.iface.start_dir_read("\\\\")) << "nothing starts before a server is connected";
    ASSERT_TRUE(f.connect());
    EXPECT_EQ(f.iface.get_server_manufacturer(), 1111);

    ASSERT_TRUE(f.iface.start_dir_read("\\\\"));
    EXPECT_EQ(f.iface.get_operation(), FS::FS_client_interface::op_dir_read);
    EXPECT_FALSE(f.iface.start_dir_read("\\\\")) << "one operation at a time";
    f.settle();

    EXPECT_EQ(items(f.iface), (std::vector<std::string>{"USB1", "USB2"}));
    EXPECT_EQ(f.iface.get_current_directory(), "\\\\");
    ASSERT_EQ(f.iface.progress.size(), 1u);
    EXPECT_EQ(f.iface.progress[0].done, 2u);
    EXPECT_TRUE(f.iface.progress[0].complete);
    EXPECT_EQ(f.iface.errors, (std::vector<Error>{{2, 2, 0}})) << "a complete listing closes with error 0";
    EXPECT_EQ(f.iface.get_operation(), FS::FS_client_interface::op_none);

    f.iface.errors.clear();
    ASSERT_TRUE(f.iface.start_dir_read("\\\\USB1"));
    f.settle();
    EXPECT_EQ(items(f.iface), (std::vector<std::string>{"small.txt", "updates"}));
    EXPECT_EQ(f.iface.get_current_directory(), "\\\\USB1");
}

TEST(FS_client, reads_a_file_byte_for_byte_and_puts_it_in_place_only_when_complete)
{
    Served s;
    s.local.make_folder(data_dir);
    s.local.write(std::string(data_dir) + "/up.bin", {'o', 'l', 'd'});
    Fs_bench f(s.settings());
    ASSERT_TRUE(f.connect());

    // Part of the way: the old file is still the one in place, the new one grows beside it.
    std::vector<uint8_t> in_place;
    std::vector<std::string> files;
    f.iface.on_progress = [&] {
        if (f.iface.progress.size() == 20) {
            in_place = s.local.read(std::string(data_dir) + "/up.bin");
            files = s.local_files();
        }
    };
    ASSERT_TRUE(f.iface.start_file_read("up.bin", "\\\\USB1\\updates\\up.bin"));
    f.settle();
    EXPECT_EQ(in_place, (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(files.size(), 2u) << "the partial file beside the old one";

    ASSERT_EQ(f.iface.completed, 1) << testing::PrintToString(f.lines);
    EXPECT_TRUE(f.iface.errors.empty());
    EXPECT_EQ(s.local.read(std::string(data_dir) + "/up.bin"), test_pattern(mib));
    EXPECT_EQ(s.local_files(), (std::vector<std::string>{"up.bin"}));
    ASSERT_FALSE(f.iface.progress.empty());
    EXPECT_EQ(f.iface.progress.back().done, mib);
    EXPECT_EQ(f.iface.progress.back().total, mib);
    EXPECT_TRUE(f.iface.progress.back().complete);
    for (const auto& p : f.iface.progress)
        EXPECT_LE(p.done, p.total);
    EXPECT_EQ(f.iface.get_operation(), FS::FS_client_interface::op_none);
    EXPECT_NE(std::find(f.lines.begin(), f.lines.end(), "close 1"), f.lines.end()) << "the server's handle closed";
}

TEST(FS_client, a_read_is_complete_only_once_its_file_would_survive_a_power_cut)
{
    Served s;
    s.local.make_folder(data_dir);
    s.local.write(std::string(data_dir) + "/small.txt", {'o', 'l', 'd'});
    Fs_bench f(s.settings());
    ASSERT_TRUE(f.connect());
    std::vector<Crash_states::Folder> at_completion;
    {
        Crash_states crash(s.local.path() + "/" + data_dir);
        f.iface.on_progress = [&] {
            if (f.iface.progress.back().complete)
                at_completion = crash.now();
        };
        ASSERT_TRUE(f.iface.start_file_read("small.txt", "\\\\USB1\\small.txt"));
        f.settle();
        f.iface.on_progress = nullptr;
    }
    ASSERT_EQ(f.iface.completed, 1);
    ASSERT_FALSE(at_completion.empty());
    for (const Crash_states::Folder& state : at_completion)
        EXPECT_EQ(state.count("small.txt") ? state.at("small.txt") : std::vector<uint8_t>{},
                  (std::vector<uint8_t>{'h', 'i'}));
}

struct Failure_case {
    const char* what;
    void (*set)(Fake_file_server::Settings&);
    const char* path; // a directory read when it ends in the volume's name
    bool directory;
    Error error;
};

const Failure_case failures[] = {
    {"an error on open", [](Fake_file_server::Settings& s) { s.open_error = 1; }, "\\\\USB1\\updates\\up.bin",
     false, {2, 0, 1}},
    {"a missing file", [](Fake_file_server::Settings&) {}, "\\\\USB1\\none.bin", false, {2, 0, 4}},
    {"an error at a byte", [](Fake_file_server::Settings& s) { s.error_at = 300000; }, "\\\\USB1\\updates\\up.bin",
     false, {2, 2, 11}},
    {"a read longer than asked", [](Fake_file_server::Settings& s) { s.long_reads = true; },
     "\\\\USB1\\updates\\up.bin", false, {2, 2, FS_message::any_other}},
    {"a file longer than announced", [](Fake_file_server::Settings& s) { s.understate_size = 10; },
     "\\\\USB1\\updates\\up.bin", false, {2, 2, FS_message::any_other}},
    {"a directory entry past its answer", [](Fake_file_server::Settings& s) { s.overrun_entry = true; }, "\\\\",
     true, {2, 2, FS_message::any_other}},
    {"a missing directory", [](Fake_file_server::Settings&) {}, "\\\\USB9", true, {1, 1, 4}},
};

TEST(FS_client, each_failure_ends_the_operation_with_its_error_and_leaves_no_file)
{
    for (const Failure_case& c : failures) {
        SCOPED_TRACE(c.what);
        Served s;
        Fake_file_server::Settings settings = s.settings();
        c.set(settings);
        Fs_bench f(settings);
        ASSERT_TRUE(f.connect());
        ASSERT_TRUE(c.directory ? f.iface.start_dir_read(c.path) : f.iface.start_file_read("up.bin", c.path));
        f.settle();
        EXPECT_EQ(f.iface.errors, std::vector<Error>{c.error}) << testing::PrintToString(f.lines);
        EXPECT_EQ(f.iface.completed, 0);
        EXPECT_EQ(f.iface.get_operation(), FS::FS_client_interface::op_none);
        EXPECT_TRUE(s.local_files().empty()) << testing::PrintToString(s.local_files());
        EXPECT_EQ(std::count(f.lines.begin(), f.lines.end(), "close 1"), c.error.group == 2 && c.error.function != 0 ? 1 : 0)
            << "an open handle is closed: " << testing::PrintToString(f.lines);
    }
}

TEST(FS_client, a_server_vanishing_mid_read_is_lost_after_six_seconds_and_the_partial_file_goes)
{
    Served s;
    Fake_file_server::Settings settings = s.settings();
    settings.silent_at = 500000;
    Fs_bench f(settings);
    ASSERT_TRUE(f.connect());
    ASSERT_TRUE(f.iface.start_file_read("up.bin", "\\\\USB1\\updates\\up.bin"));
    f.settle();
    ASSERT_TRUE(f.server->is_silent());
    EXPECT_EQ(s.local_files().size(), 1u) << "the partial file";

    f.run_for(FS::FS_client::status_timeout_ms - 2100);
    EXPECT_TRUE(f.iface.is_server_connected()) << "not lost before its time";
    f.run_for(2200);
    EXPECT_FALSE(f.iface.is_server_connected());
    EXPECT_EQ(f.iface.get_operation(), FS::FS_client_interface::op_none);
    EXPECT_TRUE(f.iface.errors.empty()) << "a lost server is no error of the server's";
    EXPECT_EQ(f.iface.completed, 0);
    EXPECT_TRUE(s.local_files().empty());
    EXPECT_FALSE(f.iface.start_file_read("up.bin", "\\\\USB1\\updates\\up.bin"));
}

TEST(FS_client, a_busy_server_is_waited_for_beyond_the_answer_time_out)
{
    Served s;
    Fake_file_server::Settings settings = s.settings();
    settings.busy = true;
    Fs_bench f(settings);
    f.run_for(3000);
    // Even the properties wait: a busy server is not connected yet.
    EXPECT_FALSE(f.iface.is_server_connected());
    f.server->set_busy(false);
    ASSERT_TRUE(f.connect());
    ASSERT_TRUE(f.iface.start_file_read("small.txt", "\\\\USB1\\small.txt"));
    f.server->set_busy(true);
    f.run_for(FS::FS_client::answer_timeout_ms + 5000);
    EXPECT_EQ(f.iface.busy, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(f.iface.errors.empty());
    EXPECT_EQ(f.iface.get_operation(), FS::FS_client_interface::op_file_read);
    f.server->set_busy(false);
    f.settle();
    EXPECT_EQ(f.iface.completed, 1) << testing::PrintToString(f.lines);
    EXPECT_EQ(s.local.read(std::string(data_dir) + "/small.txt"), (std::vector<uint8_t>{'h', 'i'}));
}

TEST(FS_client, cancel_closes_the_server_file_and_removes_the_partial_one)
{
    Served s;
    Fs_bench f(s.settings());
    ASSERT_TRUE(f.connect());
    f.iface.on_progress = [&] {
        if (f.iface.progress.size() == 3)
            f.iface.cancel_operation();
    };
    ASSERT_TRUE(f.iface.start_file_read("up.bin", "\\\\USB1\\updates\\up.bin"));
    f.settle();
    EXPECT_EQ(f.iface.get_operation(), FS::FS_client_interface::op_none);
    EXPECT_TRUE(s.local_files().empty());
    EXPECT_EQ(f.iface.completed, 0);
    EXPECT_TRUE(f.iface.errors.empty());
    EXPECT_EQ(f.lines.back(), "close 1");
    f.iface.on_progress = nullptr;
    // The client goes on: the next read works.
    ASSERT_TRUE(f.iface.start_file_read("small.txt", "\\\\USB1\\small.txt"));
    f.settle();
    EXPECT_EQ(f.iface.completed, 1);
}

}
