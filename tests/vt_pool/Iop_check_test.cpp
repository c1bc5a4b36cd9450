// The independent pool checker on hand-made pools: a sound one, what it
// keeps of each object, and damaged copies that each fail on the right
// object.
#include "tests/support/Iop_check.h"
#include "tests/support/Iop_records.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

using Records = std::map<uint16_t, iop::Bytes>;
using iop::none;

std::string listing(const Iop_check& check)
{
    std::string text;
    for (const auto& error : check.errors())
        text += std::to_string(error.object) + " (parent " + std::to_string(error.parent) + ", code " +
                std::to_string(error.code) + "): " + error.text + "\n";
    return text;
}

TEST(Iop_check, finds_the_sample_pool_sound_and_counts_each_type)
{
    const Iop_check check(iop::join(iop::sample_pool()));
    EXPECT_TRUE(check.sound()) << listing(check);
    EXPECT_EQ(check.working_set(), 0);
    EXPECT_EQ(check.objects().size(), 27u);
    EXPECT_EQ(check.summary(), "  0 Working Set: 1\n"
                               "  1 Data Mask: 1\n"
                               "  3 Container: 1\n"
                               "  4 Soft Key Mask: 1\n"
                               "  5 Key: 2\n"
                               " 10 Input List: 1\n"
                               " 11 Output String: 5\n"
                               " 12 Output Number: 1\n"
                               " 13 Output Line: 1\n"
                               " 14 Output Rectangle: 1\n"
                               " 20 Picture Graphic: 2\n"
                               " 21 Number Variable: 2\n"
                               " 22 String Variable: 1\n"
                               " 23 Font Attributes: 2\n"
                               " 24 Line Attributes: 1\n"
                               " 25 Fill Attributes: 1\n"
                               " 27 Object Pointer: 2\n"
                               " 28 Macro: 1\n");
}

TEST(Iop_check, keeps_what_a_vt_needs_to_change_each_object)
{
    const Iop_check check(iop::join(iop::sample_pool()));
    ASSERT_TRUE(check.find(0) && check.find(1000) && check.find(3000) && check.find(10000) && check.find(12000) &&
                check.find(22000) && check.find(21000) && check.find(27001));
    EXPECT_EQ(check.find(0)->active_mask, 1000);
    EXPECT_EQ(check.find(1000)->soft_key_mask, 4000);
    EXPECT_EQ(check.find(1000)->children.size(), 6u);
    EXPECT_EQ(check.find(1000)->children[1].id, 12000);
    EXPECT_EQ(check.find(1000)->children[1].x, 10);
    EXPECT_EQ(check.find(1000)->children[1].y, 40);
    EXPECT_TRUE(check.find(3000)->hidden);
    EXPECT_EQ(check.find(12000)->variable, 21000);
    EXPECT_EQ(check.find(21000)->value, 1234u);
    EXPECT_EQ(check.find(22000)->text, "abc");
    EXPECT_EQ(check.find(11000)->text, "Tank 1");
    EXPECT_EQ(check.find(10000)->variable, 21001);
    EXPECT_TRUE(check.find(10000)->enabled);
    ASSERT_EQ(check.find(10000)->children.size(), 3u);
    EXPECT_EQ(check.find(10000)->children[2].id, none);
    EXPECT_EQ(check.find(27001)->value, 5001u);
    const Records sample = iop::sample_pool();
    EXPECT_EQ(check.find(1000)->offset, sample.at(0).size() + sample.at(1).size());
}

struct Damage {
    const char* name;
    std::function<void(Records&)> apply_records; // or
    std::function<void(iop::Bytes&)> apply_bytes;
    uint16_t object;
    uint16_t parent;
    Iop_check::Code code;
};

