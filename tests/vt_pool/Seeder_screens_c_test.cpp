// The settings screens of the seeder and its drives as the built pool holds
// them, read back with the independent pool checker: titles, soft keys and
// their codes, option texts, buttons, and every recorded ID.
#include "tests/support/Iop_check.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/build_seeder_pool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Ids = Seeder_pool_ids;
using Field = std::function<uint16_t(const Ids&)>;
using Texts = std::vector<std::string>;

struct Built {
    std::unique_ptr<Ids> ids = std::make_unique<Ids>();
    std::vector<uint8_t> bytes;
    std::unique_ptr<Iop_check> check;
};

const Built& built()
{
    static const Built pool = [] {
        Built b;
        VtWriter writer(seeder_pool_writer_size, nullptr);
        if (build_seeder_pool(*b.ids, writer, VtSize(240, 240)))
            b.bytes.assign(writer.getData(), writer.getData() + writer.getLength());
        b.check = std::make_unique<Iop_check>(b.bytes);
        return b;
    }();
    return pool;
}

const Iop_check::Object* find(uint16_t id)
{
    return built().check->find(id);
}

// The key code byte of a Key or Button record; -1 for any other object.
int key_code(uint16_t id)
{
    const Iop_check::Object* object = find(id);
    if (!object || (object->type != 5 && object->type != 6))
        return -1;
    // After the ID and type: a Key's background colour; a Button's size and
    // two colours.
    return built().bytes.at(object->offset + (object->type == 5 ? 4 : 9));
}

// Width and height, the first attributes of an Input List's and an Output
// String's record.
std::pair<int, int> size_of(uint16_t id)
{
    const Iop_check::Object* object = find(id);
    if (!object || (object->type != 10 && object->type != 11))
        return {-1, -1};
    const std::vector<uint8_t>& bytes = built().bytes;
    const size_t at = object->offset + 3;
    return {bytes.at(at) | bytes.at(at + 1) << 8, bytes.at(at + 2) | bytes.at(at + 3) << 8};
}

// The texts of the Output Strings shown in the object, depth first.
void collect_texts(uint16_t id, Texts& texts)
{
    const Iop_check::Object* object = find(id);
    if (!object)
        return;
    if (object->type == 11)
        texts.push_back(object->text);
    if (object->type == 10 || object->type == 27)
        return; // a list's options and a pointer's target are not on show as such
    for (const Iop_check::Child& child : object->children)
        collect_texts(child.id, texts);
}

Texts texts_of(uint16_t id)
{
    Texts texts;
    collect_texts(id, texts);
    return texts;
}

bool shows(uint16_t id, const std::string& text)
{
    for (const std::string& shown : texts_of(id)) {
        if (shown == text)
            return true;
    }
    return false;
}

// A soft key as placed on its mask: its code and its lines; code -1 marks
// an empty soft-key slot.
struct Key {
    int code;
    Texts lines;
    bool operator==(const Key& other) const { return code == other.code && lines == other.lines; }
};

std::ostream& operator<<(std::ostream& out, const Key& key)
{
    out << key.code;
    for (const std::string& line : key.lines)
        out << " \"" << line << '"';
    return out;
}

Key key_of(uint16_t id)
{
    const Iop_check::Object* object = find(id);
    if (object && object->type == 27)
        return {-1, {}};
    return {key_code(id), texts_of(id)};
}

std::vector<Key> soft_keys_of(uint16_t mask)
{
    std::vector<Key> keys;
    const Iop_check::Object* data_mask = find(mask);
    const Iop_check::Object* soft_keys = data_mask ? find(data_mask->soft_key_mask) : nullptr;
    if (soft_keys) {
        for (const Iop_check::Child& child : soft_keys->children)
            keys.push_back(key_of(child.id));
    }
    return keys;
}

Texts options_of(uint16_t list)
{
    Texts options;
    const Iop_check::Object* object = find(list);
    if (object && object->type == 10) {
        for (const Iop_check::Child& child : object->children) {
            const Iop_check::Object* option = find(child.id);
            options.push_back(option ? option->text : "<missing>");
        }
    }
    return options;
}

struct Coded {
    Field field;
    Key key; // a key outside the soft-key mask or a button on the mask
};

struct Listed {
    Field field;
    Texts options;
};

struct Screen {
    const char* name;
    Field mask;
    const char* title;
    std::vector<Key> soft_keys;
    std::vector<Coded> coded;
    std::vector<Listed> lists;
    Texts labels; // shown on the mask besides the title
};

