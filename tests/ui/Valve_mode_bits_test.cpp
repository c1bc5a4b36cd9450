#include "ui/screens/Valve_mode_bits.h"

#include <gtest/gtest.h>

using namespace Valve_mode_bits;

TEST(Valve_mode_bits, each_edit_changes_only_its_own_bits)
{
    EXPECT_EQ(with_dump(33, 2), 225);
    EXPECT_EQ(with_dump(225, 1), 161);
    EXPECT_EQ(with_dump(161, 0), 33);
    EXPECT_EQ(with_flag(229, tank_clutch, false), 197);
    EXPECT_EQ(with_flag(0x0A, soft_stop, true), 0x0E) << "bits 1 and 3 kept";
    EXPECT_EQ(with_flag(0xFF, dither, false), 0xEF);
}

TEST(Valve_mode_bits, the_shown_items_of_a_byte)
{
    const struct {
        uint8_t mode;
        uint16_t dump, clutch, soft_start;
    } cases[] = {{32, 0, 1, 0}, {0x40, 0, 0, 0}, {0x80, 1, 0, 0}, {0xC1, 2, 0, 1}, {0, 0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.mode));
        EXPECT_EQ(dump_item(c.mode), c.dump);
        EXPECT_EQ(flag_item(c.mode, tank_clutch), c.clutch);
        EXPECT_EQ(flag_item(c.mode, soft_start), c.soft_start);
    }
}
