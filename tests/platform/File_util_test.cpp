#include "platform/io/File_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The file's contents; empty when it is no file.
std::string text_of(const std::string& path)
{
    if (!fs::is_regular_file(path))
        return "";
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_text(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The names in a folder, sorted.
std::vector<std::string> names_in(const std::string& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What each sync saw: the file it was given, and the target's contents then.
struct Sync_call {
    std::string file;
    std::string target_then;
};

// Takes the place of fsync for one test: records each call and fails the
// one numbered fail_at (counting from 1), as a full or failing disk would.
class Sync_recorder {
public:
    Sync_recorder(std::string target, int fail_at = 0)
    {
        target_ = std::move(target);
        fail_at_ = fail_at;
        calls_.clear();
        File_util::set_sync_function(&sync);
    }
    ~Sync_recorder() { File_util::set_sync_function(nullptr); }
    const std::vector<Sync_call>& calls() const { return calls_; }

private:
    static int sync(int fd)
    {
        char path[PATH_MAX] = {};
        const ssize_t n = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path - 1);
        calls_.push_back({std::string(path, size_t(n > 0 ? n : 0)), text_of(target_)});
        if (int(calls_.size()) == fail_at_) {
            errno = EIO;
            return -1;
        }
        return ::fsync(fd);
    }

    static inline std::string target_;
    static inline int fail_at_ = 0;
    static inline std::vector<Sync_call> calls_;
};

class File_util_test : public ::testing::Test {
protected:
    File_util_test()
    {
        char pattern[] = "/tmp/kx4_file_util_XXXXXX";
        folder = mkdtemp(pattern);
        path = folder + "/target";
    }
    ~File_util_test() override { fs::remove_all(folder); }

    std::string folder;
    std::string path;
};

// Without the first sync the new contents may not be on the disk when the
// rename is; without the second the rename itself may be lost.
TEST_F(File_util_test, the_new_file_is_synced_before_it_replaces_the_old_and_the_folder_after)
{
    write_text(path, "old");
    Sync_recorder recorder(path);
    const File_util::Replaced replaced = File_util::replace(path, "new", 3);
    ASSERT_TRUE(replaced.ok()) << replaced.error;
    EXPECT_EQ(text_of(path), "new");
    ASSERT_EQ(recorder.calls().size(), 2u);
    EXPECT_EQ(recorder.calls()[0].file.rfind(path + ".new.", 0), 0u) << recorder.calls()[0].file;
    EXPECT_EQ(recorder.calls()[0].target_then, "old");
    EXPECT_EQ(recorder.calls()[1].file, folder);
    EXPECT_EQ(recorder.calls()[1].target_then, "new");
    EXPECT_EQ(names_in(folder), std::vector<std::string>{"target"});
}

// Each way a replace can fail: what it reports, what the target then
// holds, and that no new file is left beside it.
TEST_F(File_util_test, a_failed_step_is_named_and_leaves_no_new_file_behind)
{
    enum Fault { no_folder, first_sync_fails, write_beyond_file_size_limit, target_is_a_folder, folder_sync_fails };
    enum After { nothing, old_text, new_data, the_folder };
    struct Case {
        const char* what;
        Fault fault;
        File_util::Replaced::Failure failure;
        const char* words; // in the error
        After after;
    } cases[] = {
        {"folder missing", no_folder, File_util::Replaced::create, "cannot create a new file beside", nothing},
        {"new file not synced", first_sync_fails, File_util::Replaced::write, "cannot sync", old_text},
        {"write cut short", write_beyond_file_size_limit, File_util::Replaced::write, "cannot write", old_text},
        {"target is a folder", target_is_a_folder, File_util::Replaced::rename, "cannot rename", the_folder},
        // The rename is done: only its durability is in doubt.
        {"folder not synced", folder_sync_fails, File_util::Replaced::sync_folder, "cannot sync the folder", new_data},
    };
    const std::string data(4096, 'n');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder);
        fs::create_directory(folder);
        const std::string target = c.fault == no_folder ? folder + "/missing/target" : path;
        if (c.fault == target_is_a_folder)
            fs::create_directories(path + "/inside");
        else if (c.fault != no_folder)
            write_text(path, "old");

        Sync_recorder recorder(target, c.fault == first_sync_fails ? 1 : c.fault == folder_sync_fails ? 2 : 0);
        rlimit old_limit{};
        if (c.fault == write_beyond_file_size_limit) {
            signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
            getrlimit(RLIMIT_FSIZE, &old_limit);
            rlimit small = old_limit;
            small.rlim_cur = 100;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        const File_util::Replaced replaced = File_util::replace(target, data.data(), data.size());
        if (c.fault == write_beyond_file_size_limit)
            setrlimit(RLIMIT_FSIZE, &old_limit);

        EXPECT_EQ(replaced.failure, c.failure);
        EXPECT_FALSE(replaced.ok());
        EXPECT_NE(replaced.error.find(c.words), std::string::npos) << replaced.error;
        switch (c.after) {
        case nothing:
            EXPECT_FALSE(fs::exists(target));
            break;
        case old_text:
            EXPECT_EQ(text_of(target), "old");
            break;
        case new_data:
            EXPECT_EQ(text_of(target), data);
            break;
        case the_folder:
            EXPECT_TRUE(fs::is_directory(path + "/inside"));
            break;
        }
        EXPECT_EQ(names_in(folder), c.fault == no_folder ? std::vector<std::string>{}
                                                         : std::vector<std::string>{"target"});
    }
}

TEST_F(File_util_test, folders_are_made_with_every_folder_above_them)
{
    std::string error;
    EXPECT_TRUE(File_util::make_folders(folder + "/a/b/c/", error)) << error;
    EXPECT_TRUE(fs::is_directory(folder + "/a/b/c"));
    EXPECT_TRUE(File_util::make_folders(folder + "/a/b/c/", error)) << "a folder already there is fine";
    write_text(folder + "/file", "x");
    for (const std::string& blocked : {folder + "/file/d/", folder + "/file/", folder + "/file"}) {
        error.clear();
        EXPECT_FALSE(File_util::make_folders(blocked, error)) << blocked;
        EXPECT_NE(error.find("cannot make folder " + folder + "/file"), std::string::npos) << error;
    }
}

}
