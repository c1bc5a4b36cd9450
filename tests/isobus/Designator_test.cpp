#include "isobus/Cstring_designator.h"
#include "isobus/Literal_designator.h"

#include <gtest/gtest.h>

#include <string>

using namespace TC_client;

namespace {

// The bytes a designator gives for at most max bytes, in a buffer filled with '#'.
std::string utf8_of(const Designator& designator, int max, int* count = nullptr)
{
    char buffer[300];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    int n = designator.get_utf8("en", buffer, max);
    if (count)
        *count = n;
    return std::string(buffer, buffer + n + 1); // one byte more: shows there is no terminator
}

TEST(Designator, a_long_text_asked_for_eight_bytes_gives_eight_and_no_terminator)
{
    Literal_designator designator("Twenty characters!!!");
    int count = 0;
    EXPECT_EQ(utf8_of(designator, 8, &count), "Twenty c#");
    EXPECT_EQ(count, 8);
    EXPECT_EQ(utf8_of(designator, 32, &count), "Twenty characters!!!#");
    EXPECT_EQ(count, 20);
    EXPECT_EQ(utf8_of(designator, 0, &count), "#");
    EXPECT_EQ(utf8_of(designator, -1, &count), "#");
}

TEST(Designator, a_text_is_taken_modulo_256_bytes)
{
    std::string text(260, 'a');
    Literal_designator designator(text.c_str());
    int count = 0;
    utf8_of(designator, 300, &count);
    EXPECT_EQ(count, 4);
}

TEST(Designator, an_own_text_keeps_at_most_its_size)
{
    Cstring_designator<8> bin;
    bin.set("Bin 1");
    EXPECT_EQ(utf8_of(bin, 32), "Bin 1#");
    bin.set("Bin 1234567890");
    EXPECT_EQ(utf8_of(bin, 32), "Bin 1234#");

    Cstring_designator<33> condensed;
    condensed.set("Condensed Section Switch State 16 and more");
    EXPECT_EQ(utf8_of(condensed, 64), "Condensed Section Switch State 16#");
}

}
