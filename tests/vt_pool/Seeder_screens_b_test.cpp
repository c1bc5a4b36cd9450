// The operating, tank fill, diagnostics, system, menu, advanced and
// factory-reset screens of the code-built pool, read back from the encoded
// bytes by the independent checker: titles and texts, soft keys in order,
// list options, button codes, what the running screens find through the
// table.
#include "tests/support/Iop_check.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/build_seeder_pool.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct Built {
    Built() : ids(std::make_unique<Seeder_pool_ids>())
    {
        VtWriter writer(seeder_pool_writer_size, nullptr);
        complete = build_seeder_pool(*ids, writer, VtSize(240, 240));
        bytes.assign(writer.getData(), writer.getData() + writer.getLength());
        check = std::make_unique<Iop_check>(bytes);
    }

    const Iop_check::Object& object(uint16_t id) const
    {
        static const Iop_check::Object none;
        const Iop_check::Object* found = check->find(id);
        return found ? *found : none;
    }
    uint8_t byte(uint16_t id, size_t at) const { return bytes.at(object(id).offset + at); }
    // The key code of a Key or a Button; -1 for anything else.
    int code(uint16_t id) const
    {
        switch (object(id).type) {
        case 5:
            return byte(id, 4);
        case 6:
            return byte(id, 9);
        default:
            return -1;
        }
    }
    // The codes of a soft key mask's keys in order, through its slots; -1
    // for an empty slot.
    std::vector<int> softKeyCodes(uint16_t mask) const
    {
        std::vector<int> codes;
        for (const Iop_check::Child& child : object(mask).children)
            codes.push_back(object(child.id).type == 27 ? code(uint16_t(object(child.id).value)) : code(child.id));
        return codes;
    }
    std::vector<std::string> options(uint16_t list) const
    {
        std::vector<std::string> texts;
        for (const Iop_check::Child& child : object(list).children)
            texts.push_back(object(child.id).text);
        return texts;
    }
    // Every object shown from the mask: its children, their children, the
    // targets of pointers, list items, the soft keys.
    std::set<uint16_t> reachable(uint16_t mask) const
    {
        std::set<uint16_t> seen;
        std::vector<uint16_t> open{mask, object(mask).soft_key_mask};
        while (!open.empty()) {
            const uint16_t id = open.back();
            open.pop_back();
            if (!check->find(id) || !seen.insert(id).second)
                continue;
            for (const Iop_check::Child& child : object(id).children)
                open.push_back(child.id);
            if (object(id).type == 27)
                open.push_back(uint16_t(object(id).value));
        }
        return seen;
    }
    // The fonts' records: colour, size code, type, style.
    bool isTitleFont(uint16_t font) const
    {
        return object(font).type == 23 && byte(font, 3) == 0 && byte(font, 4) == 2 && byte(font, 6) == 1;
    }
    // The font of an Output String.
    uint16_t fontOf(uint16_t string) const { return uint16_t(byte(string, 8) | byte(string, 9) << 8); }

    std::unique_ptr<Seeder_pool_ids> ids;
    std::vector<uint8_t> bytes;
    std::unique_ptr<Iop_check> check;
    bool complete = false;
};

const Built& built()
{
    static const Built pool;
    return pool;
}

std::string listing(const Iop_check& check)
{
    std::string text;
    for (const auto& error : check.errors())
        text += std::to_string(error.object) + " (parent " + std::to_string(error.parent) + "): " + error.text + "\n";
    return text;
}

using Ids = Seeder_pool_ids;

struct List_case {
    std::function<uint16_t(const Ids&)> list;
    std::vector<std::string> options;
};

struct Screen_case {
    const char* name;
    std::function<uint16_t(const Ids&)> mask;
    const char* title; // null: none
    std::vector<int> soft_keys;
    std::vector<std::string> texts; // shown somewhere on the mask or its keys
    std::vector<List_case> lists;
    std::function<std::vector<uint16_t>(const Ids&)> buttons;
    std::vector<int> button_codes;
};

const std::vector<std::string> tank_choices{"  1  ", "  2  ", "  3  ", "  4  ", " All "};