const Texts off_on = {"Disabled", "Enabled"};
const std::vector<Key> seeder_keys = {
    {16, {"Seeder", "Menu"}}, {14, {"Settings", "Menu"}}, {17, {"Main", "Screen"}}};
const std::vector<Key> drive_keys = {
    {15, {"Tank", "Settings"}}, {16, {"Seeder", "Menu"}}, {14, {"Settings", "Mask"}}, {17, {"Main", "Screen"}}};
const Texts min_pwm = {"5%", "10%", "15%", "20%", "25%", "30%", "35%", "40%"};
const Texts max_pwm = {"100%", "95%", "90%", "85%", "80%", "75%", "70%", "65%"};
const Texts response = {"Fastest", "Medium Fast", "Medium Slow", "Slowest"};
const Texts dump = {"Disabled", "Enabled", "Reversed"};
const Texts valve_control_labels = {"Tank",      "Add Dither", "Min PWM",         "Soft Start",
                                    "Max PWM",   "Soft Stop",  "Controller Resp", "Dump Valve"};

#define FIELD(path) [](const Ids& ids) -> uint16_t { return ids.path; }

std::vector<Listed> valve_control_lists(std::function<const Valve_control_lists&(const Ids&)> lists)
{
    return {
        {[lists](const Ids& ids) -> uint16_t { return lists(ids).soft_start; }, off_on},
        {[lists](const Ids& ids) -> uint16_t { return lists(ids).soft_stop; }, off_on},
        {[lists](const Ids& ids) -> uint16_t { return lists(ids).add_dither; }, off_on},
        {[lists](const Ids& ids) -> uint16_t { return lists(ids).dump_valve; }, dump},
        {[lists](const Ids& ids) -> uint16_t { return lists(ids).min_pwm; }, min_pwm},
        {[lists](const Ids& ids) -> uint16_t { return lists(ids).max_pwm; }, max_pwm},
        {[lists](const Ids& ids) -> uint16_t { return lists(ids).response; }, response},
    };
}

std::vector<Listed> reg_valve_lists()
{
    const Texts pwm[4] = {{"100%", "65%", "60%", "55%"},
                          {"100%", "65%", "60%", "55%"},
                          {"60%", "55%", "50%", "45%"},
                          {"100%", "65%", "60%", "55%"}};
    const Texts max_on[4] = {{"4.0 s", "2.0 s", "1.0 s", "0.5 s"},
                             {"64 s", "56 s", "48 s", "40 s"},
                             {"48 s", "40 s", "32 s", "24 s"},
                             {"64 s", "56 s", "48 s", "40 s"}};
    const Texts min_on[4] = {{"8 ms", "4 ms", "2 ms", "1 ms"},
                             {"14 ms", "12 ms", "10 ms", "8 ms"},
                             {"8 ms", "6 ms", "4 ms", "2 ms"},
                             {"14 ms", "12 ms", "10 ms", "8 ms"}};
    const Texts gain[4] = {{"16 ms/%", "8 ms/%", "4 ms/%", "2 ms/%"},
                           {"4.8 ms/%", "4.0 ms/%", "3.2 ms/%", "2.4 ms/%"},
                           {"3.2 ms/%", "2.4 ms/%", "1.6 ms/%", "0.8 ms/%"},
                           {"4.8 ms/%", "4.0 ms/%", "3.2 ms/%", "2.4 ms/%"}};
    std::vector<Listed> lists = {
        {FIELD(liquid_reg_valve_control.reverse_valve), off_on},
        {FIELD(liquid_reg_valve_control.close_valve), off_on},
        {FIELD(liquid_reg_valve_control.relay_on), off_on},
        {FIELD(liquid_reg_valve_control.sensitivity), {"Standard", "Reduced"}},
        {FIELD(liquid_reg_valve_control.controller_mode), {"Standard", "Mezza-Flow", "HALLEN-berg", "Corra"}},
    };
    for (size_t m = 0; m < 4; ++m) {
        lists.push_back({[m](const Ids& ids) -> uint16_t { return ids.liquid_reg_valve_control.pwm_setting[m]; }, pwm[m]});
        lists.push_back({[m](const Ids& ids) -> uint16_t { return ids.liquid_reg_valve_control.max_on_time[m]; }, max_on[m]});
        lists.push_back({[m](const Ids& ids) -> uint16_t { return ids.liquid_reg_valve_control.min_on_time[m]; }, min_on[m]});
        lists.push_back({[m](const Ids& ids) -> uint16_t { return ids.liquid_reg_valve_control.gain_setting[m]; }, gain[m]});
    }
    return lists;
}

