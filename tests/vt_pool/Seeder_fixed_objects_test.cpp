#include "platform/iso/VT_Alarm_mask_obj.h"
#include "platform/iso/VT_Picture_graphic_obj.h"
#include "platform/iso/VT_Translatable_string_obj.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

#include "tests/support/Iop_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace VT;
using Bytes = std::vector<uint8_t>;

// The seeder pool with its fixed members open to the test.
struct Open_pool : seeder_ecu_pool {
    Open_pool() : seeder_ecu_pool(nullptr, nullptr, 0) {}
    using Application_pool::get_fixed;
};

struct Child {
    uint16_t id;
    int16_t x;
    int16_t y;
    bool operator==(const Child& o) const { return id == o.id && x == o.x && y == o.y; }
};

std::ostream& operator<<(std::ostream& out, const Child& c)
{
    return out << c.id << " at (" << c.x << ", " << c.y << ")";
}

class Seeder_fixed_objects_test : public ::testing::Test {
protected:
    // The object as the Virtual Terminal reads it from the pool's image.
    const Iop_check::Object& sent(uint16_t id) const
    {
        static const Iop_check::Object missing;
        const Iop_check::Object* o = check.find(id);
        EXPECT_NE(o, nullptr) << id;
        return o ? *o : missing;
    }
    std::vector<Child> children_of(uint16_t id) const
    {
        std::vector<Child> out;
        for (const Iop_check::Child& c : sent(id).children)
            out.push_back({c.id, c.x, c.y});
        return out;
    }
    // The first n bytes of the object's record in the image.
    Bytes record(uint16_t id, size_t n) const
    {
        const size_t at = sent(id).offset;
        return at + n <= image.size() ? Bytes(image.begin() + long(at), image.begin() + long(at + n)) : Bytes{};
    }

    std::unique_ptr<Open_pool> pool{new Open_pool};
    Bytes image = pool->serialise();
    Iop_check check{image};
};

TEST_F(Seeder_fixed_objects_test, fill_slots_973_to_1295_by_id_with_unique_names_and_the_classes_of_the_pool)
{
    std::map<int, int> types;
    int generated = 0;
    for (unsigned short slot = 0; slot < 1296; ++slot) {
        const VT_obj* o = pool->get_table()[slot];
        ASSERT_NE(o, nullptr) << slot;
        ASSERT_EQ(o->get_id(), slot + 256);
        EXPECT_EQ(pool->__find_object(o->get_id()), o);
        if (slot < 973)
            continue;
        EXPECT_EQ(pool->__find_object(o->get_name(), true), o) << o->get_name(); // no other has its name
        ++types[o->get_type()];
        if (std::strncmp(o->get_name(), "DYN_OBJ_", 8) == 0) {
            EXPECT_EQ(o->get_name(), "DYN_OBJ_" + std::to_string(o->get_id() - 973));
            ++generated;
        }
    }
    EXPECT_EQ(types, (std::map<int, int>{{string_variable, 96}, {output_string, 91}, {alarm_mask, 63},
                                         {rectangle, 9},        {picture_graphic, 8}, {output_number, 8},
                                         {fill_attributes, 8},  {container, 8},       {key, 7},
                                         {input_number, 5},     {soft_key_mask, 4},   {font_attributes, 4},
                                         {number_variable, 3},  {line_attributes, 2}, {data_mask, 2},
                                         {working_set, 1},      {object_pointer, 1},  {linear_bar_graph, 1},
                                         {input_string, 1},     {input_list, 1}}));
    EXPECT_EQ(generated, 91);

    const struct {
        const char* name;
        uint16_t id;
    } named[] = {{"skpic_seeder", 1229},  {"quvel", 1230},      {"mask_intro", 1235},
                 {"Font_attributes_heading5", 1236}, {"DYN_OBJ_286", 1259}, {"keys_working", 1271},
                 {"pui_pointer_0", 1541}, {"DYN_OBJ_576", 1549}, {"alarm_common_objs", 1551}};
    for (const auto& n : named)
        EXPECT_EQ(pool->__find_object(n.name, true), pool->__find_object(n.id)) << n.name;
    EXPECT_NE(pool->__find_object("fill_attributes_bg", true), pool->__find_object("fill_attributes_white", true));
}