template <size_t N>
std::vector<uint16_t> all(const std::array<Button_id, N>& buttons)
{
    return std::vector<uint16_t>(buttons.begin(), buttons.end());
}

const std::vector<Screen_case>& screens()
{
    static const std::vector<Screen_case> cases = {
        {"Main_screen", [](const Ids& i) { return i.main.mask; }, nullptr, {1, 7, 3, 4, 5, 6},
         {"Select", "Speed", "(Manual)", "CovRate", "Fan RPM", "Press.", "Tank", "Rate", "ProdRem", "1: Product1",
          "4: Product4", "1", "2", "SELECT", "MAN", "AUTO", "Toggle", "Screen", "ON/Off", "Preset", "INC", "DEC",
          "Master"},
         {{[](const Ids& i) { return i.main.tank_list; }, tank_choices}},
         [](const Ids& i) {
             std::vector<uint16_t> buttons;
             for (uint32_t k = 1; k <= 4; ++k) {
                 const Seeder_tank_record& r = i.tank_records[k - 1];
                 buttons.insert(buttons.end(), {r.tank_button, r.select_button, r.man_button, r.auto_button});
             }
             return buttons;
         },
         {30, 54, 84, 80, 31, 55, 85, 81, 32, 56, 86, 82, 33, 57, 87, 83}},
        {"TankFillMask", [](const Ids& i) { return i.tank_fill.mask; }, "Tank Fill", {1, 4, 5, 15, 17},
         {"Select", "Tank", "Volume", "INC/DEC", "1", "4", "Fill", "Settings", "Menu", "Main"},
         {{[](const Ids& i) { return i.tank_fill.tank_list; }, tank_choices}}, nullptr, {}},
        {"ActuatorDiagnostics", [](const Ids& i) { return i.actuator_diagnostics.mask; }, "Diagnostics",
         {65, 17, 59, 98},
         {"Ground Spd", "Fan1", "Fan2", "Fan ADC", "Shaft1", "Shaft4", "Act 1 %", "Elec 1", "PV 1 %", "Act 4 %",
          "Bin 1 Lev", "Bin 4 Lev", "Empty", "Full", "System", "Info", "Reset", "Blocked", "Head"},
         {}, nullptr, {}},
        {"BlockedHeadDiagsMask", [](const Ids& i) { return i.blocked_head_diags.mask; }, "Blocked Head Data",
         {1, 65, 17}, {"In 8..1", "In 16..9", "In 24..17", "In 32..25", "00000000", "Diags"}, {}, nullptr, {}},
        {"SystemInfoMask", [](const Ids& i) { return i.system_info.mask; }, "System Info", {1, 17},
         {"Dravikon Firmware", "KELTU Firmware", "IP Address", "Diags.", ""}, {}, nullptr, {}},
        {"SettingsMenu", [](const Ids& i) { return i.settings_menu.mask; }, "Settings Menu", {17},
         {"Seeder", "Products", "Alarms", "Area", "Test", "Advanced", "Settings"}, {},
         [](const Ids& i) {
             const Settings_menu_ids& m = i.settings_menu;
             return std::vector<uint16_t>{m.seeder_button, m.products_button, m.alarms_button, m.area_test_button,
                                          m.advanced_button};
         },
         {16, 20, 21, 89, 94}},
        {"OperatingHistoryMenuMask", [](const Ids& i) { return i.operating_history_menu.mask; },
         "Operating History Menu", {16, 14, 17}, {"Totals", "Shafts", "Fan", "History"}, {},
         [](const Ids& i) { return all(i.operating_history_menu.menu_buttons); }, {61, 62, 63}},
        {"SeederSettingsMenu", [](const Ids& i) { return i.seeder_settings_menu.mask; }, "Seeder Settings Menu",
         {14, 17},
         {"Tanks", "External", "Options", "Blocked", "Head", "Wheel", "Cal.", "Fans", "Width", "Speed", "Seeder",
          "Brand", "History", "Tank", "Preload"},
         {},
         [](const Ids& i) {
             std::vector<uint16_t> buttons = all(i.seeder_settings_menu.menu_buttons);
             buttons.push_back(i.seeder_settings_menu.tank_preload_button);
             return buttons;
         },
         {15, 22, 24, 23, 24, 25, 97, 10, 75}},
        {"ProductSettingsMenu", [](const Ids& i) { return i.product_settings_menu.mask; }, "Product Settings Menu",
         {14, 17, 99},
         {"PROD1               ", "Tank1 ", "PROD16              ", "Tank16", "Multi", "Cal"},
         {},
         [](const Ids& i) { return all(i.product_settings_menu.product_buttons); },
         {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55}},
        {"AlarmSettingsMenu", [](const Ids& i) { return i.alarm_settings_menu.mask; }, "Alarm Settings Menu",
         {14, 17, 92}, {"Fan", "Motor", "Shaft", "Gear", "Tank", "Pressure", "Other", "No Flow", "Alarms", "Inhibit"},
         {}, [](const Ids& i) { return all(i.alarm_settings_menu.menu_buttons); },
         {26, 76, 27, 77, 28, 39, 38, 93}},
        {"AdvancedSettingsMask", [](const Ids& i) { return i.advanced_settings_more.mask; }, "Advanced Settings",
         {14, 17}, {"Enable TC", "Switch", "VT", "Factory", "Reset", "Upgrade"},
         {{[](const Ids& i) { return i.advanced_settings_more.enable_tc; }, {"Disabled", "Enabled"}}},
         [](const Ids& i) {
             const Advanced_settings_ids& a = i.advanced_settings;
             return std::vector<uint16_t>{a.switch_vt_button, a.factory_reset_button, a.factory_upgrade_button};
         },
         {95, 96, 110}},
        {"ConfirmFactoryResetMask", [](const Ids& i) { return i.confirm_factory_reset.mask; },
         "Confirm Factory Reset", {7, 9},
         {"WARNING: All data will be lost.", "Are you sure you want to", "reset ECU to defaults?", "Confirm",
          "Cancel"},
         {}, nullptr, {}},
    };
    return cases;
}

