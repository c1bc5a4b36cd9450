#include "app/preferred_address.h"
#include "app/slave_version.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

namespace {

TEST(Preferred_address, the_null_and_global_addresses_give_144_and_say_so)
{
    const struct {
        uint8_t stored;
        uint8_t claimed;
        const char* said;
    } cases[] = {
        {0, 0, ""},
        {143, 143, ""},
        {144, 144, ""},
        {253, 253, ""},
        {254, 144, "Reset app address: 254 to 144\n"},
        {255, 144, "Reset app address: 255 to 144\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.stored));
        Debug_capture capture;
        EXPECT_EQ(preferred_address(c.stored), c.claimed);
        EXPECT_EQ(capture.text(), c.said);
    }
}

TEST(Slave_version, any_text_gives_three_numbers_of_0_to_255)
{
    const struct {
        const char* text;
        int major, minor, patch;
    } cases[] = {
        {"1.2.3", 1, 2, 3},
        {"10.0.255", 10, 0, 255},
        {"256.1000.99999999999999999999", 255, 255, 255},
        {"1.2", 1, 2, 0},
        {"7", 7, 0, 0},
        {"", 0, 0, 0},
        {nullptr, 0, 0, 0},
        {"1..3", 1, 0, 3},
        {"a.2.3", 0, 2, 3},
        {"1.2b.3", 1, 0, 3},
        {"-1.+2. 3", 0, 0, 0},
        {"1.2.3.4", 1, 2, 3},
        {"...", 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        ds_version version = parse_slave_version(c.text);
        EXPECT_EQ(version.v_major, c.major);
        EXPECT_EQ(version.v_minor, c.minor);
        EXPECT_EQ(version.v_patch, c.patch);
    }
}

}
