// The history, product, tank calibration, area test, alarm, upgrade and
// multi-tank calibration screens, read back from the whole built pool.

#include "tests/support/Iop_check.h"
#include "vt_pool/Seeder_layout.h"
#include "vt_pool/VtObjectKey.h"
#include "vt_pool/VtObjectOutputFieldString.h"
#include "vt_pool/VtPlacement.h"
#include "vt_pool/VtPool.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/build_seeder_pool.h"
#include "vt_pool/screens/Seeder_screens.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint16_t none = 0xFFFF;

// The whole pool at 240 x 240, kept with its objects and its encoded bytes.
struct Built_pool {
    Seeder_pool_ids ids;
    VtPool pool;
    Seeder_layout layout{pool};
    std::vector<uint8_t> image;
    std::unique_ptr<Iop_check> check;

    Built_pool()
    {
        computeLayout(ids, layout, VtSize(240, 240));
        addToWorkingSet(pool, 5, 5, createLabel(pool, "SEEDER", layout.font[1], 1));
        for (const Seeder_screen& screen : seeder_screens)
            screen.build(ids, layout);
        VtWriter writer(seeder_pool_writer_size, nullptr);
        EXPECT_EQ(pool.serialise(writer), 0);
        image.assign(writer.getData(), writer.getData() + writer.getLength());
        check = std::make_unique<Iop_check>(image);
    }

    const Iop_check::Object* find(uint16_t id) const { return check->find(id); }
};

const Built_pool& built()
{
    static const auto* const pool = new Built_pool();
    return *pool;
}

std::string listing(const Iop_check& check)
{
    std::string text;
    for (const Iop_check::Error& error : check.errors())
        text += std::to_string(error.object) + " (in " + std::to_string(error.parent) + "): " + error.text + "\n";
    return text;
}

// Every Output String placed in the object or below it.
void collect_strings(const Iop_check& check, uint16_t id, std::vector<const Iop_check::Object*>& strings)
{
    const Iop_check::Object* object = check.find(id);
    if (!object)
        return;
    if (object->type == 11)
        strings.push_back(object);
    for (const Iop_check::Child& child : object->children)
        collect_strings(check, child.id, strings);
}

// The first Soft Key Mask made after the data mask, before any later mask.
uint16_t first_soft_key_mask_after(const Iop_check& check, uint16_t mask)
{
    for (auto it = check.objects().upper_bound(mask); it != check.objects().end(); ++it) {
        if (it->second.type == 1)
            return none;
        if (it->second.type == 4)
            return it->first;
    }
    return none;
}

using Ids = std::vector<uint16_t>;

struct Screen_case {
    const char* name;
    const char* title;
    std::function<uint16_t(const Seeder_pool_ids&)> mask;
    std::function<Ids(const Seeder_pool_ids&)> keys; // as recorded, in the order made
    std::vector<uint8_t> codes;
    size_t places; // 0: the keys are on the soft-key mask; else its empty places
};

template <class Keys>
Ids alarm_keys(const Keys& keys)
{
    return {keys.alarms_menu_key, keys.settings_key, keys.main_key};
}

Ids history_keys(const History_screen_keys& keys)
{
    return {keys.history_key, keys.seeder_key, keys.settings_key, keys.main_key};
}