TEST(Seeder_screens_b, the_whole_pool_is_complete_and_sound_to_the_independent_checker)
{
    const Built& pool = built();
    ASSERT_TRUE(pool.complete);
    EXPECT_TRUE(pool.check->sound()) << listing(*pool.check);
    EXPECT_EQ(pool.check->count(1), 47u);
}

TEST(Seeder_screens_b, each_screen_shows_its_title_in_the_title_font_and_its_texts)
{
    const Built& pool = built();
    for (const Screen_case& screen : screens()) {
        SCOPED_TRACE(screen.name);
        const std::set<uint16_t> shown = pool.reachable(screen.mask(*pool.ids));
        std::set<std::string> texts;
        bool titled = false;
        for (uint16_t id : shown) {
            if (pool.object(id).type != 11)
                continue;
            texts.insert(pool.object(id).text);
            titled |= screen.title && pool.object(id).text == screen.title && pool.isTitleFont(pool.fontOf(id));
        }
        EXPECT_TRUE(titled || !screen.title) << "no title in the title font";
        for (const std::string& text : screen.texts)
            EXPECT_EQ(texts.count(text), 1u) << '"' << text << '"';
    }
}

TEST(Seeder_screens_b, each_mask_takes_the_first_soft_key_mask_after_it_with_its_keys_in_order)
{
    const Built& pool = built();
    const auto& objects = pool.check->objects();
    for (const Screen_case& screen : screens()) {
        SCOPED_TRACE(screen.name);
        const uint16_t mask = screen.mask(*pool.ids);
        ASSERT_EQ(pool.object(mask).type, 1);
        auto next = objects.upper_bound(mask);
        while (next != objects.end() && next->second.type != 4)
            ++next;
        ASSERT_NE(next, objects.end());
        EXPECT_EQ(pool.object(mask).soft_key_mask, next->first);
        EXPECT_EQ(pool.softKeyCodes(next->first), screen.soft_keys);
    }
    EXPECT_EQ(pool.object(pool.check->working_set()).active_mask, pool.ids->main.mask);
}

