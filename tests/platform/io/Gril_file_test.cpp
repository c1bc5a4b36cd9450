// Gril records in files of the persistent file space.
#include "platform/io/Gril_message.h"
#include "platform/io/Gril_parser.h"
#include "platform/io/PCFile_data_stream.h"
#include "platform/io/pcf_files.h"
#include "tests/control_logic/Temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes make(const char* type, size_t length, uint8_t fill)
{
    Gril_message m(length);
    std::memset(m.data(), fill, length);
    EXPECT_TRUE(m.setup(type, length));
    m.set_checksum();
    return Bytes(m.data(), m.data() + length);
}

class Pcf_folder : public testing::Test {
protected:
    Pcf_folder() { setenv("KX4_ROOT", root.path().c_str(), 1); }
    ~Pcf_folder() override { unsetenv("KX4_ROOT"); }

    void write(const char* name, const Bytes& bytes)
    {
        PCFile_data_stream file;
        ASSERT_TRUE(file.open_write(name, PCFile_data_stream::append_create)) << file.get_error();
        ASSERT_TRUE(file.__write(bytes.data(), bytes.size()));
        ASSERT_TRUE(file.close());
    }
    Bytes contents(const char* name)
    {
        std::ifstream in(pcf_path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    Temp_folder root;
};

TEST(Gril_message, validates_its_type_length_and_checksum)
{
    Gril_message m(16);
    EXPECT_FALSE(m.setup("SP", 17)) << "longer than the buffer";
    EXPECT_FALSE(m.setup("SP", 5)) << "no room for the checksum";
    EXPECT_FALSE(m.setup("S", 16));
    ASSERT_TRUE(m.setup("SP", 16));
    m.data()[7] = 0x42;
    m.set_checksum();
    EXPECT_TRUE(m.validate("SP"));
    EXPECT_FALSE(m.validate("RR"));
    m.data()[8] ^= 1;
    EXPECT_FALSE(m.validate("SP")) << "a changed byte";
}

TEST_F(Pcf_folder, the_file_space_is_a_folder_under_the_data_folder_made_when_first_asked)
{
    EXPECT_EQ(pcf_folder(), root.path() + "/var/data/kx4/data/pcf/");
    EXPECT_TRUE(pcfIsMounted(nullptr));
    EXPECT_FALSE(pcfExists("a.dat"));
    write("a.dat", {1, 2});
    EXPECT_TRUE(pcfExists("a.dat"));
    EXPECT_TRUE(pcfRemove("a.dat"));
    EXPECT_FALSE(pcfExists("a.dat"));
    EXPECT_TRUE(pcfRemove("a.dat")) << "gone is gone";
}

TEST_F(Pcf_folder, writing_appends_creates_or_starts_afresh_as_its_mode_says)
{
    ASSERT_TRUE(pcfIsMounted(nullptr));
    PCFile_data_stream file;
    EXPECT_FALSE(file.open_write("b.dat", PCFile_data_stream::append)) << "not there and not to be created";
    EXPECT_STRNE(file.get_error(), "");
    write("b.dat", {1, 2});
    write("b.dat", {3});
    EXPECT_EQ(contents("b.dat"), (Bytes{1, 2, 3}));
    ASSERT_TRUE(file.open_write("b.dat", PCFile_data_stream::create));
    ASSERT_TRUE(file.__write(Bytes{9}.data(), 1));
    ASSERT_TRUE(file.close());
    EXPECT_EQ(contents("b.dat"), (Bytes{9}));
    EXPECT_FALSE(file.open_read("missing.dat", PCFile_data_stream::append_create));
}

TEST_F(Pcf_folder, replace_puts_the_whole_file_in_place)
{
    ASSERT_TRUE(pcfIsMounted(nullptr));
    write("c.dat", {1, 2, 3});
    ASSERT_TRUE(pcfReplace("c.dat", Bytes{7, 8}.data(), 2));
    EXPECT_EQ(contents("c.dat"), (Bytes{7, 8}));
}

TEST_F(Pcf_folder, the_parser_reads_every_record_of_a_file_longer_than_the_stream_buffer)
{
    ASSERT_TRUE(pcfIsMounted(nullptr));
    Bytes all;
    for (int i = 0; i < 1000; ++i) {
        const Bytes r = make(i % 2 ? "SP" : "RR", 16 + i % 7, uint8_t(i));
        all.insert(all.end(), r.begin(), r.end());
    }
    write("d.dat", all);
    PCFile_data_stream file;
    ASSERT_TRUE(file.open_read("d.dat", PCFile_data_stream::append_create));
    Gril_parser parser(file);
    uint8_t packet[Gril_parser::max_packet];
    int count = 0;
    for (int n; (n = parser.get_packet(packet, sizeof packet)) != 0;) {
        ASSERT_EQ(n, 16 + count % 7) << count;
        ASSERT_EQ(packet[6], uint8_t(count));
        ++count;
    }
    EXPECT_EQ(count, 1000);
    EXPECT_GT(all.size(), file.get_capacity());
}

TEST_F(Pcf_folder, the_parser_passes_over_a_record_longer_than_asked_for_and_bytes_that_begin_none)
{
    ASSERT_TRUE(pcfIsMounted(nullptr));
    const Bytes big = make("XX", 301, 0x11), small = make("SP", 16, 0x22);
    Bytes all{0x00, 0xA5, 0x01};
    all.insert(all.end(), big.begin(), big.end());
    all.insert(all.end(), small.begin(), small.end());
    write("e.dat", all);
    PCFile_data_stream file;
    ASSERT_TRUE(file.open_read("e.dat", 0));
    Gril_parser parser(file);
    uint8_t packet[Gril_parser::max_packet];
    int skipped = 0, n;
    while ((n = parser.get_packet(packet, sizeof packet)) < 0)
        ++skipped;
    EXPECT_EQ(n, 16);
    EXPECT_EQ(packet[5], 0x22);
    EXPECT_EQ(skipped, int(all.size() - small.size()));
    EXPECT_EQ(parser.get_packet(packet, sizeof packet), 0);
}

}
