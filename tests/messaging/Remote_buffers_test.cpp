#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Remote_send_buffer, skips_the_first_bytes_keeps_what_fits_and_goes_back_to_a_mark)
{
    struct Case {
        unsigned capacity, skip;
        std::string kept;
        bool whole;
    } cases[] = {
        {20, 0, "1:2:abc,5:6:de", true},
        {20, 3, ":abc,5:6:de", true},
        {20, 9, ":6:de", true},
        {20, 14, "", true},
        {20, 40, "", true},
        {5, 0, "1:2:a", false},
        {5, 4, "abc,5", false},
        {0, 0, "", false},
    };
    for (const Case& c : cases) {
        char out[32] = {};
        CDS::Remote::Send_buffer buffer(reinterpret_cast<uint8_t*>(out), c.capacity, c.skip);
        bool whole = buffer.append_text("1:2:abc") && buffer.append_text(",") && buffer.append_text("5:6:de");
        EXPECT_EQ(whole, c.whole) << c.capacity << "/" << c.skip;
        EXPECT_EQ(std::string(out, buffer.size()), c.kept) << c.capacity << "/" << c.skip;
    }

    uint8_t out[6] = {};
    CDS::Remote::Send_buffer buffer(out, sizeof out);
    ASSERT_TRUE(buffer.append(uint16_t(0x0102)));
    auto mark = buffer.mark();
    EXPECT_FALSE(buffer.append(uint64_t(1)));
    buffer.rewind(mark);
    EXPECT_EQ(buffer.size(), 2u);
    EXPECT_TRUE(buffer.append(-1.0f));
    EXPECT_EQ(buffer.size(), 6u);
    EXPECT_EQ(out[0], 0x02);
    EXPECT_EQ(out[5], 0xBF);
}

TEST(Remote_receive_buffer, pops_values_whole_and_never_past_the_end)
{
    const uint8_t bytes[] = {0x02, 0x34, 0x12, 0x00, 0x00, 0xC0, 0x3F, 0xFF};
    CDS::Remote::Receive_buffer buffer(bytes, sizeof bytes);
    bool flag = false;
    uint16_t u16 = 0;
    float f = 0;
    uint16_t rest = 0;
    EXPECT_TRUE(buffer.pop(flag));
    EXPECT_TRUE(flag) << "any byte but 0 is true";
    EXPECT_TRUE(buffer.pop(u16));
    EXPECT_EQ(u16, 0x1234);
    EXPECT_TRUE(buffer.pop(f));
    EXPECT_EQ(f, 1.5f);
    EXPECT_FALSE(buffer.pop(rest)) << "one byte left";
    EXPECT_EQ(buffer.remaining(), 1u);
}

TEST(Remote_receive_buffer, reads_the_tokens_of_a_description)
{
    const std::string text = "1:1F:remote{4:a:x},41:ffffffff1:y";
    CDS::Remote::Receive_buffer buffer(reinterpret_cast<const uint8_t*>(text.data()), unsigned(text.size()));
    uint32_t type = 0, id = 0;
    char name[8];
    ASSERT_TRUE(buffer.pop_hex(type) && buffer.pop_if(':') && buffer.pop_hex(id) && buffer.pop_if(':'));
    EXPECT_EQ(type, 1u);
    EXPECT_EQ(id, 0x1Fu);
    ASSERT_TRUE(buffer.pop_token(name, sizeof name, "{},"));
    EXPECT_STREQ(name, "remote");
    EXPECT_EQ(buffer.peek(), '{');
    EXPECT_FALSE(buffer.pop_if('}'));
    EXPECT_TRUE(buffer.pop_if('{'));
    ASSERT_TRUE(buffer.pop_hex(type) && buffer.pop_if(':') && buffer.pop_hex(id) && buffer.pop_if(':'));
    EXPECT_TRUE(buffer.pop_token(name, 2, "{},")) << "one character and its terminator";
    EXPECT_TRUE(buffer.pop_if('}') && buffer.pop_if(','));
    EXPECT_FALSE(buffer.pop_token(name, 2, ":")) << "a longer token does not fit";
    uint32_t big = 0;
    CDS::Remote::Receive_buffer nine(reinterpret_cast<const uint8_t*>("ffffffff1"), 9);
    EXPECT_FALSE(nine.pop_hex(big)) << "more than 32 bits";
    CDS::Remote::Receive_buffer none(reinterpret_cast<const uint8_t*>(":"), 1);
    EXPECT_FALSE(none.pop_hex(big));
    CDS::Remote::Receive_buffer empty(nullptr, 0);
    EXPECT_EQ(empty.peek(), 0);
}

}