TEST(Seeder_screens_b, the_second_soft_key_masks_stay_free_for_the_screens_to_switch_to)
{
    const Built& pool = built();
    const Ids& ids = *pool.ids;
    EXPECT_EQ(pool.object(ids.main.mask).soft_key_mask, ids.main.page1);
    EXPECT_EQ(pool.softKeyCodes(ids.main.page2), (std::vector<int>{1, 14, 11, 12, 13, 19}));
    EXPECT_EQ(pool.object(ids.actuator_diagnostics.mask).soft_key_mask, ids.actuator_diagnostics.plain_keys);
    EXPECT_EQ(pool.softKeyCodes(ids.actuator_diagnostics.toggle_keys), (std::vector<int>{1, 65, 17, 59, 98}));
    for (const auto& [id, object] : pool.check->objects())
        if (object.type == 1) {
            EXPECT_NE(object.soft_key_mask, ids.main.page2) << id;
            EXPECT_NE(object.soft_key_mask, ids.actuator_diagnostics.toggle_keys) << id;
        }
}

TEST(Seeder_screens_b, input_lists_hold_their_option_texts_in_order)
{
    const Built& pool = built();
    for (const Screen_case& screen : screens())
        for (const List_case& list : screen.lists) {
            SCOPED_TRACE(screen.name);
            const uint16_t id = list.list(*pool.ids);
            EXPECT_EQ(pool.object(id).type, 10);
            EXPECT_EQ(pool.options(id), list.options);
        }
    const Ids& ids = *pool.ids;
    EXPECT_EQ(pool.options(ids.main.sub_area_list), (std::vector<std::string>{"  1  ", "  2  ", "  3  ", "  4  ",
                                                                              "  5  ", "  6  ", "  7  ", "  8  ",
                                                                              "  9  ", "  10 "}));
    EXPECT_EQ(pool.options(ids.main.viewed_tank_list), (std::vector<std::string>{"1", "2", "3", "4"}));
    // The screens hide and restore the items by these IDs.
    for (uint32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(pool.object(ids.main.tank_list).children.at(i).id, ids.main.tank_list_items[i]);
        EXPECT_EQ(pool.object(ids.tank_fill.tank_list).children.at(i).id, ids.tank_fill.list_items[i]);
    }
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(pool.object(ids.main.viewed_tank_list).children.at(i).id, ids.main_more.viewed_tank_items[i]);
}

TEST(Seeder_screens_b, buttons_carry_their_codes_including_the_repeated_24)
{
    const Built& pool = built();
    for (const Screen_case& screen : screens()) {
        if (!screen.buttons)
            continue;
        SCOPED_TRACE(screen.name);
        std::vector<int> codes;
        for (uint16_t id : screen.buttons(*pool.ids))
            codes.push_back(pool.code(id));
        EXPECT_EQ(codes, screen.button_codes);
    }
}

// Background colour of a Button: white, red or green.
TEST(Seeder_screens_b, the_tank_buttons_of_the_operating_screen_have_their_colours_and_hidden_places)
{
    const Built& pool = built();
    for (const Seeder_tank_record& record : pool.ids->tank_records) {
        EXPECT_EQ(pool.byte(record.select_button, 7), 1);
        EXPECT_EQ(pool.byte(record.tank_button, 7), 1);
        EXPECT_EQ(pool.byte(record.man_button, 7), 12);
        EXPECT_EQ(pool.byte(record.auto_button, 7), 2);
        for (uint16_t hidden : {record.boxed_1.oid, record.boxed_2.oid, record.alt_container.oid,
                                record.full_row_container.oid, record.man_container.oid, record.auto_container.oid})
            EXPECT_TRUE(pool.object(hidden).hidden) << hidden;
        EXPECT_FALSE(pool.object(record.row).hidden);
        EXPECT_EQ(pool.object(record.rate_input).variable, record.rate_variable);
        EXPECT_EQ(pool.object(record.rate_variable).value, record.initial_values[0]);
    }
    const Main_screen_ids& main = pool.ids->main;
    EXPECT_FALSE(pool.object(main.status_row).hidden);
    EXPECT_TRUE(pool.object(main.alt_status_row).hidden);
    EXPECT_TRUE(pool.object(main.manual_speed_container).hidden);
}