std::vector<Listed> tank_settings_lists()
{
    std::vector<Listed> lists = {{FIELD(tank_settings.tank_count), {"  1  ", "  2  ", "  3  ", "  4  "}}};
    for (size_t t = 0; t < 4; ++t) {
        lists.push_back({[t](const Ids& ids) -> uint16_t { return ids.tank_settings.types[t]; },
                         {"Granular", "Liquid", "NH3"}});
        lists.push_back({[t](const Ids& ids) -> uint16_t { return ids.tank_settings.granular_drives[t]; },
                         {"Electric", "Actuator", "P. Valve"}});
        lists.push_back(
            {[t](const Ids& ids) -> uint16_t { return ids.tank_settings.liquid_drives[t]; }, {"RegValve", "P. Valve"}});
    }
    return lists;
}

std::vector<Coded> setup_buttons()
{
    std::vector<Coded> buttons;
    for (size_t t = 0; t < 4; ++t)
        buttons.push_back({[t](const Ids& ids) -> uint16_t { return ids.tank_settings_more.setup_buttons[t]; },
                           {int(113 + t), {"Setup" + std::to_string(t + 1)}}});
    return buttons;
}

std::vector<Listed> fan_lists()
{
    std::vector<Listed> lists = {{FIELD(fan_settings.fan_count), {"1", "2"}},
                                 {FIELD(fan_settings.case_drain), off_on},
                                 {FIELD(fan_settings.pump), off_on}};
    for (size_t f = 0; f < 2; ++f) {
        lists.push_back({[f](const Ids& ids) -> uint16_t { return ids.fan_settings.senses[f]; }, off_on});
        lists.push_back({[f](const Ids& ids) -> uint16_t { return ids.fan_settings.gains[f]; }, {"1", "2"}});
    }
    return lists;
}

