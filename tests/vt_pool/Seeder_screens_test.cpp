// What each of the 47 screens of the code-built pool holds, read back from
// the encoded pool by the independent checker: its title, the key codes of
// its keys and buttons (repeated codes included), the option texts of its
// Input Lists, and its soft-key masks. A screen's objects are those made
// from its data mask up to the next screen's data mask.
//
// These checks need every screen builder complete; they join the vt_pool
// tests (tests/vt_pool/CMakeLists.txt) once the last builder lands.
#include "tests/support/Iop_check.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/build_seeder_pool.h"
#include "vt_pool/screens/Seeder_screens.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

struct Screen {
    const char* name;
    std::function<uint16_t(const Seeder_pool_ids&)> mask;
    const char* title; // null: none
    std::vector<int> key_codes;
    std::vector<Texts> lists;
    size_t soft_key_masks = 1;
};

Texts numbered(const char* format, int first, int last, int step = 1)
{
    Texts texts;
    char text[32];
    for (int n = first; step > 0 ? n <= last : n >= last; n += step) {
        std::snprintf(text, sizeof text, format, n);
        texts.push_back(text);
    }
    return texts;
}

std::vector<int> codes(int first, int last)
{
    std::vector<int> all;
    for (int code = first; code <= last; ++code)
        all.push_back(code);
    return all;
}