const std::vector<Screen_case>& screen_cases()
{
    static const std::vector<Screen_case> cases = {
        {"TotalsHistoryMask", "Totals History", [](auto& i) { return i.totals_history.mask; },
         [](auto& i) { return history_keys(i.totals_history.keys); }, {10, 16, 14, 17}, 0},
        {"ShaftsHistoryMask", "Shafts History", [](auto& i) { return i.shafts_history.mask; },
         [](auto& i) { return history_keys(i.shafts_history.keys); }, {10, 16, 14, 17}, 0},
        {"FansHistoryMask", "Fans History", [](auto& i) { return i.fans_history.mask; },
         [](auto& i) { return history_keys(i.fans_history.keys); }, {10, 16, 14, 17}, 0},
        {"ProductSettingsMask", "Product Settings", [](auto& i) { return i.product_settings.mask; },
         [](auto& i) {
             const Product_settings_ids& s = i.product_settings;
             return Ids{s.product_menu_key, s.settings_key, s.main_key};
         },
         {29, 14, 17}, 0},
        {"TankCalibrationSettingsMask", "Tank Calibration Settings", [](auto& i) { return i.tank_calibration.mask; },
         [](auto& i) {
             const Tank_calibration_ids& s = i.tank_calibration;
             return Ids{s.start_key, s.next_key, s.cancel_key, s.accept_key, s.cal_style_key, s.product_settings_key};
         },
         {58, 8, 9, 7, 88, 20}, 6},
        {"AreaTestMask", "Area Test", [](auto& i) { return i.area_test.mask; },
         [](auto& i) {
             const Area_test_ids& s = i.area_test;
             return Ids{s.settings_key, s.main_key, s.start_key, s.pause_key, s.resume_key, s.reset_key};
         },
         {14, 17, 58, 90, 91, 59}, 4},
        {"FanAlarmsMask", "Fan Alarms", [](auto& i) { return i.fan_alarms.mask; },
         [](auto& i) { return alarm_keys(i.fan_alarms.keys); }, {29, 14, 17}, 0},
        {"TankAlarmsMask", "Tank Alarms", [](auto& i) { return i.tank_alarms.mask; },
         [](auto& i) { return alarm_keys(i.tank_alarms.keys); }, {29, 14, 17}, 0},
        {"ShaftAlarmsMask", "Shaft Alarms", [](auto& i) { return i.shaft_alarms.mask; },
         [](auto& i) { return alarm_keys(i.shaft_alarms.keys); }, {29, 14, 17}, 0},
        {"OtherAlarmsMask", "Other Alarms", [](auto& i) { return i.other_alarms.mask; },
         [](auto& i) { return alarm_keys(i.other_alarms.keys); }, {29, 14, 17}, 0},
        {"TankMotorAlarmsMask", "Tank Motor Alarms", [](auto& i) { return i.tank_motor_alarms.mask; },
         [](auto& i) { return alarm_keys(i.tank_motor_alarms.keys); }, {29, 14, 17}, 0},
        {"TankGearAlarmsMask", "Tank Gear Alarms", [](auto& i) { return i.tank_gear_alarms.mask; },
         [](auto& i) { return alarm_keys(i.tank_gear_alarms.keys); }, {29, 14, 17}, 0},
        {"TankPressureAlarmsMask", "Tank Pressure Alarms", [](auto& i) { return i.tank_pressure_alarms.mask; },
         [](auto& i) { return alarm_keys(i.tank_pressure_alarms.keys); }, {29, 14, 17}, 0},
        {"NoFlowAlarmsMask", "No Flow Alarms", [](auto& i) { return i.no_flow_alarms.mask; },
         [](auto& i) { return alarm_keys(i.no_flow_alarms.keys); }, {29, 14, 17}, 0},
        {"FactoryUpgradeMask", "Factory Upgrade", [](auto& i) { return i.factory_upgrade.mask; },
         [](auto& i) {
             const Factory_upgrade_ids& s = i.factory_upgrade;
             return Ids{s.advanced_key, s.main_key, s.volume_key, s.start_key, s.stop_key, s.continue_key};
         },
         {14, 17, 58, 58, 111, 112}, 5},
        {"MultiTankCal1Mask", "Product", [](auto& i) { return i.multi_tank_cal1.mask; },
         [](auto& i) {
             const Multi_tank_cal1_ids& s = i.multi_tank_cal1;
             return Ids{s.product_settings_key, s.main_key, s.next_key, s.reset_key, s.master_key, s.cal_style_key};
         },
         {29, 17, 8, 59, 6, 88}, 6},
        {"MultiTankCal2Mask", "Product", [](auto& i) { return i.multi_tank_cal2.mask; },
         [](auto& i) { return Ids{i.multi_tank_cal2.next_key, i.multi_tank_cal2.cancel_key}; }, {8, 9}, 2},
        {"MultiTankCal3Mask", nullptr, [](auto& i) { return i.multi_tank_cal3.mask; },
         [](auto& i) {
             const Multi_tank_cal3_ids& s = i.multi_tank_cal3;
             return Ids{s.clear_all_key, s.save_all_key, s.exit_key, s.back_key};
         },
         {29, 17, 109, 100}, 4},
    };
    return cases;
}

