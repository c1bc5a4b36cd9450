#include "tests/vt_pool/Test_fixed_objects.h"

#include "platform/io/File_util.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Object_deserial.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/iso/VT_String_variable_obj.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

#include "tests/support/Child_process.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <QThread>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <memory>
#include <thread>

namespace {

using namespace VT;

// The seeder's pool with the client's state in the test's hands.
struct Seeder_pool : seeder_ecu_pool {
    Seeder_pool() : seeder_ecu_pool(nullptr, nullptr, 0) {}
    using Object_pool::set_state;
    using Object_pool::set_vt_name;
};

// Debug channels enabled while it lives.
struct Channels {
    explicit Channels(const char* filter) { Debug_base::set_filters(filter); }
    ~Channels() { Debug_base::set_filters(""); }
};

std::string pointer_text(const void* p)
{
    char text[32];
    std::snprintf(text, sizeof text, "%p", p);
    return text;
}

std::string bad_status_line(int status, const void* owner)
{
    return "Bad mutex status: " + std::to_string(status) + ", wanted: 1 " + pointer_text(owner) + " "
           + pointer_text(QThread::currentThreadId()) + "\n";
}

// Holds the pool's lock on a thread of its own until released.
class Other_holder {
public:
    explicit Other_holder(const Object_pool& pool)
        : thread_([this, &pool] {
              pool.lock_pool();
              held_.set_value(QThread::currentThreadId());
              release_.get_future().wait();
              pool.unlock_pool();
          })
    {
        owner_ = held_.get_future().get();
    }
    ~Other_holder()
    {
        release_.set_value();
        thread_.join();
    }
    Qt::HANDLE owner() const { return owner_; }

private:
    std::promise<Qt::HANDLE> held_;
    std::promise<void> release_;
    std::thread thread_;
    Qt::HANDLE owner_ = nullptr;
};

TEST(Pool_operations, the_lock_check_passes_only_for_the_holder)
{
    auto pool = std::make_unique<Seeder_pool>();
    enum Holder { caller, nobody, other };
    const struct Case {
        const char* what;
        Holder holder;
        const char* channels;
        int status; // of the line said, -1 for none
    } cases[] = {
        {"held by the caller", caller, "", -1},
        {"free, channel 43 lets it go on", nobody, "2b", 0},
        {"free, channel 44 skips the check", nobody, "2c", -1},
        {"held by another thread, channel 43", other, "2b", 2},
        {"held by another thread, channel 44", other, "2c", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Channels channels(c.channels);
        std::unique_ptr<Other_holder> other_holder;
        if (c.holder == caller)
            pool->lock_pool();
        if (c.holder == other)
            other_holder = std::make_unique<Other_holder>(*pool);
        Debug_capture capture;
        pool->check_pool_locked();
        const void* owner = other_holder ? other_holder->owner() : nullptr;
        EXPECT_EQ(capture.text(), c.status < 0 ? "" : bad_status_line(c.status, owner));
        if (c.holder == caller)
            pool->unlock_pool();
        other_holder.reset();
        EXPECT_FALSE(pool->is_locked()); // the check left the lock as it found it
    }
}

TEST(Pool_operations, the_lock_check_stops_the_process_when_the_lock_is_free)
{
    auto pool = std::make_unique<Seeder_pool>();
    Child_result r = run_in_child([&] { pool->check_pool_locked(); });
    EXPECT_EQ(r.output, bad_status_line(0, nullptr));
    EXPECT_EQ(r.signal, SIGABRT);
}

TEST(Pool_operations, every_run_time_accessor_checks_the_lock_once)
{
    auto pool = std::make_unique<Seeder_pool>();
    // An input number loaded from a record comes under the lock too.
    const uint8_t number_record[] = {0x10, 0x27, 9, 10, 0, 10, 0, 0, 0xFF, 0xFF, 0, 0xFF, 0xFF, 1, 0, 0, 0, 0, 0,
                                     0, 0, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x3F, 0, 0, 0, 1, 0};
    Object_deserial loader;
    loader.init(pool.get());
    ASSERT_TRUE(loader.run(number_record, sizeof number_record));

    auto first = [&](auto* none) {
        using T = std::remove_pointer_t<decltype(none)>;
        for (unsigned short slot = 0; slot < pool->get_object_count(); ++slot) {
            if (auto found = dynamic_cast<T*>(pool->get_table()[slot]))
                return found;
        }
        return static_cast<T*>(nullptr);
    };
    auto* container = first((Container_obj*)nullptr);
    auto* pointer = first((Object_pointer_obj*)nullptr);
    auto* number = first((Output_number_obj*)nullptr);
    auto* list = first((Input_list_obj*)nullptr);
    auto* output_string = first((Output_string_obj*)nullptr);
    auto* string = first((String_variable_obj*)nullptr);
    auto* input_string = first((Input_string_obj*)nullptr);
    auto* variable = first((Number_variable_obj*)nullptr);
    auto* mask = first((Data_mask_obj*)nullptr);
    auto* rectangle = first((Rectangle_obj*)nullptr);
    auto* input_number = dynamic_cast<Input_number_obj*>(pool->__find_object(10000));
    ASSERT_NE(input_number, nullptr);

    const struct Case {
        const char* what;
        std::function<void()> use;
    } cases[] = {
        {"container set_hidden", [&] { container->set_hidden(true); }},
        {"container get_hidden", [&] { container->get_hidden(); }},
        {"pointer set_value", [&] { pointer->set_value(256); }},
        {"pointer get_value", [&] { pointer->get_value(); }},
        {"output number set_value", [&] { number->set_value(5); }},
        {"output number get_value", [&] { number->get_value(); }},
        {"output number set_no_decimals", [&] { number->set_no_decimals(1); }},
        {"output number get_no_decimals", [&] { number->get_no_decimals(); }},
        {"input list set_child_objects_val", [&] { list->set_child_objects_val(0, 65535, false); }},
        {"input list get_item", [&] { list->get_item(0); }},
        {"input list set_value", [&] { list->set_value(1); }},
        {"input list get_value", [&] { list->get_value(); }},
        {"output string __set_string", [&] { output_string->__set_string("x"); }},
        {"output string get_value", [&] { output_string->get_value(); }},
        {"string variable __set_string", [&] { string->__set_string("x"); }},
        {"string variable get_value", [&] { string->get_value(); }},
        {"input string __set_string", [&] { input_string->__set_string("x"); }},
        {"input string get_value", [&] { input_string->get_value(); }},
        {"number variable set_value", [&] { variable->set_value(3); }},
        {"number variable get_value", [&] { variable->get_value(); }},
        {"data mask set_soft_key_mask", [&] { mask->set_soft_key_mask(270); }},
        {"data mask get_soft_key_mask", [&] { mask->get_soft_key_mask(); }},
        {"rectangle set_fill_attributes", [&] { rectangle->set_fill_attributes(264); }},
        {"rectangle get_fill_attributes", [&] { rectangle->get_fill_attributes(); }},
        {"input number set_value", [&] { input_number->set_value(9); }},
        {"input number get_value", [&] { input_number->get_value(); }},
    };
    Channels go_on("2b");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Debug_capture capture;
        c.use();
        EXPECT_EQ(capture.text(), bad_status_line(0, nullptr));
        capture.clear();
        pool->lock_pool();
        c.use();
        pool->unlock_pool();
        EXPECT_EQ(capture.text(), "");
    }
}

TEST(Pool_operations, run_time_setters_change_what_the_pool_sends)
{
    auto pool = std::make_unique<Test_pool>(nullptr, nullptr, 0);
    auto* title = dynamic_cast<Output_string_obj*>(pool->__find_object(1232));
    ASSERT_NE(title, nullptr);
    pool->lock_pool();
    title->__set_string("OK");
    pool->unlock_pool();
    const std::vector<uint8_t> image = pool->serialise();
    const std::vector<uint8_t> value = {5, 0, 'O', 'K', ' ', ' ', ' '};
    EXPECT_NE(std::search(image.begin(), image.end(), value.begin(), value.end()), image.end());
}

TEST(Pool_operations, extend_timeouts_for_the_slow_vt_maker_with_capability_8_or_on_channel_49)
{
    auto pool = std::make_unique<Seeder_pool>();
    auto name_of_maker = [](uint32_t code) { return ZEV_name::RAWNAME(uint64_t(code) << 21 | 12345u); };
    const struct Case {
        const char* what;
        bool vt_known;
        uint32_t maker;
        uint8_t capability;
        const char* channels;
        bool extended;
    } cases[] = {
        {"no VT yet", false, 0, 8, "", false},
        {"no VT yet, channel 49", false, 0, 0, "31", true},
        {"maker 102, capability 8", true, 102, 8, "", true},
        {"maker 102, capability 7", true, 102, 7, "", false},
        {"maker 102, capability 0", true, 102, 0, "", false},
        {"maker 101, capability 8", true, 101, 8, "", false},
        {"maker 103, capability 8", true, 103, 8, "", false},
        {"maker 5, channel 49", true, 5, 0, "31", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Channels channels(c.channels);
        pool->set_vt_name(c.vt_known ? name_of_maker(c.maker) : ZEV_name::RAWNAME::GLOBAL_NAME);
        Object_pool::vt_capabilities[1] = c.capability;
        EXPECT_EQ(pool->extend_timeouts(), c.extended);
    }
    Object_pool::vt_capabilities[1] = 0;
}

TEST(Pool_operations, status_timeout_and_disabled_state)
{
    auto pool = std::make_unique<Seeder_pool>();
    EXPECT_EQ(pool->server_status_timeout_ms(), 3500);
    EXPECT_FALSE(pool->force_disabled());
    for (int32_t state : {0, 1, -1, -2, 2}) {
        pool->set_state(state);
        EXPECT_EQ(pool->is_disabled(), state == -1) << state;
    }
}

TEST(Pool_operations, find_object_looks_up_a_name_under_the_lock_and_says_when_it_finds_nothing)
{
    auto pool = std::make_unique<Test_pool>(nullptr, nullptr, 0);
    const struct Case {
        const char* name;
        uint16_t id; // 65535: nothing found
        const char* said;
    } cases[] = {
        {"test_container", 1231, ""},
        {"vtui_picture_312", 312, ""},
        {"alarm_mask_NOT_HERE", 65535, "Could not find object alarm_mask_NOT_HERE\n"},
        {"", 65535, "Could not find object \n"},
        {"65535", 65535, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Debug_capture capture;
        VT_obj* found = pool->find_object(c.name, true);
        EXPECT_EQ(found ? found->get_id() : 65535, c.id);
        EXPECT_EQ(capture.text(), c.said);
        EXPECT_FALSE(pool->is_locked());
    }
}

class Pool_file : public ::testing::Test {
protected:
    Pool_file()
    {
        char name[] = "/tmp/kx4_vt_pool_XXXXXX";
        if (mkdtemp(name))
            root_ = name;
        setenv("KX4_ROOT", root_.c_str(), 1);
    }
    ~Pool_file() override
    {
        File_util::set_sync_function(nullptr);
        unsetenv("KX4_ROOT");
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::vector<uint8_t> file() const
    {
        std::ifstream in(Object_pool_base<VT_obj>::get_file_path(), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string root_;
};

TEST_F(Pool_file, the_file_holds_every_object_sent_once_by_id_with_one_working_set)
{
    auto pool = std::make_unique<Test_pool>(nullptr, nullptr, 0);
    const uint8_t built[] = {0x10, 0x27, 27, 0xCF, 0x04, 0x11, 0x27, 21, 9, 0, 0, 0}; // 10000, 10001
    Object_deserial loader;
    loader.init(pool.get());
    ASSERT_TRUE(loader.run(built, sizeof built));

    ASSERT_TRUE(pool->serialise_to_file());
    EXPECT_EQ(Object_pool_base<VT_obj>::get_file_path(), root_ + "/var/data/kx4/data/object_pool.iop");
    const std::vector<uint8_t> image = file();
    EXPECT_EQ(image, pool->serialise());

    // Read back: the common objects but the 38 named colours, the fixed ones
    // but the working set (passed over, and said), the two built ones.
    Object_pool scratch(nullptr, nullptr, 0);
    Object_deserial reader;
    reader.init(&scratch);
    Debug_capture capture;
    ASSERT_TRUE(reader.run(image.data(), image.size()));
    EXPECT_EQ(capture.text(), "VT object records: Working Set 1230 passed over, the pool has its own\n");
    EXPECT_EQ(scratch.get_loaded_count(), 935u + 4u + 2u);
    EXPECT_FALSE(scratch.holds(1191)); // the first named colour
    EXPECT_TRUE(scratch.holds(1190));
    EXPECT_TRUE(scratch.holds(10001));
    EXPECT_EQ(scratch.serialise().size(), image.size() - 16); // all but the working set's record
}

TEST_F(Pool_file, a_file_that_cannot_be_written_is_said_in_one_line_and_the_old_one_stays)
{
    auto pool = std::make_unique<Test_pool>(nullptr, nullptr, 0);
    ASSERT_TRUE(pool->serialise_to_file());
    const std::vector<uint8_t> good = file();
    const struct Case {
        const char* what;
        std::function<void()> spoil;
        const char* said;
    } cases[] = {
        {"the sync fails", [] { File_util::set_sync_function([](int) { return -1; }); },
         "Could not write the object pool: cannot sync "},
        {"a file stands where the folder should be",
         [this] {
             setenv("KX4_ROOT", (root_ + "/blocked").c_str(), 1);
             std::filesystem::create_directory(root_ + "/blocked");
             std::ofstream(root_ + "/blocked/var") << "x";
         },
         "Could not write the object pool: cannot make folder "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.spoil();
        Debug_capture capture;
        EXPECT_FALSE(pool->serialise_to_file());
        const std::string said = capture.text();
        EXPECT_EQ(said.rfind(c.said, 0), 0u) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
        File_util::set_sync_function(nullptr);
    }
    setenv("KX4_ROOT", root_.c_str(), 1);
    EXPECT_EQ(file(), good);
}

}