TEST(Iop_check, fails_each_damaged_copy_on_the_faulty_object)
{
    using namespace iop;
    const auto records = [](std::function<void(Records&)> change) { return change; };
    const Damage damages[] = {
        {"a child the pool does not hold", records([](Records& p) {
             p[1000] = data_mask(1000, 4000, {{3000, 0, 0}, {12999, 10, 40}, {10000, 10, 80}, {27000, 10, 140}});
         }),
         nullptr, 12999, 1000, Iop_check::missing_object},
        {"a font as a child of a mask",
         records([](Records& p) { p[1000] = data_mask(1000, 4000, {{23000, 0, 0}, {3000, 0, 0}}); }), nullptr,
         23000, 1000, Iop_check::other_error},
        {"a child 65535", records([](Records& p) { p[1000] = data_mask(1000, 4000, {{none, 0, 0}}); }), nullptr,
         1000, 0, Iop_check::other_error},
        {"a Container in a Key holding an Input List, which a Key may not show",
         records([](Records& p) {
             p[5000] = key(5000, 1, {{3000, 0, 0}});
             p[3000] = container(3000, false, {{10000, 0, 0}});
         }),
         nullptr, 10000, 3000, Iop_check::other_error},
        {"a Container holding itself",
         records([](Records& p) { p[3000] = container(3000, false, {{11000, 5, 5}, {3000, 0, 0}}); }), nullptr,
         3000, 3000, Iop_check::other_error},
        {"a Soft Key Mask listing a string", records([](Records& p) { p[4000] = soft_key_mask(4000, {11000}); }),
         nullptr, 11000, 4000, Iop_check::other_error},
        {"a pointer in a Soft Key Mask aimed at a string",
         records([](Records& p) { p[27001] = object_pointer(27001, 11000); }), nullptr, 11000, 27001,
         Iop_check::other_error},
        {"a pointer in a mask aimed at nothing", records([](Records& p) { p[27000] = object_pointer(27000, 11999); }),
         nullptr, 11999, 27000, Iop_check::missing_object},
        {"an active mask that is a font", records([](Records& p) { p[0] = working_set(0, 23000, {}); }), nullptr,
         23000, 0, Iop_check::other_error},
        {"an active mask the pool does not hold", records([](Records& p) { p[0] = working_set(0, 1001, {}); }),
         nullptr, 1001, 0, Iop_check::missing_object},
        {"no active mask", records([](Records& p) { p[0] = working_set(0, none, {}); }), nullptr, 0, none,
         Iop_check::other_error},
        {"a soft-key mask that is a Key",
         records([](Records& p) { p[1000] = data_mask(1000, 5000, {{12000, 10, 40}}); }), nullptr, 5000, 1000,
         Iop_check::other_error},
        {"a font that is line attributes",
         records([](Records& p) { p[12000] = output_number(12000, 24000, 21000, 0); }), nullptr, 24000, 12000,
         Iop_check::other_error},
        {"no font", records([](Records& p) { p[12000] = output_number(12000, none, 21000, 0); }), nullptr, 12000,
         1000, Iop_check::other_error},
        {"a number shown from a String Variable",
         records([](Records& p) { p[12000] = output_number(12000, 23001, 22000, 0); }), nullptr, 22000, 12000,
         Iop_check::other_error},
        {"line attributes that are a fill", records([](Records& p) { p[13000] = output_line(13000, 25000, 0); }),
         nullptr, 25000, 13000, Iop_check::other_error},
        {"a fill pattern that is a font", records([](Records& p) { p[25000] = fill_attributes(25000, 3, 23000); }),
         nullptr, 23000, 25000, Iop_check::other_error},
        {"a pattern fill without a pattern", records([](Records& p) { p[25000] = fill_attributes(25000, 3, none); }),
         nullptr, 25000, 14000, Iop_check::other_error},
        {"a macro the pool does not hold",
         records([](Records& p) { p[1000] = data_mask(1000, 4000, {{12000, 10, 40}}, {7}); }), nullptr, 7, 1000,
         Iop_check::missing_object},
        {"font size 15", records([](Records& p) { p[23000] = font(23000, 15); }), nullptr, 23000, 11000,
         Iop_check::other_error},
        {"fill type 4", records([](Records& p) { p[25000] = fill_attributes(25000, 4, 20001); }), nullptr, 25000,
         14000, Iop_check::other_error},
        {"line direction 2", records([](Records& p) { p[13000] = output_line(13000, 24000, 2); }), nullptr, 13000,
         1000, Iop_check::other_error},
        {"picture format 3", records([](Records& p) { p[20000] = picture(20000, 8, 2, 3, 0x04, {8, 1, 8, 2}); }),
         nullptr, 20000, 0, Iop_check::other_error},
        {"runs one byte short", records([](Records& p) { p[20000] = picture(20000, 8, 2, 2, 0x04, {8, 1, 7, 2}); }),
         nullptr, 20000, 0, Iop_check::other_error},
        {"a run of length 0",
         records([](Records& p) { p[20000] = picture(20000, 8, 2, 2, 0x04, {8, 1, 0, 3, 8, 2}); }), nullptr, 20000,
         0, Iop_check::other_error},
        {"a monochrome row without its padding byte",
         records([](Records& p) { p[20001] = picture(20001, 10, 2, 0, 0x00, {0xFF, 0xC0, 0x00}); }), nullptr, 20001,
         25000, Iop_check::other_error},
        {"an Input List index past its items",
         records([](Records& p) { p[10000] = input_list(10000, none, 3, {11003, 11004, none}); }), nullptr, 10000,
         1000, Iop_check::other_error},
        {"a second Working Set", records([](Records& p) { p[2] = working_set(2, 1000, {}); }), nullptr, 2, none,
         Iop_check::other_error},
        {"no Working Set", records([](Records& p) { p.erase(0); }), nullptr, none, none, Iop_check::other_error},
        {"an object type a version 3 VT does not know", records([](Records& p) { p[40000] = Record(40000, 34); }),
         nullptr, 40000, none, Iop_check::unsupported},
        {"an ID given twice",
         nullptr, [](Bytes& pool) {
             const Bytes again = number_variable(21000, 7);
             pool.insert(pool.end(), again.begin(), again.end());
         },
         21000, 12000, Iop_check::other_error},
        {"ID 65535",
         nullptr, [](Bytes& pool) {
             const Bytes variable = number_variable(none, 7);
             pool.insert(pool.end(), variable.begin(), variable.end());
         },
         none, none, Iop_check::other_error},
        {"the last record cut", nullptr, [](Bytes& pool) { pool.pop_back(); }, 27001, 4000,
         Iop_check::other_error},
        {"a record cut before its string", nullptr,
         [](Bytes& pool) {
             const Bytes cut = output_string(11005, 23000, "Barley");
             pool.insert(pool.end(), cut.begin(), cut.end() - 4);
         },
         11005, none, Iop_check::other_error},
        {"a byte after the last record", nullptr, [](Bytes& pool) { pool.push_back(0x10); }, 27001, 4000,
         Iop_check::other_error},
        {"a record that ends after its ID", nullptr, [](Bytes& pool) { pool.insert(pool.end(), {0x15, 0x2B}); },
         11029, none, Iop_check::other_error},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        Records pool_records = iop::sample_pool();
        if (damage.apply_records)
            damage.apply_records(pool_records);
        iop::Bytes pool = iop::join(pool_records);
        if (damage.apply_bytes)
            damage.apply_bytes(pool);
        const Iop_check check(pool);
        if (check.sound()) {
            ADD_FAILURE() << "found sound";
            continue;
        }
        const Iop_check::Error& first = check.errors().front();
        EXPECT_EQ(first.object, damage.object) << listing(check);
        EXPECT_EQ(first.parent, damage.parent) << listing(check);
        EXPECT_EQ(first.code, damage.code) << listing(check);
    }
}