TEST(Seeder_screens_d, the_whole_built_pool_is_sound_for_an_independent_reader)
{
    const Iop_check& check = *built().check;
    EXPECT_TRUE(check.sound()) << listing(check);
    EXPECT_EQ(check.count(1), 47u);
    EXPECT_EQ(check.working_set(), VtPool::first_oid);
}

// Every size class: the fonts grow, so units and clamped labels must still
// leave each field a sound size.
TEST(Seeder_screens_d, the_pool_of_each_size_class_is_sound)
{
    for (uint32_t side : {240u, 320u, 480u}) {
        SCOPED_TRACE(side);
        auto ids = std::make_unique<Seeder_pool_ids>();
        VtWriter writer(seeder_pool_writer_size, nullptr);
        ASSERT_TRUE(build_seeder_pool(*ids, writer, VtSize(side, side)));
        const Iop_check check(std::vector<uint8_t>(writer.getData(), writer.getData() + writer.getLength()));
        EXPECT_TRUE(check.sound()) << listing(check);
    }
}

TEST(Seeder_screens_d, each_screen_shows_its_title_in_the_title_font)
{
    const Built_pool& b = built();
    for (const Screen_case& c : screen_cases()) {
        SCOPED_TRACE(c.name);
        std::vector<const Iop_check::Object*> strings;
        collect_strings(*b.check, c.mask(b.ids), strings);
        ASSERT_FALSE(strings.empty());
        const Iop_check::Object* title = nullptr;
        for (const Iop_check::Object* s : strings) {
            const auto* field = dynamic_cast<const VtObjectOutputFieldString*>(b.pool.get(s->id));
            if (field->getFontAttributes() == b.layout.font[7]->getOid())
                title = title ? title : s;
        }
        if (!c.title) {
            EXPECT_EQ(title, nullptr);
            continue;
        }
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text, c.title);
    }
}

TEST(Seeder_screens_d, each_mask_names_the_first_soft_key_mask_made_after_it_with_its_keys_in_order)
{
    const Built_pool& b = built();
    for (const Screen_case& c : screen_cases()) {
        SCOPED_TRACE(c.name);
        const Iop_check::Object* mask = b.find(c.mask(b.ids));
        ASSERT_NE(mask, nullptr);
        ASSERT_EQ(mask->type, 1);
        EXPECT_EQ(mask->soft_key_mask, first_soft_key_mask_after(*b.check, mask->id));
        const Iop_check::Object* keys = b.find(mask->soft_key_mask);
        ASSERT_NE(keys, nullptr);

        const Ids recorded = c.keys(b.ids);
        std::vector<uint8_t> codes;
        for (uint16_t id : recorded) {
            const auto* key = dynamic_cast<const VtObjectKey*>(b.pool.get(id));
            ASSERT_NE(key, nullptr) << id;
            codes.push_back(key->getKeyCode());
        }
        EXPECT_EQ(codes, c.codes);

        Ids on_mask;
        for (const Iop_check::Child& child : keys->children)
            on_mask.push_back(child.id);
        if (c.places == 0) {
            EXPECT_EQ(on_mask, recorded);
            continue;
        }
        // Keys outside the mask are shown through empty places.
        ASSERT_EQ(on_mask.size(), c.places);
        for (uint16_t id : on_mask) {
            ASSERT_EQ(b.find(id)->type, 27);
            EXPECT_EQ(b.find(id)->value, none);
        }
    }
}