std::vector<int> operator+(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Texts off_on = {"Disabled", "Enabled"};
const Texts min_pwm = numbered("%d%%", 5, 40, 5);
const Texts max_pwm = numbered("%d%%", 100, 65, -5);
const Texts response = {"Fastest", "Medium Fast", "Medium Slow", "Slowest"};
const Texts dump_valve = {"Disabled", "Enabled", "Reversed"};
const std::vector<int> drive_keys = {15, 16, 14, 17};
const std::vector<int> alarm_keys = {29, 14, 17};
const std::vector<int> seeder_keys = {16, 14, 17};

#define MASK(group) [](const Seeder_pool_ids& ids) -> uint16_t { return ids.group.mask; }

const std::vector<Screen>& screens()
{
    static const std::vector<Screen> all = {
        {"Main_screen", MASK(main), nullptr,
         {1, 7, 3, 4, 5, 6, 1, 14, 11, 12, 13, 19, 30, 31, 32, 33, 54, 55, 56, 57, 80, 81, 82, 83, 84, 85, 86, 87},
         {{"  1  ", "  2  ", "  3  ", "  4  ", " All "}},
         2},
        {"TankFillMask", MASK(tank_fill), "Tank Fill", {1, 4, 5, 15, 17}, {}},
        {"ActuatorDiagnostics", MASK(actuator_diagnostics), "Diagnostics", {65, 17, 59, 98, 1}, {}, 2},
        {"Diagnostics2", MASK(diagnostics2), "Diagnostics", {1, 65, 17}, {}},
        {"BlockedHeadDiagsMask", MASK(blocked_head_diags), "Blocked Head Data", {1, 65, 17}, {}},
        {"SystemInfoMask", MASK(system_info), "System Info", {1, 17}, {}},
        {"SettingsMenu", MASK(settings_menu), "Settings Menu", {16, 20, 21, 89, 94, 17}, {}},
        {"OperatingHistoryMenuMask", MASK(operating_history_menu), "Operating History Menu",
         {61, 62, 63, 16, 14, 17}, {}},
        {"SeederSettingsMenu", MASK(seeder_settings_menu), "Seeder Settings Menu",
         {15, 22, 24, 23, 24, 25, 97, 10, 75, 14, 17}, {}},
        {"ProductSettingsMenu", MASK(product_settings_menu), "Product Settings Menu",
         codes(40, 55) + std::vector<int>{14, 17, 99}, {}},
        {"AlarmSettingsMenu", MASK(alarm_settings_menu), "Alarm Settings Menu",
         {26, 76, 27, 77, 28, 39, 38, 93, 14, 17, 92}, {}},
        {"TankSettingsMask", MASK(tank_settings), "Tank Settings", seeder_keys,
         {{"  1  ", "  2  ", "  3  ", "  4  "}, {"Granular", "Liquid", "NH3"}, {"Electric", "Actuator", "P. Valve"},
          {"RegValve", "P. Valve"}}},
        {"TankPreloadSettingsMask", MASK(tank_preload), "Tank Preload Settings", seeder_keys, {}},
        {"ActuatorDriveSettingsMask", MASK(actuator_drive), "Actuator Drive Settings", drive_keys,
         {off_on, {"Vantrel", "Carvelund", "Generic"}}},
        {"ElectricDriveSettingsMask", MASK(electric_drive), "Electric Drive Settings", drive_keys,
         {{"Two pulse", "Four pulse", "Other"}, off_on, off_on}},
        {"PropValveDriveSettingsMask", MASK(prop_valve_drive), "PValve Drive Settings",
         drive_keys + std::vector<int>{70}, {}},
        {"PropValveControlSettingsMask", MASK(prop_valve_control), "PValve Control Settings",
         drive_keys + std::vector<int>{71}, {min_pwm, max_pwm, response, dump_valve}},
        {"LiquidPropValveSettingsMask", MASK(liquid_prop_valve), "Liquid/NH3 Settings",
         drive_keys + std::vector<int>{71}, {off_on}},
        {"LiquidPropValveControlSettingsMask", MASK(liquid_prop_valve_control), "PValve Control Settings",
         drive_keys + std::vector<int>{71}, {min_pwm, max_pwm, response, dump_valve}},
        {"LiquidRegValveControlSettingsMask", MASK(liquid_reg_valve_control), "RValve Control Settings",
         drive_keys + std::vector<int>{71},
         {{"Standard", "Reduced"}, {"Standard", "Mezza-Flow", "HALLEN-berg", "Corra"}}},
        {"WheelCalibrationSettingsMask", MASK(wheel_calibration_settings), "Wheel Calibration Settings",
         {18, 16, 14, 17}, {}},
        {"WheelCalibrationMask", MASK(wheel_calibration), "Wheel Calibration", {9, 58, 7, 8}, {}},
        {"WidthAndSpeedSettingsMask", MASK(width_and_speed), "Width And Speed Settings", seeder_keys,
         {{"GPS", "Wheel", "KX-4", "Manual", "ISO Wheel", "ISO Radar", "NMEA2000"}}},
        {"TotalsHistoryMask", MASK(totals_history), "Totals History", {10, 16, 14, 17}, {}},
        {"ShaftsHistoryMask", MASK(shafts_history), "Shafts History", {10, 16, 14, 17}, {}},
        {"FansHistoryMask", MASK(fans_history), "Fans History", {10, 16, 14, 17}, {{"1", "2"}}},
        {"ExternalOptionsMask", MASK(external_options), "External Options", seeder_keys,
         {off_on, off_on, {"Disabled", "Switchbox", "Tillage", "KX-4"}, {"Stationary", "Rolling"},
          {"Disabled", "Run/Stop", "Multi-Tank"}, {"Disabled", "Drive 1", "Drive 2", "Drive 3", "Drive 4"}}},
        {"FanSettingsMask", MASK(fan_settings), "Fan Settings", seeder_keys, {{"1", "2"}}},
        {"ProductSettingsMask", MASK(product_settings), "Product Settings", alarm_keys, {}},
        {"TankCalibrationSettingsMask", MASK(tank_calibration), "Tank Calibration Settings", {58, 8, 9, 7, 88, 20},
         {}},
        {"AreaTestMask", MASK(area_test), "Area Test", {14, 17, 58, 90, 91, 59}, {}},
        {"FanAlarmsMask", MASK(fan_alarms), "Fan Alarms", alarm_keys, {}},
        {"TankAlarmsMask", MASK(tank_alarms), "Tank Alarms", alarm_keys, {}},
        {"ShaftAlarmsMask", MASK(shaft_alarms), "Shaft Alarms", alarm_keys, {}},
        {"OtherAlarmsMask", MASK(other_alarms), "Other Alarms", alarm_keys, {}},
        {"TankMotorAlarmsMask", MASK(tank_motor_alarms), "Tank Motor Alarms", alarm_keys, {}},
        {"TankGearAlarmsMask", MASK(tank_gear_alarms), "Tank Gear Alarms", alarm_keys, {}},
        {"TankPressureAlarmsMask", MASK(tank_pressure_alarms), "Tank Pressure Alarms", alarm_keys, {}},
        {"NoFlowAlarmsMask", MASK(no_flow_alarms), "No Flow Alarms", alarm_keys, {}},
        {"AdvancedSettingsMask", MASK(advanced_settings_more), "Advanced Settings", {14, 17, 95, 96, 110}, {off_on}},
        {"ConfirmFactoryResetMask", MASK(confirm_factory_reset), "Confirm Factory Reset", {7, 9}, {}},
        {"FactoryUpgradeMask", MASK(factory_upgrade), "Factory Upgrade", {14, 17, 58, 58, 111, 112},
         {{"     KX-4 Main", "      KX-4 AUX", "      Advanced"}}},
        {"SeederBrandMask", MASK(seeder_brand), "Seeder Brand", seeder_keys,
         {{"Generic", "Carvelund", "Halbek", "Plainridge", "Tarrock", "Ostrand", "Kevro"}}},
        {"BlockedHeadSettingsMask", MASK(blocked_head_settings), "Blocked Head Settings", seeder_keys,
         {{"Vemtra", "Hallen Berg"}, {"Single Shoot", "Double Shoot"}, {"Seed + Fert", "Seed Only", "Fert Only"}}},
        {"MultiTankCal1Mask", MASK(multi_tank_cal1), "Product", {29, 17, 8, 59, 6, 88}, {}},
        {"MultiTankCal2Mask", MASK(multi_tank_cal2), "Product", {8, 9}, {}},
        {"MultiTankCal3Mask", MASK(multi_tank_cal3), nullptr,
         std::vector<int>{29, 17, 109, 100} + codes(101, 108), {}},
    };
    return all;
}

#undef MASK

struct Built {
    Built() : writer(seeder_pool_writer_size, nullptr)
    {
        complete = build_seeder_pool(*ids, writer, VtSize(240, 240));
        bytes.assign(writer.getData(), writer.getData() + writer.getLength());
        check = std::make_unique<Iop_check>(bytes);
    }

    std::unique_ptr<Seeder_pool_ids> ids = std::make_unique<Seeder_pool_ids>();
    VtWriter writer;
    bool complete = false;
    std::vector<uint8_t> bytes;
    std::unique_ptr<Iop_check> check;
};

const Built& built()
{
    static const Built once;
    return once;
}

// The objects of screen i: from its data mask up to the next screen's.
std::vector<const Iop_check::Object*> objects_of(size_t i)
{
    const std::vector<Screen>& all = screens();
    const Seeder_pool_ids& ids = *built().ids;
    const uint16_t first = all[i].mask(ids);
    const uint16_t end = i + 1 < all.size() ? all[i + 1].mask(ids) : 0xFFFF;
    std::vector<const Iop_check::Object*> objects;
    for (const auto& [id, object] : built().check->objects())
        if (id >= first && id < end)
            objects.push_back(&object);
    return objects;
}

// Width and height of an Input List or Output String, from its record.
std::pair<uint16_t, uint16_t> size_of(const Iop_check::Object& object)
{
    const std::vector<uint8_t>& pool = built().bytes;
    const size_t at = object.offset + 3;
    return {uint16_t(pool[at] | pool[at + 1] << 8), uint16_t(pool[at + 2] | pool[at + 3] << 8)};
}

TEST(Seeder_screens, the_table_names_every_builder_in_build_order_with_ascending_masks)
{
    ASSERT_TRUE(built().complete);
    ASSERT_EQ(screens().size(), seeder_screens.size());
    for (size_t i = 0; i < screens().size(); ++i) {
        SCOPED_TRACE(screens()[i].name);
        EXPECT_STREQ(screens()[i].name, seeder_screens[i].name);
        const Iop_check::Object* mask = built().check->find(screens()[i].mask(*built().ids));
        ASSERT_NE(mask, nullptr);
        EXPECT_EQ(mask->type, 1);
        if (i > 0) {
            EXPECT_GT(screens()[i].mask(*built().ids), screens()[i - 1].mask(*built().ids));
        }
    }
}

TEST(Seeder_screens, each_screen_shows_its_title)
{
    for (size_t i = 0; i < screens().size(); ++i) {
        const Screen& screen = screens()[i];
        if (!screen.title)
            continue;
        SCOPED_TRACE(screen.name);
        const auto objects = objects_of(i);
        EXPECT_TRUE(std::any_of(objects.begin(), objects.end(), [&](const Iop_check::Object* object) {
            return object->type == 11 && object->text == screen.title;
        }));
    }
}

TEST(Seeder_screens, each_screen_carries_the_key_codes_of_its_keys_and_buttons)
{
    for (size_t i = 0; i < screens().size(); ++i) {
        const Screen& screen = screens()[i];
        SCOPED_TRACE(screen.name);
        std::multiset<int> found;
        for (const Iop_check::Object* object : objects_of(i))
            if (object->type == 5 || object->type == 6)
                found.insert(int(built().bytes[object->offset + (object->type == 5 ? 4 : 9)]));
        for (int code : std::set<int>(screen.key_codes.begin(), screen.key_codes.end()))
            EXPECT_GE(found.count(code), size_t(std::count(screen.key_codes.begin(), screen.key_codes.end(), code)))
                << "key code " << code;
    }
}

TEST(Seeder_screens, each_input_list_offers_its_texts_as_strings_of_its_own_size)
{
    for (size_t i = 0; i < screens().size(); ++i) {
        const Screen& screen = screens()[i];
        SCOPED_TRACE(screen.name);
        std::vector<Texts> offered;
        for (const Iop_check::Object* object : objects_of(i)) {
            if (object->type != 10)
                continue;
            Texts texts;
            for (const Iop_check::Child& item : object->children) {
                const Iop_check::Object* text = built().check->find(item.id);
                ASSERT_NE(text, nullptr);
                ASSERT_EQ(text->type, 11);
                EXPECT_EQ(size_of(*text), size_of(*object)) << text->text;
                texts.push_back(text->text);
            }
            offered.push_back(texts);
        }
        for (const Texts& list : screen.lists)
            EXPECT_NE(std::find(offered.begin(), offered.end(), list), offered.end()) << list.front();
    }
}

TEST(Seeder_screens, each_screen_has_its_soft_key_masks_and_only_the_first_is_attached)
{
    for (size_t i = 0; i < screens().size(); ++i) {
        const Screen& screen = screens()[i];
        SCOPED_TRACE(screen.name);
        std::vector<uint16_t> soft_key_masks;
        for (const Iop_check::Object* object : objects_of(i))
            if (object->type == 4)
                soft_key_masks.push_back(object->id);
        ASSERT_EQ(soft_key_masks.size(), screen.soft_key_masks);
        EXPECT_EQ(built().check->find(screen.mask(*built().ids))->soft_key_mask, soft_key_masks.front());
    }
}

}
