#include "platform/iso/VT_Output_string_obj.h"
#include "tests/ui/Screen_rig.h"
#include "ui/screens/BlockedHeadDiagsMask.h"

#include <string>

namespace {

class Blocked_head_diags : public Screen_rig<BlockedHeadDiagsMask> {
protected:
    Blocked_head_diags()
        : Screen_rig("blocked_head_diags_mask")
    {
        std::vector<uint16_t> keys;
        for (Key_id* key : {&own.diags_key, &own.system_info_key, &own.main_key})
            keys.push_back(record(*key, pool->key()));
        record(own.mask, pool->data_mask(pool->soft_key_mask(keys)));
        for (auto& row : own.bit_rows)
            record(row, pool->output_string(8));
        add_target("main");
        add_target("actuator_diagnostics");
        add_target("system_info_mask");
    }
    // What the VT object of the row holds.
    std::string row(int r)
    {
        auto* text = pool->object<VT::Output_string_obj>(own.bit_rows[size_t(r)]);
        pool->lock_pool();
        std::string value = text ? std::string(text->get_value(), text->get_length()) : "";
        pool->unlock_pool();
        return value;
    }
    void report(int byte, uint8_t inputs) { head().set(body().monitor_ecus.monitor_inputs_active[byte], inputs); }

    Blocked_head_diags_ids& own = ids.blocked_head_diags;
};

}

TEST_F(Blocked_head_diags, each_row_shows_its_byte_with_the_highest_input_leftmost_after_the_next_second)
{
    start();
    // Row k shows the inputs 8k+1 to 8k+8 of byte k.
    const struct {
        uint8_t inputs[4];
        const char* shown[4];
    } cases[] = {
        {{0x01, 0x80, 0xA5, 0x00}, {"00000001", "10000000", "10100101", "00000000"}},
        {{0xFF, 0x00, 0x01, 0x80}, {"11111111", "00000000", "00000001", "10000000"}},
    };
    for (const auto& c : cases) {
        for (int r = 0; r < 4; ++r)
            report(r, c.inputs[r]);
        report(4, 0xFF); // inputs 33 to 40 are not shown
        advance(BlockedHeadDiagsMask::period_ms);
        for (int r = 0; r < 4; ++r) {
            EXPECT_EQ(row(r), c.shown[r]) << r;
            EXPECT_EQ(screen->inputs[size_t(r)].get_text(), c.shown[r]) << r;
        }
    }
}

TEST_F(Blocked_head_diags, the_rows_refresh_once_a_second_while_shown_and_never_while_hidden)
{
    report(0, 0x01);
    start();
    EXPECT_EQ(row(0), "00000001"); // read as the screen comes up
    report(0, 0x02);
    pump();
    EXPECT_EQ(row(0), "00000001"); // not before the second is up
    advance(BlockedHeadDiagsMask::period_ms);
    EXPECT_EQ(row(0), "00000010");

    press(own.main_key);
    ASSERT_TRUE(showing("main"));
    report(0, 0x04);
    advance(5 * BlockedHeadDiagsMask::period_ms);
    EXPECT_EQ(row(0), "00000010");
    EXPECT_EQ(screen->inputs[0].get_text(), "00000010");

    man().switch_to_screen("blocked_head_diags_mask");
    pump();
    EXPECT_EQ(row(0), "00000100");
    report(0, 0x08);
    advance(BlockedHeadDiagsMask::period_ms);
    EXPECT_EQ(row(0), "00001000");
}

TEST_F(Blocked_head_diags, the_keys_switch_to_their_screens)
{
    start();
    const std::pair<uint16_t, const char*> cases[] = {{own.main_key, "main"},
                                                      {own.diags_key, "actuator_diagnostics"},
                                                      {own.system_info_key, "system_info_mask"}};
    for (const auto& [key, target] : cases) {
        SCOPED_TRACE(target);
        man().switch_to_screen("blocked_head_diags_mask");
        pump();
        press(key);
        EXPECT_TRUE(showing(target));
    }
}