const std::vector<Screen>& screens()
{
    static const std::vector<Screen> table = {
        {"TankSettingsMask", FIELD(tank_settings.mask), "Tank Settings", seeder_keys, setup_buttons(),
         tank_settings_lists(), {"Tank", "Cap.", "Type", "Drive", "1", "2", "3", "4"}},
        {"ActuatorDriveSettingsMask", FIELD(actuator_drive.mask), "Actuator Drive Settings", drive_keys, {},
         {{FIELD(actuator_drive.clutch), off_on},
          {FIELD(actuator_drive.style), {"Vantrel", "Carvelund", "Generic"}}},
         {"Tank", "Encoder Teeth", "Clutch", "Style"}},
        {"ElectricDriveSettingsMask", FIELD(electric_drive.mask), "Electric Drive Settings", drive_keys, {},
         {{FIELD(electric_drive.motor_selection), {"Two pulse", "Four pulse", "Other"}},
          {FIELD(electric_drive.soft_start), off_on},
          {FIELD(electric_drive.shaft_sensor), off_on}},
         {"Tank", "Motor Selection", "Gear Ratio", "Pulses/Rev", "Soft Start", "Min Motor RPM", "Shaft Sensor",
          "Max Motor RPM", "Shaft Pulses/Rev"}},
        {"PropValveDriveSettingsMask", FIELD(prop_valve_drive.mask), "PValve Drive Settings", drive_keys,
         {{FIELD(prop_valve_drive.control_settings_button), {70, {"Control Settings"}}}},
         {{FIELD(prop_valve_drive.tank_clutch), off_on}, {FIELD(prop_valve_drive.shaft_sensor), off_on}},
         {"Tank", "Gear Ratio", "Tank Clutch", "Encoder Pulses/Rev", "Shaft Sensor", "Min Shaft RPM",
          "Shaft Pulses/Rev", "Max Shaft RPM"}},
        {"PropValveControlSettingsMask", FIELD(prop_valve_control.mask), "PValve Control Settings", drive_keys,
         {{FIELD(prop_valve_control.drive_settings_button), {71, {"Drive Settings"}}}},
         valve_control_lists([](const Ids& ids) -> const Valve_control_lists& { return ids.prop_valve_control.lists; }),
         valve_control_labels},
        {"LiquidPropValveSettingsMask", FIELD(liquid_prop_valve.mask), "Liquid/NH3 Settings", drive_keys,
         {{FIELD(liquid_prop_valve.setup_button), {71, {"Setup"}}}},
         {{FIELD(liquid_prop_valve.pressure_sense), off_on}},
         {"Tank", "Pressure Sense", "Num Nozzles", "Control Settings"}},
        {"LiquidPropValveControlSettingsMask", FIELD(liquid_prop_valve_control.mask), "PValve Control Settings",
         drive_keys, {{FIELD(liquid_prop_valve_control.settings_button), {71, {"Settings"}}}},
         valve_control_lists(
             [](const Ids& ids) -> const Valve_control_lists& { return ids.liquid_prop_valve_control.lists; }),
         valve_control_labels},
        {"LiquidRegValveControlSettingsMask", FIELD(liquid_reg_valve_control.mask), "RValve Control Settings",
         drive_keys, {{FIELD(liquid_reg_valve_control.settings_button), {71, {"Settings"}}}}, reg_valve_lists(),
         {"Tank", "Sensitivity", "Controller", "Mode", "PWM Setting", "Close Valve", "When Off", "Min On Time",
          "Reverse Valve", "Max On Time", "Relay On", "Gain Setting"}},
        {"WheelCalibrationSettingsMask", FIELD(wheel_calibration_settings.mask), "Wheel Calibration Settings",
         {{18, {"Calibrate", ""}}, {16, {"Seeder", "Menu"}}, {14, {"Settings", "Mask"}}, {17, {"Main", "Screen"}}},
         {},
         {},
         {"Wheel Factor", "/pulse"}},
        {"WheelCalibrationMask", FIELD(wheel_calibration.mask), "Wheel Calibration",
         {{9, {"Cancel"}}, {-1, {}}, {-1, {}}, {-1, {}}},
         {{FIELD(wheel_calibration.start_key), {58, {"Start"}}},
          {FIELD(wheel_calibration.accept_key), {7, {"Accept"}}},
          {FIELD(wheel_calibration.next_key), {8, {"Next"}}}},
         {},
         {"Wheel Factor", "/pulse", "Pulses", "Estimated", "Distance"}},
        {"WidthAndSpeedSettingsMask", FIELD(width_and_speed.mask), "Width And Speed Settings", seeder_keys, {},
         {{FIELD(width_and_speed.speed_source),
           {"GPS", "Wheel", "KX-4", "Manual", "ISO Wheel", "ISO Radar", "NMEA2000"}}},
         {"Width", "Manual Speed", "Speed Source"}},
        {"ExternalOptionsMask", FIELD(external_options.mask), "External Options", seeder_keys, {},
         {{FIELD(external_options.cabin_switch_box), off_on},
          {FIELD(external_options.master_clutch), off_on},
          {FIELD(external_options.master_switch), {"Disabled", "Switchbox", "Tillage", "KX-4"}},
          {FIELD(external_options.act_cal_style), {"Stationary", "Rolling"}},
          {FIELD(external_options.cal_switch_box), {"Disabled", "Run/Stop", "Multi-Tank"}},
          {FIELD(external_options.cal_drive), {"Disabled", "Drive 1", "Drive 2", "Drive 3", "Drive 4"}}},
         {"Cabin Switch Box", "Master Clutch", "Ext. Master Switch", "Actuator Cal Style", "Cal Switch Box",
          "Cal Drive"}},
        {"FanSettingsMask", FIELD(fan_settings.mask), "Fan Settings", seeder_keys, {}, fan_lists(),
         {"NumFans", "Case Drain Sensor", "Fan 1 Press. Sense/Gain", "Fan 2 Press. Sense/Gain", "Fan 1 Magnets",
          "Fan 2 Magnets", "Fan 2 Use As Pump"}},
        {"SeederBrandMask", FIELD(seeder_brand.mask), "Seeder Brand", seeder_keys, {},
         {{FIELD(seeder_brand.brand_list),
           {"Generic", "Carvelund", "Halbek", "Plainridge", "Tarrock", "Ostrand", "Kevro"}}},
         {"Seeder Brand"}},
        {"BlockedHeadSettingsMask", FIELD(blocked_head_settings.mask), "Blocked Head Settings", seeder_keys, {},
         {{FIELD(blocked_head_settings.monitoring), off_on},
          {FIELD(blocked_head_settings.sensor_type), {"Vemtra", "Hallen Berg"}},
          {FIELD(blocked_head_settings.head_systems), {"Single Shoot", "Double Shoot"}},
          {FIELD(blocked_head_settings.enabled_heads), {"Seed + Fert", "Seed Only", "Fert Only"}}},
         {"Monitoring", "Sensor Type", "Number of Sensors", "Head Systems", "Enabled Heads", "1st Fert Sensor"}},
    };
    return table;
}