TEST(Seeder_screens_b, pointers_show_the_objects_the_screens_save_and_restore)
{
    const Built& pool = built();
    const Ids& ids = *pool.ids;
    const Actuator_diagnostics_ids& diags = ids.actuator_diagnostics;
    std::vector<std::pair<uint16_t, uint16_t>> cases = {
        {ids.main.tank_on_off_slot, ids.main.tank_on_off_key},
        {ids.seeder_settings_menu.pointer, ids.seeder_settings_menu.tank_preload_button},
    };
    const uint16_t keys[] = {diags.system_info_key, diags.main_key, diags.reset_key, diags.blocked_head_key};
    for (uint32_t i = 0; i < 4; ++i) {
        cases.emplace_back(diags.plain_slots[i], keys[i]);
        cases.emplace_back(diags.toggle_slots[i], keys[i]);
        cases.emplace_back(diags.drive_pointers[i], diags.drive_outputs[i]);
        cases.emplace_back(diags.current_pointers[i], diags.motor_currents[i]);
    }
    for (uint32_t f = 0; f < 2; ++f)
        cases.emplace_back(diags.fan_pointers[f], diags.fan_values[f]);
    for (const auto& [pointer, target] : cases) {
        EXPECT_EQ(pool.object(pointer).type, 27) << pointer;
        EXPECT_EQ(pool.object(pointer).value, target) << pointer;
    }
    EXPECT_EQ(pool.code(ids.main.tank_on_off_key), 7);
}

// The running menu writes names of up to 19 characters and "Tank10": each
// line is that long, inside its button, the name wrapping over the lines it
// needs, on the small, medium and large VTs.
TEST(Seeder_screens_b, the_product_lines_hold_a_whole_name_and_tank_inside_their_button)
{
    for (uint32_t side : {240u, 320u, 480u}) {
        SCOPED_TRACE(side);
        Ids ids;
        VtWriter writer(seeder_pool_writer_size, nullptr);
        ASSERT_TRUE(build_seeder_pool(ids, writer, VtSize(side, side)));
        const std::vector<uint8_t> bytes(writer.getData(), writer.getData() + writer.getLength());
        const Iop_check check(bytes);
        ASSERT_TRUE(check.sound()) << listing(check);
        auto u16_at = [&](uint16_t id, size_t at) {
            const size_t offset = check.find(id)->offset;
            return unsigned(bytes.at(offset + at) | bytes.at(offset + at + 1) << 8);
        };
        const Product_settings_menu_ids& menu = ids.product_settings_menu;
        for (uint32_t p = 0; p < menu.product_buttons.size(); ++p) {
            SCOPED_TRACE(p + 1);
            const uint16_t button = menu.product_buttons[p];
            const uint16_t name = menu.product_labels[p];
            const uint16_t tank = menu.tank_labels[p];
            ASSERT_NE(check.find(button), nullptr);
            ASSERT_NE(check.find(name), nullptr);
            ASSERT_NE(check.find(tank), nullptr);
            EXPECT_EQ(check.find(name)->text.size(), 20u);
            EXPECT_EQ(check.find(tank)->text.size(), 6u);

            // Font size code of the name's font, and so its character cell.
            const unsigned font_size = bytes.at(check.find(uint16_t(u16_at(name, 8)))->offset + 4);
            const unsigned cells[][2] = {{6, 8}, {8, 8}, {8, 12}, {12, 16}};
            ASSERT_LT(font_size, 4u);
            const unsigned per_line = u16_at(name, 3) / cells[font_size][0];
            const unsigned lines = u16_at(name, 5) / cells[font_size][1];
            EXPECT_GE(per_line * lines, 19u) << per_line << " characters a line, " << lines << " lines";
            EXPECT_TRUE(bytes.at(check.find(name)->offset + 10) & 2) << "wrapped";

            std::set<uint16_t> placed;
            for (const Iop_check::Child& child : check.find(button)->children) {
                placed.insert(child.id);
                EXPECT_GE(child.x, 0);
                EXPECT_GE(child.y, 0);
                EXPECT_LE(child.x + u16_at(child.id, 3), u16_at(button, 3)) << child.id;
                EXPECT_LE(child.y + u16_at(child.id, 5), u16_at(button, 5)) << child.id;
            }
            EXPECT_EQ(placed, (std::set<uint16_t>{name, tank}));
        }
    }
}