// The places recorded by the screens are the soft-key mask's, in order.
TEST(Seeder_screens_d, the_recorded_soft_key_places_are_those_of_the_screens_mask_in_order)
{
    const Built_pool& b = built();
    const Seeder_pool_ids& i = b.ids;
    const Tank_calibration_ids& cal = i.tank_calibration;
    const struct {
        const char* name;
        uint16_t mask;
        Ids places;
    } cases[] = {
        {"TankCalibrationSettingsMask", cal.mask,
         {cal.key_slots[0], cal.key_slots[1], cal.key_slots[2], cal.key_slots[3], cal.cal_style_slot,
          cal.product_settings_slot}},
        {"AreaTestMask", i.area_test.mask, {i.area_test.key_slots.begin(), i.area_test.key_slots.end()}},
        {"FactoryUpgradeMask", i.factory_upgrade.mask,
         {i.factory_upgrade.key_slots.begin(), i.factory_upgrade.key_slots.end()}},
        {"MultiTankCal1Mask", i.multi_tank_cal1.mask,
         {i.multi_tank_cal1.key_slots.begin(), i.multi_tank_cal1.key_slots.end()}},
        {"MultiTankCal2Mask", i.multi_tank_cal2.mask,
         {i.multi_tank_cal2.key_slots.begin(), i.multi_tank_cal2.key_slots.end()}},
        {"MultiTankCal3Mask", i.multi_tank_cal3.mask,
         {i.multi_tank_cal3.key_slots.begin(), i.multi_tank_cal3.key_slots.end()}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Ids on_mask;
        for (const Iop_check::Child& child : b.find(b.find(c.mask)->soft_key_mask)->children)
            on_mask.push_back(child.id);
        EXPECT_EQ(on_mask, c.places);
    }
}

// Each list's elements are Output Strings of the list's own size with the
// option texts in order: the element index is the value the screen stores.
TEST(Seeder_screens_d, input_lists_hold_their_option_texts_in_order_at_the_lists_size)
{
    const Built_pool& b = built();
    const Seeder_pool_ids& i = b.ids;
    const std::vector<std::string> on_off = {"Disabled", "Enabled"};
    std::vector<std::pair<uint16_t, std::vector<std::string>>> cases = {
        {i.fans_history.fan_list, {"1", "2"}},
        {i.product_settings.tank_list, {"1", "2", "3", "4", "OFF"}},
        {i.factory_upgrade.type_list, {"     KX-4 Main", "      KX-4 AUX", "      Advanced"}},
    };
    for (const auto* lists :
         {&i.fan_alarms.lists, &i.tank_alarms.first_lists, &i.tank_alarms.second_lists, &i.shaft_alarms.lists,
          &i.other_alarms.lists, &i.tank_motor_alarms.first_lists, &i.tank_motor_alarms.second_lists,
          &i.tank_gear_alarms.lists, &i.tank_pressure_alarms.low_lists, &i.tank_pressure_alarms.high_lists,
          &i.no_flow_alarms.lists}) {
        for (uint16_t list : *lists)
            cases.push_back({list, on_off});
    }
    for (const auto& [id, texts] : cases) {
        SCOPED_TRACE(id);
        const Iop_check::Object* list = b.find(id);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->type, 10);
        const VtSize size = b.pool.get(id)->getSize();
        std::vector<std::string> shown;
        for (const Iop_check::Child& element : list->children) {
            const Iop_check::Object* text = b.find(element.id);
            ASSERT_NE(text, nullptr);
            ASSERT_EQ(text->type, 11);
            shown.push_back(text->text);
            EXPECT_EQ(b.pool.get(element.id)->getSize().width, size.width);
            EXPECT_EQ(b.pool.get(element.id)->getSize().height, size.height);
        }
        EXPECT_EQ(shown, texts);
    }
}

// The list elements the running screens swap in and out are the lists' own.
TEST(Seeder_screens_d, recorded_list_elements_are_the_lists_elements)
{
    const Built_pool& b = built();
    const Seeder_pool_ids& i = b.ids;
    const auto elements = [&b](uint16_t list) {
        Ids ids;
        for (const Iop_check::Child& element : b.find(list)->children)
            ids.push_back(element.id);
        return ids;
    };
    const auto& fans = i.fans_history_more.fan_items;
    EXPECT_EQ(elements(i.fans_history.fan_list), (Ids{fans.begin(), fans.end()}));
    const auto& tanks = i.product_settings_more.tank_items;
    EXPECT_EQ(elements(i.product_settings.tank_list), (Ids{tanks.begin(), tanks.end()}));
}