// The entries of one group of the table, with the types they promise.
template <class Group>
std::vector<Seeder_pool_entry> entries_of(const Group& group)
{
    static_assert(sizeof(Group) % sizeof(Seeder_pool_entry) == 0);
    std::vector<Seeder_pool_entry> entries(sizeof(Group) / sizeof(Seeder_pool_entry));
    std::memcpy(entries.data(), &group, sizeof(Group));
    return entries;
}

TEST(Seeder_screens_c, the_pool_is_built_whole_and_the_checker_finds_no_error)
{
    ASSERT_FALSE(built().bytes.empty()) << "the pool did not fit its writer";
    const Iop_check& check = *built().check;
    for (const Iop_check::Error& error : check.errors())
        ADD_FAILURE() << "object " << error.object << " (from " << error.parent << "): " << error.text;
}

TEST(Seeder_screens_c, each_screen_shows_its_title_labels_and_soft_keys_in_order)
{
    const Ids& ids = *built().ids;
    for (const Screen& screen : screens()) {
        SCOPED_TRACE(screen.name);
        const uint16_t mask = screen.mask(ids);
        const Iop_check::Object* object = find(mask);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->type, 1);
        EXPECT_TRUE(shows(mask, screen.title));
        for (const std::string& label : screen.labels)
            EXPECT_TRUE(shows(mask, label)) << label;
        EXPECT_EQ(soft_keys_of(mask), screen.soft_keys);
    }
}

TEST(Seeder_screens_c, keys_off_the_soft_key_mask_and_buttons_carry_their_codes_and_texts)
{
    const Ids& ids = *built().ids;
    for (const Screen& screen : screens()) {
        for (const Coded& coded : screen.coded) {
            SCOPED_TRACE(std::string(screen.name) + " " + std::to_string(coded.key.code));
            EXPECT_EQ(key_of(coded.field(ids)), coded.key);
        }
    }
}

TEST(Seeder_screens_c, input_lists_hold_their_option_texts_in_order_at_the_list_size)
{
    const Ids& ids = *built().ids;
    for (const Screen& screen : screens()) {
        for (const Listed& list : screen.lists) {
            SCOPED_TRACE(std::string(screen.name) + " " + list.options.front());
            const uint16_t id = list.field(ids);
            const Iop_check::Object* object = find(id);
            ASSERT_NE(object, nullptr);
            EXPECT_EQ(options_of(id), list.options);
            EXPECT_TRUE(object->enabled);
            for (const Iop_check::Child& option : object->children)
                EXPECT_EQ(size_of(option.id), size_of(id));
        }
    }
}