TEST(Seeder_screens_b, the_system_texts_are_as_long_as_their_samples_and_show_none)
{
    const Built& pool = built();
    const size_t lengths[] = {20, 12, 12};
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_EQ(pool.object(pool.ids->system_info.value_labels[i]).text, std::string(lengths[i], ' '));
}

// Every entry a builder recorded names an object of the type its field
// promises, and none of this set's fields is left out.
TEST(Seeder_screens_b, every_recorded_field_resolves_to_an_object_of_its_type)
{
    const Built& pool = built();
    for (const Seeder_pool_entry& entry : pool.ids->entries()) {
        if (entry.oid == 0xFFFF)
            continue;
        ASSERT_NE(pool.check->find(entry.oid), nullptr) << entry.oid;
        if (entry.type != any_vt_type) {
            EXPECT_EQ(pool.object(entry.oid).type, entry.type) << entry.oid;
        }
    }

    struct Group {
        const char* name;
        size_t from;
        size_t size;
    };
    const Group groups[] = {
        {"main", offsetof(Ids, main), sizeof(Main_screen_ids)},
        {"tank_fill", offsetof(Ids, tank_fill), sizeof(Tank_fill_ids)},
        {"actuator_diagnostics", offsetof(Ids, actuator_diagnostics), sizeof(Actuator_diagnostics_ids)},
        {"blocked_head_diags", offsetof(Ids, blocked_head_diags), sizeof(Blocked_head_diags_ids)},
        {"system_info", offsetof(Ids, system_info), sizeof(System_info_ids)},
        {"settings_menu", offsetof(Ids, settings_menu), sizeof(Settings_menu_ids)},
        {"operating_history_menu", offsetof(Ids, operating_history_menu), sizeof(Operating_history_menu_ids)},
        {"seeder_settings_menu", offsetof(Ids, seeder_settings_menu), sizeof(Seeder_settings_menu_ids)},
        {"product_settings_menu", offsetof(Ids, product_settings_menu), sizeof(Product_settings_menu_ids)},
        {"alarm_settings_menu", offsetof(Ids, alarm_settings_menu), sizeof(Alarm_settings_menu_ids)},
        {"advanced_settings", offsetof(Ids, advanced_settings), sizeof(Advanced_settings_ids)},
        {"confirm_factory_reset", offsetof(Ids, confirm_factory_reset), sizeof(Confirm_factory_reset_ids)},
        {"tank_fill_more", offsetof(Ids, tank_fill_more), sizeof(Tank_fill_more_ids)},
        {"advanced_settings_more", offsetof(Ids, advanced_settings_more), sizeof(Advanced_settings_more_ids)},
        {"main_more", offsetof(Ids, main_more), sizeof(Main_screen_more_ids)},
    };
    const auto* table = reinterpret_cast<const unsigned char*>(pool.ids.get());
    for (const Group& group : groups)
        for (size_t at = group.from; at < group.from + group.size; at += sizeof(Seeder_pool_entry)) {
            const auto* entry = reinterpret_cast<const Seeder_pool_entry*>(table + at);
            if (entry->type != any_vt_type) {
                EXPECT_NE(entry->oid, 0xFFFF) << group.name << " entry " << at / sizeof(Seeder_pool_entry);
            }
        }
    for (const Seeder_tank_record& record : pool.ids->tank_records) {
        const auto* first = reinterpret_cast<const Seeder_pool_entry*>(&record);
        for (size_t e = 0; e < offsetof(Seeder_tank_record, initial_values) / sizeof(Seeder_pool_entry); ++e)
            EXPECT_NE(first[e].oid, 0xFFFF) << "tank record entry " << e;
    }
}

}