bool holds(const Iop_check& check, uint16_t root, uint16_t id)
{
    const Iop_check::Object* object = check.find(root);
    if (!object || root == id)
        return object != nullptr;
    for (const Iop_check::Child& child : object->children) {
        if (holds(check, child.id, id))
            return true;
    }
    return false;
}

bool shows_text(const Iop_check& check, uint16_t root, const std::string& text)
{
    std::vector<const Iop_check::Object*> strings;
    collect_strings(check, root, strings);
    for (const Iop_check::Object* s : strings) {
        if (s->text == text)
            return true;
    }
    return false;
}

std::string tank_text(const char* format, int tank)
{
    char text[64];
    std::snprintf(text, sizeof text, format, tank);
    return text;
}

// The running screens hide a disabled tank's two cells: they must hold that
// tank's labels and inputs.
TEST(Seeder_screens_d, each_tank_row_of_the_alarm_pages_holds_that_tanks_alarms)
{
    const Built_pool& b = built();
    const Seeder_pool_ids& i = b.ids;
    const struct Case {
        const char* name;
        const std::array<Container_id, 4>& left;
        const std::array<Container_id, 4>& right;
        const char* left_label;
        const char* right_label; // null: the right cell holds the left label's list
        std::vector<const std::array<Input_list_id, 4>*> left_lists;
        std::vector<const std::array<Input_list_id, 4>*> right_lists;
    } cases[] = {
        {"TankAlarmsMask", i.tank_alarms.left_cells, i.tank_alarms.right_cells, "Tank %d Low", "Tank %d Empty",
         {&i.tank_alarms.first_lists}, {&i.tank_alarms.second_lists}},
        {"TankMotorAlarmsMask", i.tank_motor_alarms.left_cells, i.tank_motor_alarms.right_cells,
         "Tank %d Motor Sensor", "Tank %d Motor Jam", {&i.tank_motor_alarms.first_lists},
         {&i.tank_motor_alarms.second_lists}},
        {"ShaftAlarmsMask", i.shaft_alarms.left_cells, i.shaft_alarms.right_cells, "Shaft %d Stopped", nullptr, {},
         {&i.shaft_alarms.lists}},
        {"TankGearAlarmsMask", i.tank_gear_alarms.left_cells, i.tank_gear_alarms.right_cells, "Tank Gear %d", nullptr,
         {}, {&i.tank_gear_alarms.lists}},
        {"TankPressureAlarmsMask", i.tank_pressure_alarms.left_cells, i.tank_pressure_alarms.right_cells,
         "Tank %d Press. Low", "Tank %d Press. High", {&i.tank_pressure_alarms.low_lists},
         {&i.tank_pressure_alarms.high_lists}},
    };
    for (const Case& c : cases) {
        for (int t = 0; t < 4; ++t) {
            SCOPED_TRACE(std::string(c.name) + " tank " + std::to_string(t + 1));
            EXPECT_TRUE(shows_text(*b.check, c.left[t], tank_text(c.left_label, t + 1)));
            if (c.right_label) {
                EXPECT_TRUE(shows_text(*b.check, c.right[t], tank_text(c.right_label, t + 1)));
            }
            for (const auto* lists : c.left_lists)
                EXPECT_TRUE(holds(*b.check, c.left[t], (*lists)[t]));
            for (const auto* lists : c.right_lists)
                EXPECT_TRUE(holds(*b.check, c.right[t], (*lists)[t]));
        }
    }
    for (int t = 0; t < 4; ++t) {
        EXPECT_TRUE(holds(*b.check, i.tank_pressure_alarms.left_cells[t], i.tank_pressure_alarms.low_points[t]));
        EXPECT_TRUE(holds(*b.check, i.tank_pressure_alarms.right_cells[t], i.tank_pressure_alarms.high_points[t]));
    }
}

template <class Group>
std::vector<Seeder_pool_entry> entries_of(const Group& group)
{
    static_assert(sizeof(Group) % sizeof(Seeder_pool_entry) == 0);
    std::vector<Seeder_pool_entry> entries(sizeof(Group) / sizeof(Seeder_pool_entry));
    std::memcpy(entries.data(), &group, sizeof(Group));
    return entries;
}