TEST(Iop_check, reads_every_object_type_of_a_version_3_vt_to_its_end)
{
    using iop::Record;
    // The types the sample does not hold, each followed by a Number Variable
    // that is read only when the record before it is read exactly.
    const iop::Bytes records[] = {
        Record(100, 2).u8(0).u16(0xFFFF).u8(1).u8(3).u8(1).u8(0).children({{200, 0, 0}}),        // Alarm Mask
        Record(101, 6).u16(40).u16(20).u8(0).u8(1).u8(5).u8(0).u8(0).u8(0),                       // Button
        Record(102, 7).u8(0).u16(20).u16(23000).u16(0xFFFF).u8(1).u8(1).u8(0),                    // Input Boolean
        Record(103, 8).u16(80).u16(16).u8(0).u16(23000).u16(109).u8(0).u16(0xFFFF).u8(0).u8(3).text("abc").u8(1)
            .u8(0),                                                                                // Input String
        Record(104, 9).u16(60).u16(16).u8(0).u16(23000).u8(0).u16(0xFFFF).u32(5).u32(0).u32(10).u32(0).u32(0x3F800000)
            .u8(0).u8(0).u8(0).u8(0).u8(0),                                                        // Input Number
        Record(105, 15).u16(24000).u16(30).u16(30).u8(0).u8(0).u8(180).u16(0xFFFF).u8(0),         // Ellipse
        Record(106, 16).u16(30).u16(30).u16(24000).u16(0xFFFF).u8(0).u8(3).u8(0).u32(0).u32(30).u32(30 << 16),
        Record(107, 17).u16(60).u8(0).u8(1).u8(2).u8(0).u8(5).u8(0).u8(180).u16(0).u16(100).u16(0xFFFF).u16(50).u8(0),
        Record(108, 18).u16(60).u16(10).u8(0).u8(1).u8(0).u8(5).u16(0).u16(100).u16(0xFFFF).u16(50).u16(0xFFFF)
            .u16(75).u8(0),                                                                        // Linear Bar Graph
        Record(109, 26).u8(0).u8(4).text("0123").u8(0),                                           // Input Attributes
        Record(110, 19).u16(60).u16(60).u8(0).u8(1).u8(0).u8(0).u8(180).u16(8).u16(0).u16(100).u16(0xFFFF).u16(50)
            .u16(0xFFFF).u16(75).u8(0),                                                            // Arched Bar Graph
        Record(111, 29).u8(0).u8(1).u8(1).children({{11000, 0, 0}}),                              // Auxiliary Function
        Record(112, 30).u8(0).u8(2).u8(1).u8(1).children({{11000, 0, 0}}),                        // Auxiliary Input
        Record(113, 31).u8(0).u8(0x21).u8(1).children({{11000, 0, 0}}),                           // Auxiliary Function 2
        Record(114, 32).u8(0).u8(0).u8(0),                                                         // Auxiliary Input 2
        Record(115, 33).u8(0).u16(113),                                                            // designator pointer
    };
    Records pool = iop::sample_pool();
    pool[200] = iop::output_string(200, 23000, "Alarm");
    uint16_t variable = 60000;
    iop::Bytes bytes = iop::join(pool);
    for (const iop::Bytes& record : records) {
        bytes.insert(bytes.end(), record.begin(), record.end());
        const iop::Bytes after = iop::number_variable(variable++, 0);
        bytes.insert(bytes.end(), after.begin(), after.end());
    }
    const Iop_check check(bytes);
    EXPECT_TRUE(check.sound()) << listing(check);
    EXPECT_EQ(check.objects().size(), pool.size() + 2 * std::size(records));
    ASSERT_TRUE(check.find(102) && check.find(103) && check.find(104) && check.find(107));
    EXPECT_EQ(check.find(102)->value, 1u);
    EXPECT_EQ(check.find(103)->text, "abc");
    EXPECT_EQ(check.find(104)->value, 5u);
    EXPECT_FALSE(check.find(104)->enabled);
    EXPECT_EQ(check.find(107)->value, 50u);
}

