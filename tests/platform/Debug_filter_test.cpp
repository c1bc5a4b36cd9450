#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Debug_filter.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> enabled_ids()
{
    std::vector<int> ids;
    for (int i = 0; i < Debug_filter::count(); ++i)
        ids.push_back(Debug_filter::get(i));
    return ids;
}

class Debug_filter_test : public ::testing::Test {
protected:
    ~Debug_filter_test() override { Debug_filter::parse(""); }
};

TEST_F(Debug_filter_test, parse_enables_the_hex_pairs_of_the_text)
{
    struct Case { const char* text; std::vector<int> ids; const char* printed; };
    const Case cases[] = {
        {"0a0B", {0x0a, 0x0b}, "add 0xa\nadd 0xb\n"},
        {"0a0", {0x0a}, "add 0xa\n"},           // a lone last digit is ignored
        {"zz", {}, ""},                         // nothing readable
        {"0a00ff", {0x0a, 0xff}, "add 0xa\nadd 0xff\n"}, // "00" is skipped
        {"08 2e", {0x08}, "add 0x8\n"},         // stops at the first non-hex character
        {"08\n2e", {0x08}, "add 0x8\n"},        // and at a line end
        {"0808", {0x08}, "add 0x8\nadd 0x8\n"}, // an id is kept once
        {"", {}, ""},
    };
    for (const Case& c : cases) {
        Debug_filter::add(0x55); // parse starts from an empty set
        Debug_capture capture;
        Debug_filter::parse(c.text);
        EXPECT_EQ(enabled_ids(), c.ids) << c.text;
        EXPECT_EQ(capture.text(), c.printed) << c.text;
    }
}

TEST_F(Debug_filter_test, parse_ignores_what_follows_the_twelfth_id_with_a_warning)
{
    Debug_capture capture;
    Debug_filter::parse("0102030405060708090a0b0c0d0e");
    EXPECT_EQ(Debug_filter::count(), 12);
    EXPECT_EQ(Debug_filter::get(11), 0x0c);
    EXPECT_FALSE(Debug_filter::is_enabled(0x0d));
    EXPECT_NE(capture.text().find("WARNING: IGNORING DEBUG OPTIONS '0d0e'!\n"), std::string::npos);
}

TEST_F(Debug_filter_test, add_moves_an_id_to_the_end_and_refuses_a_thirteenth)
{
    Debug_filter::parse("010203");
    EXPECT_TRUE(Debug_filter::add(1));
    EXPECT_EQ(enabled_ids(), (std::vector<int>{2, 3, 1}));
    EXPECT_FALSE(Debug_filter::add(0));
    for (int id = 4; id <= 12; ++id)
        EXPECT_TRUE(Debug_filter::add(uint8_t(id)));
    EXPECT_FALSE(Debug_filter::add(13));
    EXPECT_TRUE(Debug_filter::add(2)); // present ids still move when full
    EXPECT_EQ(Debug_filter::get(11), 2);
}

TEST_F(Debug_filter_test, remove_closes_the_gap)
{
    Debug_filter::parse("010203");
    EXPECT_TRUE(Debug_filter::remove(2));
    EXPECT_FALSE(Debug_filter::remove(2));
    EXPECT_EQ(enabled_ids(), (std::vector<int>{1, 3}));
    EXPECT_EQ(Debug_filter::get(2), 0);
    EXPECT_EQ(Debug_filter::get(-1), 0);
}

TEST_F(Debug_filter_test, dprint_prints_only_for_an_enabled_id)
{
    Debug_filter::parse("08");
    Debug_capture capture;
    EXPECT_EQ(Debug_filter::dprint(0x09, "hidden %d\n", 1), 0);
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(Debug_filter::dprint(0x08, "shown %d\n", 2), 8);
    EXPECT_EQ(capture.text(), "shown 2\n");
}

TEST_F(Debug_filter_test, dprint_cuts_a_long_text_at_255_characters)
{
    Debug_filter::parse("08");
    Debug_capture capture;
    std::string long_text(400, 'x');
    Debug_filter::dprint(0x08, "%s", long_text.c_str());
    EXPECT_EQ(capture.text(), std::string(255, 'x'));
}

TEST_F(Debug_filter_test, debug_channels_follow_the_filter_text)
{
    Debug_base::set_filters("7a08");
    Debug_capture capture;
    Debug_base::print(122, "comms %d\n", 1);
    Debug_base::print(46, "diagnostics\n");
    Debug_print::printd(8, "startup\n");
    Debug_print::printd(-1, "always\n");
    Debug_print::dprint("plain\n");
    EXPECT_EQ(capture.text(), "comms 1\nstartup\nalways\nplain\n");
    EXPECT_FALSE(Debug_base::enabled(0));
    EXPECT_FALSE(Debug_base::enabled(256 + 8));
}

}