TEST(Seeder_screens_c, the_option_ids_a_screen_swaps_in_are_those_of_its_list)
{
    const Ids& ids = *built().ids;
    const struct Case {
        const char* name;
        uint16_t list;
        std::vector<uint16_t> recorded;
    } cases[] = {
        {"master switch", ids.external_options.master_switch,
         {ids.external_options.master_switch_items.begin(), ids.external_options.master_switch_items.end()}},
        {"cal drive", ids.external_options.cal_drive,
         {ids.external_options.cal_drive_items.begin(), ids.external_options.cal_drive_items.end()}},
        {"brand", ids.seeder_brand.brand_list,
         {ids.seeder_brand.brand_items.begin(), ids.seeder_brand.brand_items.end()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Iop_check::Object* list = find(c.list);
        ASSERT_NE(list, nullptr);
        std::vector<uint16_t> options;
        for (const Iop_check::Child& child : list->children)
            options.push_back(child.id);
        EXPECT_EQ(options, c.recorded);
    }
}

TEST(Seeder_screens_c, each_mask_takes_the_first_soft_key_mask_made_after_it)
{
    const Ids& ids = *built().ids;
    const auto& objects = built().check->objects();
    for (const Screen& screen : screens()) {
        SCOPED_TRACE(screen.name);
        const uint16_t mask = screen.mask(ids);
        uint16_t first_after = Iop_check::no_object;
        for (auto it = objects.upper_bound(mask); it != objects.end() && it->second.type != 1; ++it) {
            if (it->second.type == 4) {
                first_after = it->first;
                break;
            }
        }
        ASSERT_NE(first_after, Iop_check::no_object);
        EXPECT_EQ(find(mask)->soft_key_mask, first_after);
    }
}

TEST(Seeder_screens_c, every_field_of_these_screens_names_an_object_of_the_type_it_promises)
{
    const Ids& ids = *built().ids;
    const struct Group {
        const char* name;
        std::vector<Seeder_pool_entry> entries;
    } groups[] = {
        {"tank settings", entries_of(ids.tank_settings)},
        {"tank settings, more", entries_of(ids.tank_settings_more)},
        {"actuator drive", entries_of(ids.actuator_drive)},
        {"electric drive", entries_of(ids.electric_drive)},
        {"prop valve drive", entries_of(ids.prop_valve_drive)},
        {"prop valve control", entries_of(ids.prop_valve_control)},
        {"liquid prop valve", entries_of(ids.liquid_prop_valve)},
        {"liquid prop valve control", entries_of(ids.liquid_prop_valve_control)},
        {"liquid reg valve control", entries_of(ids.liquid_reg_valve_control)},
        {"wheel calibration settings", entries_of(ids.wheel_calibration_settings)},
        {"wheel calibration", entries_of(ids.wheel_calibration)},
        {"width and speed", entries_of(ids.width_and_speed)},
        {"external options", entries_of(ids.external_options)},
        {"fan settings", entries_of(ids.fan_settings)},
        {"seeder brand", entries_of(ids.seeder_brand)},
        {"blocked head settings", entries_of(ids.blocked_head_settings)},
    };
    for (const Group& group : groups) {
        for (size_t i = 0; i < group.entries.size(); ++i) {
            SCOPED_TRACE(std::string(group.name) + " entry " + std::to_string(i));
            const Seeder_pool_entry& entry = group.entries[i];
            if (entry.type == any_vt_type) {
                EXPECT_EQ(entry.oid, 0xFFFF) << "a spare entry was written";
                continue;
            }
            const Iop_check::Object* object = find(entry.oid);
            ASSERT_NE(object, nullptr) << "no object " << entry.oid;
            EXPECT_EQ(object->type, entry.type);
        }
    }
}

TEST(Seeder_screens_c, the_distance_is_typed_and_shown_on_one_variable_and_the_slots_start_empty)
{
    const Wheel_calibration_ids& wheel = built().ids->wheel_calibration;
    for (uint16_t id : {wheel.distance_input.oid, wheel.distance_output.oid, wheel.distance_pointer.oid,
                        wheel.start_slot.oid, wheel.next_slot.oid, wheel.accept_slot.oid})
        ASSERT_NE(find(id), nullptr) << id;
    EXPECT_EQ(find(wheel.distance_input)->variable, wheel.distance_variable);
    EXPECT_EQ(find(wheel.distance_output)->variable, wheel.distance_variable);
    EXPECT_EQ(find(wheel.distance_pointer)->value, wheel.distance_output);
    for (uint16_t slot : {wheel.start_slot.oid, wheel.next_slot.oid, wheel.accept_slot.oid})
        EXPECT_EQ(find(slot)->value, 0xFFFF);
}

// 1 hidden, 0 shown, -1 no container.
int hidden(uint16_t container)
{
    const Iop_check::Object* object = find(container);
    return object && object->type == 3 ? int(object->hidden) : -1;
}

TEST(Seeder_screens_c, of_the_containers_shown_by_mode_or_kind_one_is_on_show_at_first)
{
    const Ids& ids = *built().ids;
    const auto& reg = ids.liquid_reg_valve_control;
    for (const auto* containers : {&reg.pwm_setting_containers, &reg.max_on_time_containers,
                                   &reg.min_on_time_containers, &reg.gain_setting_containers}) {
        for (size_t m = 0; m < 4; ++m)
            EXPECT_EQ(hidden((*containers)[m]), m == 0 ? 0 : 1) << "mode " << m;
    }
    for (size_t t = 0; t < 4; ++t) {
        EXPECT_EQ(hidden(ids.tank_settings.granular_drive_containers[t]), 0);
        EXPECT_EQ(hidden(ids.tank_settings.liquid_drive_containers[t]), 1);
    }
    const auto& electric = ids.electric_drive;
    for (const Motor_value_containers* value :
         {&electric.pulses_per_rev_containers, &electric.max_rpm_containers, &electric.min_rpm_containers}) {
        EXPECT_EQ(hidden(value->custom), 0);
        EXPECT_EQ(hidden(value->fixed), 1);
    }
}

}