TEST_F(Seeder_fixed_objects_test, the_image_passes_the_independent_checker_with_one_working_set_and_63_alarm_masks)
{
    for (const Iop_check::Error& e : check.errors())
        ADD_FAILURE() << e.object << " (in " << e.parent << "): " << e.text;
    EXPECT_EQ(check.working_set(), 1230);
    EXPECT_EQ(check.count(0), 1u);
    EXPECT_EQ(check.count(2), 63u);
    EXPECT_EQ(check.count(1), 7u + 2u); // the common pool's and the intro and working masks
    EXPECT_EQ(sent(1230).active_mask, 1235);
}

TEST_F(Seeder_fixed_objects_test, records_carry_the_attributes_in_the_standards_order)
{
    const struct Case {
        uint16_t id;
        Bytes bytes;
    } cases[] = {
        // graph_upload: 180 x 14, options 49, 0 to 1000 on var_upload
        {1233, {0xD1, 0x04, 18, 180, 0, 14, 0, 0, 0, 49, 0, 0, 0, 0xE8, 0x03, 0xD0, 0x04, 0, 0, 0xFF, 0xFF, 0, 0, 0}},
        // mask_title1: "BLANK" counted, no terminator
        {1237, {0xD5, 0x04, 11, 100, 0, 25, 0, 12, 0xD4, 0x04, 1, 0xFF, 0xFF, 0, 5, 0, 'B', 'L', 'A', 'N', 'K', 0}},
        // myString: ten full stops
        {1256, {0xE8, 0x04, 8, 100, 0, 20, 0, 2, 0xD4, 0x04, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0, 10, '.', '.', '.', '.',
                '.', '.', '.', '.', '.', '.', 1, 0}},
        // myNum: 1 of 0 to 200, offset -100, scale 0.1, one decimal, not enabled
        {1257, {0xE9, 0x04, 9, 100, 0, 20, 0, 2, 0xD4, 0x04, 0, 0xFF, 0xFF, 1, 0, 0, 0, 0, 0, 0, 0, 200, 0, 0, 0,
                0x9C, 0xFF, 0xFF, 0xFF, 0xCD, 0xCC, 0xCC, 0x3D, 1, 0, 0, 0, 0}},
        // il_edit_tank: five items, the first "All"
        {1277, {0xFD, 0x04, 10, 30, 0, 7, 0, 0xFF, 0xFF, 0, 5, 1, 0, 0xF8, 0x04, 0xF9, 0x04, 0xFA, 0x04, 0xFB, 0x04,
                0xFC, 0x04}},
        // on_channel_preset_1: offset -30000, scale 1.0, zero shown blank, centred
        {1281, {0x01, 0x05, 12, 10, 0, 10, 0, 1, 0xE5, 0x04, 5, 0xFF, 0xFF, 0, 0, 0, 0, 0xD0, 0x8A, 0xFF, 0xFF, 0, 0,
                0x80, 0x3F, 0, 0, 1, 0}},
        // in_channel_setpt_1
        {1285, {0x05, 0x05, 9, 60, 0, 12, 0, 1, 0xD4, 0x04, 1, 0xFF, 0xFF, 1, 0, 0, 0, 0, 0, 0, 0, 200, 0, 0, 0,
                0x9C, 0xFF, 0xFF, 0xFF, 0xCD, 0xCC, 0xCC, 0x3D, 1, 0, 0, 0, 0}},
        // the first alarm's message: 220 x 215, wrapping, on ts_alarm_FAN_PRESSURE_LOW, no text of its own
        {1415, {0x87, 0x05, 11, 220, 0, 215, 0, 1, 0xE4, 0x04, 3, 0x31, 0x05, 0, 0, 0, 0}},
        // its mask: black, keys_alarm, priority 1, acoustic signal 0
        {1416, {0x88, 0x05, 2, 0, 0x06, 0x06, 1, 0, 3, 0, 0x0F, 0x06, 0, 0, 0, 0, 0x0C, 0x06, 10, 0, 11, 0, 0x87,
                0x05, 10, 0, 85, 0}},
        // the alarms' white square
        {1549, {0x0D, 0x06, 14, 0xE2, 0x04, 234, 0, 234, 0, 0, 0xDC, 0x04, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(record(c.id, c.bytes.size()), c.bytes) << c.id;
}

TEST_F(Seeder_fixed_objects_test, tank_n_is_container_1278_plus_10n_of_the_nine_ids_below_it_on_the_working_mask)
{
    EXPECT_EQ(children_of(1258),
              (std::vector<Child>{{1278, 0, 0}, {1288, 0, 48}, {1298, 0, 96}, {1308, 0, 144}, {1318, 0, 192}}));
    EXPECT_EQ(children_of(1278), (std::vector<Child>{{1277, 3, 27}}));
    const Child at[9] = {{0, 3, 3}, {0, 3, 35}, {0, 3, 35}, {0, 3, 3}, {0, 3, 27},
                         {0, 120, 3}, {0, 120, 27}, {0, 180, 3}, {0, 180, 27}};
    for (uint16_t n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        const uint16_t container = uint16_t(1278 + 10 * n);
        std::vector<Child> expected;
        for (uint16_t i = 0; i < 9; ++i)
            expected.push_back({uint16_t(1269 + 10 * n + i), at[i].x, at[i].y});
        EXPECT_EQ(children_of(container), expected);
        EXPECT_EQ(sent(container).type, 3);
        EXPECT_EQ(sent(container - 6).variable, 1319); // the titles all rows share
        EXPECT_EQ(sent(container - 4).variable, 1320);
        EXPECT_EQ(sent(container - 2).variable, 1321);
        EXPECT_EQ(sent(container - 5).text, "PRODUCT ????");
        EXPECT_EQ(pool->__find_object(("container_wrk_tank_" + std::to_string(n)).c_str(), true),
                  pool->__find_object(container));
        EXPECT_EQ(pool->__find_object(("os_channel_product_" + std::to_string(n)).c_str(), true),
                  pool->__find_object(container - 5));
    }
}

TEST_F(Seeder_fixed_objects_test, a_product_name_is_read_from_its_twelve_bytes_whenever_the_pool_is_written)
{
    char(&name)[12] = pool->get_fixed().tanks.entry[2].product_name;
    std::memcpy(name, "BARLEY OATS!", sizeof name);
    const Iop_check again(pool->serialise());
    ASSERT_NE(again.find(1303), nullptr);
    EXPECT_EQ(again.find(1303)->text, "BARLEY OATS!");
    EXPECT_EQ(again.find(1293)->text, "PRODUCT ????"); // the other rows keep theirs
}

TEST_F(Seeder_fixed_objects_test, the_96_strings_have_their_names_even_lengths_and_texts_padded_with_spaces)
{
    const struct Row {
        uint16_t id;
        const char* name;
        uint16_t length;
        const char* text;
    } rows[] = {
        {1319, "ts_title_tank", 6, "Tank1"},
        {1320, "ts_title_rate", 6, "Rate1"},
        {1321, "ts_title_rem", 8, "Rmaing1"},
        {1322, "ts_settings", 8, "Settings"},
        {1323, "ts_tank_on_off", 10, "TankOnOff"},
        {1324, "ts_preset", 6, "Preset"},
        {1325, "ts_inc", 4, "INC"},
        {1326, "ts_dec", 4, "DEC"},
        {1327, "ts_master", 6, "Master"},
        {1328, "ts_all", 4, "All"},
        {1329, "ts_alarm_FAN_PRESSURE_LOW", 16, "Fan pressure low"},
        {1330, "ts_alarm_FAN_PRESSURE_HIGH", 18, "Fan pressure high"},
        {1331, "ts_alarm_FAN_SPEED_LOW", 14, "Fan speed low"},
        {1332, "ts_alarm_FAN_SPEED_HIGH", 14, "Fan speed high"},
        {1333, "ts_alarm_FAN_SENSOR_FAIL_1", 20, "Fan 1 sensor failed"},
        {1334, "ts_alarm_FAN_SENSOR_FAIL_2", 20, "Fan 2 sensor failed"},
        {1335, "ts_alarm_TANK_LOW_1", 24, "Tank 1 low (calculated)"},
        {1336, "ts_alarm_TANK_LOW_2", 24, "Tank 2 low (calculated)"},
        {1337, "ts_alarm_TANK_LOW_3", 24, "Tank 3 low (calculated)"},
        {1338, "ts_alarm_TANK_LOW_4", 24, "Tank 4 low (calculated)"},
        {1339, "ts_alarm_TANK_EMPTY_1", 22, "Tank 1 empty (sensor)"},
        {1340, "ts_alarm_TANK_EMPTY_2", 22, "Tank 2 empty (sensor)"},
        {1341, "ts_alarm_TANK_EMPTY_3", 22, "Tank 3 empty (sensor)"},
        {1342, "ts_alarm_TANK_EMPTY_4", 22, "Tank 4 empty (sensor)"},
        {1343, "ts_alarm_TEMPERATURE", 24, "System temperature high"},
        {1344, "ts_alarm_TANK_SHAFT_1", 20, "Tank 1 shaft stopped"},
        {1345, "ts_alarm_TANK_SHAFT_2", 20, "Tank 2 shaft stopped"},
        {1346, "ts_alarm_TANK_SHAFT_3", 20, "Tank 3 shaft stopped"},
        {1347, "ts_alarm_TANK_SHAFT_4", 20, "Tank 4 shaft stopped"},
        {1348, "ts_alarm_TANK_ALT_RATE_1", 28, "Tank 1 alternate rate in use"},
        {1349, "ts_alarm_TANK_ALT_RATE_2", 28, "Tank 2 alternate rate in use"},
        {1350, "ts_alarm_TANK_ALT_RATE_3", 28, "Tank 3 alternate rate in use"},
        {1351, "ts_alarm_TANK_ALT_RATE_4", 28, "Tank 4 alternate rate in use"},
        {1352, "ts_alarm_TANK_INCORR_RATE_1", 16, "Rate 1 incorrect"},
        {1353, "ts_alarm_TANK_INCORR_RATE_2", 16, "Rate 2 incorrect"},
        {1354, "ts_alarm_TANK_INCORR_RATE_3", 16, "Rate 3 incorrect"},
        {1355, "ts_alarm_TANK_INCORR_RATE_4", 16, "Rate 4 incorrect"},
        {1356, "ts_alarm_TANK_OFF_MASTER_ON_1", 26, "Tank 1 off with master on"},
        {1357, "ts_alarm_TANK_OFF_MASTER_ON_2", 26, "Tank 2 off with master on"},
        {1358, "ts_alarm_TANK_OFF_MASTER_ON_3", 26, "Tank 3 off with master on"},
        {1359, "ts_alarm_TANK_OFF_MASTER_ON_4", 26, "Tank 4 off with master on"},
        {1360, "ts_alarm_NO_FLOW_TANKS_OFF", 20, "No flow - tanks off"},
        {1361, "ts_alarm_NO_FLOW_NO_SPEED", 26, "No flow - no ground speed"},
        {1362, "ts_alarm_NO_FLOW_NO_FAN", 22, "No flow - no fan speed"},
        {1363, "ts_alarm_NO_FLOW_NO_FAN_PRESS", 26, "No flow - no fan pressure"},
        {1364, "ts_alarm_MASTER_OFF", 36, "Master switch off with tanks active"},
        {1365, "ts_alarm_NO_COMMS", 16, "No comms. Stop."},
        {1366, "ts_alarm_CASE_DRAIN", 10, "Case Drain"},
        {1367, "ts_alarm_BLOCKED_HEAD", 12, "Blocked Head"},
        {1368, "ts_alarm_SHAFT_MV_TANK_OFF_1", 28, "Shaft 1 moving with tank off"},
        {1369, "ts_alarm_SHAFT_MV_TANK_OFF_2", 28, "Shaft 2 moving with tank off"},
        {1370, "ts_alarm_SHAFT_MV_TANK_OFF_3", 28, "Shaft 3 moving with tank off"},
        {1371, "ts_alarm_SHAFT_MV_TANK_OFF_4", 28, "Shaft 4 moving with tank off"},
        {1372, "ts_alarm_MOTOR_SENSOR_1", 22, "Motor 1 sensor failed"},
        {1373, "ts_alarm_MOTOR_SENSOR_2", 22, "Motor 2 sensor failed"},
        {1374, "ts_alarm_MOTOR_SENSOR_3", 22, "Motor 3 sensor failed"},
        {1375, "ts_alarm_MOTOR_SENSOR_4", 22, "Motor 4 sensor failed"},
        {1376, "ts_alarm_MOTOR_JAM_1", 32, "Meter roller 1 jam - Switch off"},
        {1377, "ts_alarm_MOTOR_JAM_2", 32, "Meter roller 2 jam - Switch off"},
        {1378, "ts_alarm_MOTOR_JAM_3", 32, "Meter roller 3 jam - Switch off"},
        {1379, "ts_alarm_MOTOR_JAM_4", 32, "Meter roller 4 jam - Switch off"},
        {1380, "ts_alarm_TANK_GEAR_1", 28, "Tank 1 incorrect gear ratio"},
        {1381, "ts_alarm_TANK_GEAR_2", 28, "Tank 2 incorrect gear ratio"},
        {1382, "ts_alarm_TANK_GEAR_3", 28, "Tank 3 incorrect gear ratio"},
        {1383, "ts_alarm_TANK_GEAR_4", 28, "Tank 4 incorrect gear ratio"},
        {1384, "ts_alarm_TANK_PRESS_MIN_1", 20, "Tank 1 pressure low"},
        {1385, "ts_alarm_TANK_PRESS_MIN_2", 20, "Tank 2 pressure low"},
        {1386, "ts_alarm_TANK_PRESS_MIN_3", 20, "Tank 3 pressure low"},
        {1387, "ts_alarm_TANK_PRESS_MIN_4", 20, "Tank 4 pressure low"},
        {1388, "ts_alarm_TANK_PRESS_MAX_1", 20, "Tank 1 pressure high"},
        {1389, "ts_alarm_TANK_PRESS_MAX_2", 20, "Tank 2 pressure high"},
        {1390, "ts_alarm_TANK_PRESS_MAX_3", 20, "Tank 3 pressure high"},
        {1391, "ts_alarm_TANK_PRESS_MAX_4", 20, "Tank 4 pressure high"},
        {1392, "UNIT_NONE", 0, ""},
        {1393, "UNIT_FIXME", 4, "123"},
        {1394, "UNIT_DISTANCE", 4, "m  "},
        {1395, "UNIT_DISTANCE_SM", 4, "cm "},
        {1396, "UNIT_DISTANCE_LG", 4, "km "},
        {1397, "UNIT_SPEED", 4, "kph "},
        {1398, "UNIT_ANGLE", 4, "deg "},
        {1399, "UNIT_AREA", 6, "acres "},
        {1400, "UNIT_AREA_LG", 4, "ha "},
        {1401, "UNIT_AREA_LG2", 4, "ha "},
        {1402, "UNIT_VOLUME", 4, "l   "},
        {1403, "UNIT_VOLUME_DRY", 6, "l     "},
        {1404, "UNIT_MASS", 4, "kg "},
        {1405, "UNIT_MASS_KGN", 4, "kgN "},
        {1406, "UNIT_PRESSURE", 4, "kpa "},
        {1407, "UNIT_MASS_PER_AREA", 6, "kg/ha "},
        {1408, "UNIT_MASS_N_PER_AREA", 8, "kgN/ha "},
        {1409, "UNIT_VOLUME_PER_AREA", 6, "l/ha  "},
        {1410, "UNIT_AREA_PER_TIME", 6, "ha/hr "},
        {1411, "UNIT_MASS_PER_VOLUME", 6, "kg/l  "},
        {1412, "UNIT_MASS_PER_REV", 8, "kg/rev  "},
        {1413, "UNIT_PULSE_PER_VOLUME", 12, "pulses/l   "},
        {1414, "UNIT_PULSE_PER_KG_N", 12, "pulses/kgN "},
    };
    ASSERT_EQ(std::size(rows), 96u);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto* string = dynamic_cast<const Translatable_string_obj*>(pool->__find_object(r.id));
        ASSERT_NE(string, nullptr);
        EXPECT_STREQ(string->get_name(), r.name);
        EXPECT_EQ(string->get_length(), r.length);
        EXPECT_EQ(string->get_table_size(), 28);
        EXPECT_EQ(sent(r.id).type, 22);
        std::string shown = r.text;
        shown.resize(r.length, ' ');
        EXPECT_EQ(sent(r.id).text, shown);
    }
}

TEST_F(Seeder_fixed_objects_test, every_string_owns_a_buffer_of_spaces_and_a_table_of_one_text_and_27_shared_empty_ones)
{
    const char* const shared_empty = pool->get_fixed().texts.string.table[1];
    ASSERT_NE(shared_empty, nullptr);
    EXPECT_STREQ(shared_empty, "");
    int strings = 0, without_buffer = 0;
    pool->get_fixed().texts.each([&](auto& s) {
        SCOPED_TRACE(s.object.get_name());
        ++strings;
        EXPECT_EQ(s.object.get_table(), s.table);
        EXPECT_EQ(s.value.size(), s.object.get_length());
        EXPECT_EQ(std::string(s.value.begin(), s.value.end()), std::string(s.value.size(), ' '));
        if (s.value.empty())
            ++without_buffer;
        ASSERT_NE(s.table[0], nullptr);
        for (int slot = 1; slot < 28; ++slot)
            EXPECT_EQ(s.table[slot], shared_empty) << slot;
    });
    EXPECT_EQ(strings, 96);
    EXPECT_EQ(without_buffer, 1); // UNIT_NONE
    EXPECT_EQ(pool->get_fixed().texts.string.object.get_id(), 1319);
}

TEST_F(Seeder_fixed_objects_test, the_alarm_screens_find_all_63_masks_each_with_its_message_on_its_own_text)
{
    // The names as the alarm screens form them: a family's prefix and its number.
    const struct Family {
        const char* name;
        unsigned count; // 0: one mask, no number
    } families[] = {
        {"FAN_PRESSURE_LOW", 0}, {"FAN_PRESSURE_HIGH", 0}, {"FAN_SPEED_LOW", 0}, {"FAN_SPEED_HIGH", 0},
        {"FAN_SENSOR_FAIL_", 2}, {"TANK_LOW_", 4}, {"TANK_EMPTY_", 4}, {"TANK_PRESS_MIN_", 4},
        {"TANK_PRESS_MAX_", 4}, {"TEMPERATURE", 0}, {"MOTOR_SENSOR_", 4}, {"MOTOR_JAM_", 4},
        {"TANK_SHAFT_", 4}, {"TANK_GEAR_", 4}, {"TANK_ALT_RATE_", 4}, {"TANK_INCORR_RATE_", 4},
        {"TANK_OFF_MASTER_ON_", 4}, {"NO_FLOW_TANKS_OFF", 0}, {"NO_FLOW_NO_SPEED", 0}, {"NO_FLOW_NO_FAN", 0},
        {"NO_FLOW_NO_FAN_PRESS", 0}, {"MASTER_OFF", 0}, {"NO_COMMS", 0}, {"CASE_DRAIN", 0},
        {"BLOCKED_HEAD", 0}, {"SHAFT_MV_TANK_OFF_", 4},
    };
    std::vector<std::string> keys;
    for (const Family& f : families) {
        for (unsigned n = 1; n <= f.count; ++n)
            keys.push_back(f.name + std::to_string(n));
        if (!f.count)
            keys.push_back(f.name);
    }
    ASSERT_EQ(keys.size(), 63u);
    std::map<uint16_t, std::string> masks;
    for (const std::string& key : keys) {
        SCOPED_TRACE(key);
        const VT_obj* found = pool->find_object(("alarm_mask_" + key).c_str(), true);
        const auto* mask = dynamic_cast<const Alarm_mask_obj*>(found);
        ASSERT_NE(mask, nullptr);
        const uint16_t id = mask->get_id();
        masks[id] = key;
        EXPECT_EQ(mask->get_priority(), 1);
        EXPECT_EQ(sent(id).soft_key_mask, 1542);
        EXPECT_EQ(children_of(id), (std::vector<Child>{{1551, 0, 0}, {1548, 10, 11}, {uint16_t(id - 1), 10, 85}}));
        const uint16_t text = sent(id - 1).variable;
        EXPECT_EQ(text, 1328 + (id - 1414) / 2);
        ASSERT_NE(pool->__find_object(text), nullptr);
        EXPECT_EQ(pool->__find_object(text)->get_name(), "ts_alarm_" + key);
        EXPECT_EQ(sent(id - 1).text, ""); // shows its text only through the reference
    }
    ASSERT_EQ(masks.size(), 63u); // 63 different masks, the even IDs 1416 to 1540
    EXPECT_EQ(masks.begin()->first, 1416);
    EXPECT_EQ(masks.rbegin()->first, 1540);
    EXPECT_EQ(sent(1343).text, "System temperature high ");
}

TEST_F(Seeder_fixed_objects_test, aligned_children_sit_centred_and_the_border_strips_in_the_margins)
{
    EXPECT_EQ(children_of(1551), (std::vector<Child>{{1550, 0, 0}, {1547, 0, 0}}));
    EXPECT_EQ(children_of(1550), (std::vector<Child>{{1549, 3, 3}})); // the 234 x 234 square in 240 x 240
    // 237 x 3 and 3 x 237 strips: the spare 3 pixels along each split one before, two after
    EXPECT_EQ(children_of(1547),
              (std::vector<Child>{{1543, 1, 0}, {1544, 1, 237}, {1545, 0, 1}, {1546, 237, 1}}));
    int width = 0, height = 0;
    for (uint16_t strip : {1543, 1544}) {
        ASSERT_TRUE(pool->__find_object(strip)->get_displayed_size(width, height));
        EXPECT_EQ(width, 237);
        EXPECT_EQ(height, 3);
    }
    for (uint16_t strip : {1545, 1546}) {
        ASSERT_TRUE(pool->__find_object(strip)->get_displayed_size(width, height));
        EXPECT_EQ(width, 3);
        EXPECT_EQ(height, 237);
    }
    // The working set's designator keeps the place given; the intro mask's children theirs.
    EXPECT_EQ(children_of(1230), (std::vector<Child>{{1229, 10, 10}}));
    EXPECT_EQ(children_of(1235), (std::vector<Child>{{1231, 9, 30}, {1233, 30, 191}}));
    EXPECT_EQ(children_of(1240), (std::vector<Child>{{1255, 0, 0}}));
}

// A picture as sent: its actual size, transparency colour and raw data.
struct Picture {
    uint16_t width = 0, height = 0;
    uint8_t transparency = 0;
    Bytes data;
};

// Runs of (count, index) carried on across row ends; empty when a run is 0
// long or the runs do not end on the last pixel.
Bytes decoded(const Picture& p)
{
    Bytes pixels;
    for (size_t i = 0; i + 1 < p.data.size(); i += 2) {
        if (p.data[i] == 0)
            return {};
        pixels.insert(pixels.end(), p.data[i], p.data[i + 1]);
    }
    return pixels.size() == size_t(p.width) * p.height && p.data.size() % 2 == 0 ? pixels : Bytes{};
}

Bytes encoded(const Bytes& pixels)
{
    Bytes out;
    for (size_t i = 0; i < pixels.size();) {
        size_t n = 1;
        while (i + n < pixels.size() && pixels[i + n] == pixels[i] && n < 255)
            ++n;
        out.push_back(uint8_t(n));
        out.push_back(pixels[i]);
        i += n;
    }
    return out;
}

TEST_F(Seeder_fixed_objects_test, each_picture_decodes_to_its_size_and_encodes_back_to_the_same_bytes)
{
    auto picture = [&](uint16_t id) {
        // ID, type, width, actual width and height, format, options, transparency, length, macros, data
        const Bytes head = record(id, 17);
        Picture p;
        if (head.size() < 17)
            return p;
        p.width = uint16_t(head[5] | head[6] << 8);
        p.height = uint16_t(head[7] | head[8] << 8);
        p.transparency = head[11];
        const size_t length = size_t(head[12] | head[13] << 8 | head[14] << 16 | uint32_t(head[15]) << 24);
        p.data = Bytes(image.begin() + long(sent(id).offset + 17), image.begin() + long(sent(id).offset + 17 + length));
        return p;
    };
    const struct Case {
        uint16_t id;
        size_t pixels;
        bool transparent_areas;
    } cases[] = {{1229, 1936, true},  {1231, 47040, false}, {1255, 4800, false}, {1543, 2844, false},
                 {1544, 2844, false}, {1545, 2844, false},  {1546, 2844, false}, {1548, 5184, true}};
    std::map<uint16_t, Picture> pictures;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const Picture p = picture(c.id);
        const Bytes pixels = decoded(p);
        EXPECT_EQ(pixels.size(), c.pixels);
        EXPECT_EQ(encoded(pixels), p.data);
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), p.transparency) > 0, c.transparent_areas);
        pictures[c.id] = p;
    }

    // The border strips: one design turned four ways.
    const Picture& top = pictures[1543];
    const Bytes top_pixels = decoded(top), bottom = decoded(pictures[1544]), left = decoded(pictures[1545]),
                right = decoded(pictures[1546]);
    ASSERT_EQ(top_pixels.size(), 474u * 6u);
    ASSERT_EQ(left.size(), 474u * 6u);
    for (size_t y = 0; y < 6; ++y) {
        for (size_t x = 0; x < 474; ++x) {
            const uint8_t pixel = top_pixels[y * 474 + x];
            ASSERT_EQ(bottom[(5 - y) * 474 + x], pixel) << x << ", " << y;
            ASSERT_EQ(left[x * 6 + y], pixel) << x << ", " << y;
            ASSERT_EQ(right[x * 6 + (5 - y)], pixel) << x << ", " << y;
        }
    }
    EXPECT_EQ(std::set<uint8_t>(top_pixels.begin(), top_pixels.end()).size(), 2u);
    EXPECT_NE(bottom, top_pixels); // the design is not symmetric, so the turns show
    EXPECT_NE(right, left);
}

}