// Every named field of these screens' groups names an object of the type it
// promises; only the spare entries stay empty.
TEST(Seeder_screens_d, every_named_field_resolves_to_an_object_of_its_type)
{
    const Built_pool& b = built();
    const Seeder_pool_ids& i = b.ids;
    const std::vector<std::pair<const char*, std::vector<Seeder_pool_entry>>> groups = {
        {"totals_history", entries_of(i.totals_history)},
        {"totals_history_more", entries_of(i.totals_history_more)},
        {"shafts_history", entries_of(i.shafts_history)},
        {"fans_history", entries_of(i.fans_history)},
        {"fans_history_more", entries_of(i.fans_history_more)},
        {"product_settings", entries_of(i.product_settings)},
        {"product_settings_more", entries_of(i.product_settings_more)},
        {"tank_calibration", entries_of(i.tank_calibration)},
        {"area_test", entries_of(i.area_test)},
        {"fan_alarms", entries_of(i.fan_alarms)},
        {"tank_alarms", entries_of(i.tank_alarms)},
        {"shaft_alarms", entries_of(i.shaft_alarms)},
        {"other_alarms", entries_of(i.other_alarms)},
        {"tank_motor_alarms", entries_of(i.tank_motor_alarms)},
        {"tank_gear_alarms", entries_of(i.tank_gear_alarms)},
        {"tank_pressure_alarms", entries_of(i.tank_pressure_alarms)},
        {"no_flow_alarms", entries_of(i.no_flow_alarms)},
        {"factory_upgrade", entries_of(i.factory_upgrade)},
        {"multi_tank_cal1", entries_of(i.multi_tank_cal1)},
        {"multi_tank_cal2", entries_of(i.multi_tank_cal2)},
        {"multi_tank_cal3", entries_of(i.multi_tank_cal3)},
        {"multi_tank_cal3_more", entries_of(i.multi_tank_cal3_more)},
    };
    for (const auto& [name, entries] : groups) {
        for (size_t e = 0; e < entries.size(); ++e) {
            SCOPED_TRACE(std::string(name) + " entry " + std::to_string(e));
            if (entries[e].type == any_vt_type) {
                EXPECT_EQ(entries[e].oid, none);
                continue;
            }
            const Iop_check::Object* object = b.find(entries[e].oid);
            ASSERT_NE(object, nullptr) << entries[e].oid;
            EXPECT_EQ(object->type, entries[e].type);
        }
    }
}

TEST(Seeder_screens_d, buttons_carry_their_key_codes_and_colours)
{
    const Built_pool& b = built();
    const Seeder_pool_ids& i = b.ids;
    struct Case {
        uint16_t button;
        uint8_t code;
        uint8_t colour;
        const char* text;
    };
    std::vector<Case> cases = {{i.product_settings.cal_factor_button, 113, 1, "Cal Factor"}};
    for (uint8_t t = 0; t < 4; ++t) {
        cases.push_back({i.multi_tank_cal1.off_buttons[t], uint8_t(114 + t), 12, "OFF"});
        cases.push_back({i.multi_tank_cal1.on_buttons[t], uint8_t(118 + t), 2, "ON"});
        cases.push_back({i.multi_tank_cal3.ignore_buttons[t], uint8_t(101 + t), 12, "IGNORE"});
        cases.push_back({i.multi_tank_cal3_more.save_buttons[t], uint8_t(105 + t), 2, "SAVE"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Iop_check::Object* object = b.find(c.button);
        ASSERT_NE(object, nullptr);
        ASSERT_EQ(object->type, 6);
        // The record: ID, type, width, height, background and border
        // colours, key code.
        ASSERT_LT(object->offset + 9, b.image.size());
        EXPECT_EQ(b.image[object->offset + 7], c.colour);
        EXPECT_EQ(b.image[object->offset + 9], c.code);
        ASSERT_EQ(object->children.size(), 1u);
        EXPECT_EQ(b.find(object->children[0].id)->text, c.text);
    }
}

}
