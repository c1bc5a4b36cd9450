#include "platform/iso/VT_Output_string_obj.h"
#include "tests/ui/Screen_rig.h"
#include "ui/screens/SystemInfoMask.h"

#include <cstring>

namespace {

class System_info : public Screen_rig<SystemInfoMask> {
protected:
    System_info()
        : Screen_rig("system_info_mask")
    {
        std::vector<uint16_t> keys;
        for (Key_id* key : {&own.diags_key, &own.main_key})
            keys.push_back(record(*key, pool->key()));
        record(own.mask, pool->data_mask(pool->soft_key_mask(keys)));
        const uint16_t lengths[] = {20, 12, 12};
        for (size_t i = 0; i < own.value_labels.size(); ++i)
            record(own.value_labels[i], pool->output_string(lengths[i]));
        // Started on "main", so that each test brings the screen up itself.
        Blank_screen* home = &add_target("main");
        iface.on_setup = [home](VT::vtui_pool&, UI::Setup_config& config) { config.home = home; };
        add_target("actuator_diagnostics");
        screen->use_interface("lo");
    }

    void show_screen()
    {
        man().switch_to_screen("system_info_mask");
        pump();
    }
    // What the VT shows in the line, without its padding.
    std::string shown(int line)
    {
        auto* text = pool->object<VT::Output_string_obj>(own.value_labels[line]);
        pool->lock_pool();
        std::string value(text->get_value(), text->get_length());
        pool->unlock_pool();
        return value.substr(0, value.find_last_not_of(' ') + 1);
    }
    void set_firmware(const char* text, size_t length)
    {
        ds_firmware_version firmware{};
        std::memcpy(firmware.string, text, length);
        head().set(body().system.firmware_version, firmware);
    }
    static ds_version version(uint8_t major, uint8_t minor, uint8_t patch = 0) { return {major, minor, patch}; }

    System_info_ids& own = ids.system_info;
};

}

TEST_F(System_info, the_version_lines_show_what_each_ecu_reported_and_n_a_for_none)
{
    const struct {
        const char* firmware; // stored with its terminator
        ds_version bridge, first_drive, second_drive;
        const char* firmware_line;
        const char* drive_line;
    } cases[] = {
        {"5.1", version(2, 0, 7), version(1, 4), version(0, 0), "5.1,2.0.7", "1.4,N/A"},
        {"5.1", version(0, 0, 0), version(0, 0), version(0, 0), "5.1,N/A", "N/A,N/A"},
        {"5.1", version(0, 0, 3), version(0, 5), version(3, 0), "5.1,0.0.3", "0.5,3.0"},
        {"", version(1, 0, 0), version(12, 34), version(1, 4), ",1.0.0", "12.34,1.4"},
    };
    start();
    show_screen();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firmware_line);
        set_firmware(c.firmware, std::strlen(c.firmware) + 1);
        head().set(body().ecu_config.ecu_info[1].version, c.bridge);
        head().set(body().channels.channels[0].ecu_version, c.first_drive);
        head().set(body().channels.channels[2].ecu_version, c.second_drive);
        advance(SystemInfoMask::refresh_period_ms);
        EXPECT_EQ(screen->firmware.get_text(), c.firmware_line);
        EXPECT_EQ(shown(0), c.firmware_line);
        EXPECT_EQ(screen->drive_ecus.get_text(), c.drive_line);
        EXPECT_EQ(shown(1), c.drive_line);
    }
}

TEST_F(System_info, a_firmware_line_longer_than_its_room_is_cut_and_nothing_is_written_past_it)
{
    const struct {
        const char* firmware;
        size_t stored; // bytes written into the 12-byte field
        const char* line;
    } cases[] = {
        // 23 characters would be needed: the line keeps its first 19.
        {"ABCDEFGHIJK", 12, "ABCDEFGHIJK,255.255"},
        // A field without a terminator is read as its first 11 characters.
        {"ABCDEFGHIJKL", 12, "ABCDEFGHIJK,255.255"},
        {"ABCDEFG", 8, "ABCDEFG,255.255.255"}, // just fits
    };
    start();
    show_screen();
    head().set(body().ecu_config.ecu_info[1].version, version(255, 255, 255));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firmware);
        set_firmware(c.firmware, c.stored);
        advance(SystemInfoMask::refresh_period_ms);
        EXPECT_EQ(screen->firmware.get_text(), c.line);
        EXPECT_EQ(shown(0), c.line);
    }
}

TEST_F(System_info, the_address_line_shows_the_interfaces_address_or_n_a_without_one)
{
    start();
    show_screen();
    advance(SystemInfoMask::refresh_period_ms);
    EXPECT_EQ(screen->address.get_text(), "127.0.0.1");
    EXPECT_EQ(shown(2), "127.0.0.1");

    screen->use_interface("kx4-none0");
    advance(SystemInfoMask::refresh_period_ms);
    EXPECT_EQ(screen->address.get_text(), "N/A");
    EXPECT_EQ(shown(2), "N/A");
}

TEST_F(System_info, the_lines_refresh_every_400_ms_while_shown_and_not_after_leaving)
{
    set_firmware("5.1", 4);
    head().set(body().ecu_config.ecu_info[1].version, version(2, 0, 7));
    start();
    show_screen();
    EXPECT_EQ(shown(0), "N/A") << "nothing read on activation";
    advance(SystemInfoMask::refresh_period_ms - 5);
    EXPECT_EQ(shown(0), "N/A");
    EXPECT_EQ(shown(2), "N/A");
    advance(5);
    EXPECT_EQ(shown(0), "5.1,2.0.7");
    EXPECT_EQ(shown(2), "127.0.0.1");

    head().set(body().ecu_config.ecu_info[1].version, version(2, 0, 8));
    advance(SystemInfoMask::refresh_period_ms);
    EXPECT_EQ(shown(0), "5.1,2.0.8");

    man().switch_to_screen("main");
    pump();
    head().set(body().ecu_config.ecu_info[1].version, version(3, 0, 0));
    advance(3 * SystemInfoMask::refresh_period_ms);
    EXPECT_EQ(screen->firmware.get_text(), "5.1,2.0.8") << "no refresh while not shown";

    show_screen();
    EXPECT_EQ(shown(0), "5.1,2.0.8") << "the last values until the first expiry";
    advance(SystemInfoMask::refresh_period_ms);
    EXPECT_EQ(shown(0), "5.1,3.0.0");
}

TEST_F(System_info, the_keys_switch_to_their_screens)
{
    start();
    const std::pair<uint16_t, const char*> cases[] = {{own.main_key, "main"}, {own.diags_key, "actuator_diagnostics"}};
    for (const auto& [key, target] : cases) {
        SCOPED_TRACE(target);
        show_screen();
        press(key);
        EXPECT_TRUE(showing(target));
    }
}