// The program on a file: the counts, each fault with its object, the exit status.
class Iop_check_program : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kx4_iop_check_XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern));
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string write(const char* name, const iop::Bytes& bytes)
    {
        const std::string path = folder_ + "/" + name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    std::string folder_;
};

TEST_F(Iop_check_program, prints_the_counts_and_each_fault_and_says_so_in_its_status)
{
    const iop::Bytes sound = iop::join(iop::sample_pool());
    Spawned_process good({IOP_CHECK_PROGRAM, write("sound.iop", sound)});
    EXPECT_EQ(good.wait_for_exit(60000), 0) << good.output();
    EXPECT_NE(good.output().find("27 objects in " + std::to_string(sound.size()) + " bytes\n"), std::string::npos)
        << good.output();
    EXPECT_NE(good.output().find("  1 Data Mask: 1\n"), std::string::npos) << good.output();
    EXPECT_NE(good.output().find("sound.iop: sound\n"), std::string::npos) << good.output();

    Records damaged = iop::sample_pool();
    damaged[23000] = iop::font(23000, 15);
    Spawned_process bad({IOP_CHECK_PROGRAM, write("damaged.iop", iop::join(damaged))});
    EXPECT_EQ(bad.wait_for_exit(60000), 1) << bad.output();
    EXPECT_NE(bad.output().find("object 23000, parent 11000, code 4: font size 15 is above 14\n"), std::string::npos)
        << bad.output();
    EXPECT_NE(bad.output().find("damaged.iop: 1 fault\n"), std::string::npos) << bad.output();

    Spawned_process missing({IOP_CHECK_PROGRAM, folder_ + "/none.iop"});
    EXPECT_EQ(missing.wait_for_exit(60000), 2) << missing.output();
    Spawned_process usage({IOP_CHECK_PROGRAM});
    EXPECT_EQ(usage.wait_for_exit(60000), 2) << usage.output();
}

}
