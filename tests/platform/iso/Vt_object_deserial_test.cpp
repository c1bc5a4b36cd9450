#include "tests/platform/iso/Vt_records.h"

#include "platform/iso/VT_Alarm_mask_obj.h"
#include "platform/iso/VT_Arched_bar_graph_obj.h"
#include "platform/iso/VT_Auxiliary_function_obj.h"
#include "platform/iso/VT_Auxiliary_input_obj.h"
#include "platform/iso/VT_Button_obj.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Ellipse_obj.h"
#include "platform/iso/VT_Fill_attributes_obj.h"
#include "platform/iso/VT_Font_attributes_obj.h"
#include "platform/iso/VT_Input_attributes_obj.h"
#include "platform/iso/VT_Input_boolean_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Key_obj.h"
#include "platform/iso/VT_Line_attributes_obj.h"
#include "platform/iso/VT_Line_obj.h"
#include "platform/iso/VT_Linear_bar_graph_obj.h"
#include "platform/iso/VT_Macro_obj.h"
#include "platform/iso/VT_Meter_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_deserial.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Object_pool.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Picture_graphic_obj.h"
#include "platform/iso/VT_Polygon_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/iso/VT_Soft_key_mask_obj.h"
#include "platform/iso/VT_String_variable_obj.h"

#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using namespace VT;

template <class T>
bool is(const VT_obj* object)
{
    return dynamic_cast<const T*>(object) != nullptr;
}

struct Typed_record {
    const char* what;
    Bytes bytes;
    bool (*has_class)(const VT_obj*);
    int width = -1, height = -1; // the size it is drawn at, where it has one
};

// One record of every type a pool may load, each with values away from the
// defaults, lists of more than one entry where the type has lists.
const std::vector<Typed_record>& records_of_every_type()
{
    static const std::vector<Typed_record> records = {
        {"data mask", record(20001, 1, {0x01, 0xD0, 0x07, 0x01, 0x00, 0xB8, 0x0B, 0xFB, 0xFF, 0x0A, 0x00}),
         is<Data_mask_obj>},
        {"alarm mask with a macro",
         record(20002, 2, {0x00, 0x10, 0x27, 0x01, 0x02, 0x01, 0x01, 0xE8, 0x03, 0x05, 0x00, 0x06, 0x00, 0x0A, 0x01}),
         is<Alarm_mask_obj>},
        {"container",
         record(20003, 3,
                {0xF0, 0x00, 0x30, 0x00, 0x01, 0x02, 0x00, 0xE9, 0x03, 0x00, 0x00, 0x00, 0x00, 0xEA, 0x03, 0x0A, 0x00,
                 0x14, 0x00}),
         is<Container_obj>, 240, 48},
        {"soft key mask", record(20004, 4, {0x07, 0x02, 0x00, 0xE8, 0x03, 0xE9, 0x03}), is<Soft_key_mask_obj>},
        {"key", record(20005, 5, {0x51, 0x02, 0x01, 0x00, 0xE8, 0x03, 0x00, 0x00, 0x00, 0x00}), is<Key_obj>},
        {"button",
         record(20006, 6,
                {0x28, 0x00, 0x14, 0x00, 0x07, 0x00, 0x03, 0x01, 0x01, 0x00, 0xE8, 0x03, 0x01, 0x00, 0x02, 0x00}),
         is<Button_obj>, 40, 20},
        {"input boolean", record(20007, 7, {0x01, 0x10, 0x00, 0xE8, 0x03, 0xFF, 0xFF, 0x01, 0x01, 0x00}),
         is<Input_boolean_obj>, 16, 16},
        {"input string",
         record(20008, 8,
                {0x64, 0x00, 0x14, 0x00, 0x02, 0xE8, 0x03, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 0x03, 'a', 'b', 'c',
                 0x01, 0x00}),
         is<Input_string_obj>, 100, 20},
        {"input number",
         record(20009, 9,
                {0x64, 0x00, 0x14, 0x00, 0x02, 0xE8, 0x03, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
                 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0x9C, 0xFF, 0xFF, 0xFF, 0xCD, 0xCC, 0xCC, 0x3D, 0x01, 0x00,
                 0x00, 0x00, 0x00}),
         is<Input_number_obj>, 100, 20},
        {"input list",
         record(20010, 10, {0x64, 0x00, 0x14, 0x00, 0xFF, 0xFF, 0x00, 0x02, 0x01, 0x00, 0xE8, 0x03, 0xFF, 0xFF}),
         is<Input_list_obj>, 100, 20},
        {"output string",
         record(20011, 11,
                {0x64, 0x00, 0x19, 0x00, 0x0C, 0xE8, 0x03, 0x01, 0xFF, 0xFF, 0x00, 0x05, 0x00, 'B', 'L', 'A', 'N',
                 'K', 0x00}),
         is<Output_string_obj>, 100, 25},
        {"output number",
         record(20012, 12,
                {0x28, 0x00, 0x0A, 0x00, 0x01, 0xE8, 0x03, 0x00, 0xFF, 0xFF, 0x39, 0x30, 0x00, 0x00, 0x00, 0x00,
                 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x02, 0x00, 0x02, 0x00}),
         is<Output_number_obj>, 40, 10},
        {"line", record(20013, 13, {0xE8, 0x03, 0x0A, 0x00, 0x05, 0x00, 0x01, 0x00}), is<Line_obj>, 10, 5},
        {"rectangle", record(20014, 14, {0xE8, 0x03, 0x14, 0x00, 0x0A, 0x00, 0x00, 0xE9, 0x03, 0x00}),
         is<Rectangle_obj>, 20, 10},
        {"ellipse", record(20015, 15, {0xE8, 0x03, 0x14, 0x00, 0x0A, 0x00, 0x00, 0x00, 0xB4, 0xE9, 0x03, 0x00}),
         is<Ellipse_obj>, 20, 10},
        {"polygon",
         record(20016, 16,
                {0x0A, 0x00, 0x0A, 0x00, 0xE8, 0x03, 0xE9, 0x03, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A,
                 0x00, 0x00, 0x00, 0x05, 0x00, 0x0A, 0x00}),
         is<Polygon_obj>, 10, 10},
        {"meter",
         record(20017, 17,
                {0x40, 0x00, 0x00, 0x01, 0x02, 0x0F, 0x05, 0x00, 0xB4, 0x00, 0x00, 0x64, 0x00, 0xFF, 0xFF, 0x32,
                 0x00, 0x00}),
         is<Meter_obj>, 64, 64},
        {"linear bar graph",
         record(20018, 18,
                {0xB4, 0x00, 0x0E, 0x00, 0x00, 0x00, 0x31, 0x00, 0x00, 0x00, 0xE8, 0x03, 0xE8, 0x03, 0x00, 0x00,
                 0xFF, 0xFF, 0x00, 0x00, 0x00}),
         is<Linear_bar_graph_obj>, 180, 14},
        {"arched bar graph with two macros",
         record(20019, 19,
                {0x3C, 0x00, 0x3C, 0x00, 0x00, 0x01, 0x00, 0x00, 0xB4, 0x0A, 0x00, 0x00, 0x00, 0x64, 0x00, 0xFF,
                 0xFF, 0x05, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x02, 0x01, 0x05, 0x02, 0x06}),
         is<Arched_bar_graph_obj>, 60, 60},
        {"picture graphic",
         record(20020, 20,
                {0x02, 0x00, 0x04, 0x00, 0x02, 0x00, 0x02, 0x04, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x05, 0x01,
                 0x03, 0x02}),
         is<Picture_graphic_obj>, 2, 1},
        {"number variable", record(20021, 21, {0x40, 0xE2, 0x01, 0x00}), is<Number_variable_obj>},
        {"string variable", record(20022, 22, {0x04, 0x00, 'a', 'b', ' ', ' '}), is<String_variable_obj>},
        {"font attributes", record(20023, 23, {0x00, 0x01, 0x01, 0x00, 0x00}), is<Font_attributes_obj>},
        {"line attributes", record(20024, 24, {0x00, 0x01, 0xFF, 0xFF, 0x00}), is<Line_attributes_obj>},
        {"fill attributes", record(20025, 25, {0x02, 0x0C, 0xFF, 0xFF, 0x00}), is<Fill_attributes_obj>},
        {"input attributes", record(20026, 26, {0x00, 0x03, '0', '1', '2', 0x00}), is<Input_attributes_obj>},
        {"object pointer", record(20027, 27, {0xE8, 0x03}), is<Object_pointer_obj>},
        {"macro", record(20028, 28, {0x05, 0x00, 0xA0, 0xE8, 0x03, 0x01, 0xFF}), is<Macro_obj>},
        {"auxiliary function", record(20029, 29, {0x00, 0x00, 0x01, 0xE8, 0x03, 0x00, 0x00, 0x00, 0x00}),
         is<Auxiliary_function_obj>},
        {"auxiliary input", record(20030, 30, {0x00, 0x00, 0x03, 0x00}), is<Auxiliary_input_obj>},
    };
    return records;
}

Bytes all_records()
{
    Bytes out;
    for (const Typed_record& r : records_of_every_type())
        out.insert(out.end(), r.bytes.begin(), r.bytes.end());
    return out;
}

uint16_t id_of(const Bytes& bytes)
{
    return uint16_t(bytes[0] | bytes[1] << 8);
}

// A pool of no table of its own, to load records into.
struct Scratch {
    Scratch() { loader.init(&pool); }
    bool run(const Bytes& bytes) { return loader.run(bytes.data(), bytes.size()); }

    Object_pool pool{nullptr, nullptr, 0};
    Object_deserial loader;
};

TEST(Vt_object_deserial, each_record_loads_as_its_class_and_writes_back_byte_for_byte)
{
    for (const Typed_record& r : records_of_every_type()) {
        SCOPED_TRACE(r.what);
        Scratch s;
        ASSERT_TRUE(s.run(r.bytes));
        const VT_obj* object = s.pool.__find_object(id_of(r.bytes));
        ASSERT_NE(object, nullptr);
        EXPECT_TRUE(r.has_class(object));
        EXPECT_EQ(object->get_type(), r.bytes[2]);
        int width = -1, height = -1;
        object->get_displayed_size(width, height);
        EXPECT_EQ(width, r.width);
        EXPECT_EQ(height, r.height);
        EXPECT_EQ(s.pool.serialise(), r.bytes);
    }
}

TEST(Vt_object_deserial, all_types_in_one_input_load_at_once_and_come_back_in_id_order)
{
    Scratch s;
    ASSERT_TRUE(s.run(all_records()));
    EXPECT_EQ(s.pool.get_loaded_count(), records_of_every_type().size());
    EXPECT_EQ(s.pool.serialise(), all_records());
}

TEST(Vt_object_deserial, a_working_set_is_passed_over_with_one_line_and_the_rest_loads)
{
    Debug_capture capture;
    Scratch s;
    const Bytes number = record(10001, 21, {0x01, 0x00, 0x00, 0x00});
    // Working set 10000: one child, no macros, one language
    const Bytes working_set =
            record(10000, 0, {0x01, 0x01, 0x10, 0x27, 0x01, 0x00, 0x01, 0x11, 0x27, 0x05, 0x00, 0x05, 0x00, 'e', 'n'});
    ASSERT_TRUE(s.run(joined({working_set, number})));
    EXPECT_EQ(s.pool.__find_object(10000), nullptr);
    EXPECT_NE(s.pool.__find_object(10001), nullptr);
    EXPECT_EQ(s.pool.serialise(), number);
    EXPECT_EQ(capture.text(), "VT object records: Working Set 10000 passed over, the pool has its own\n");
}

TEST(Vt_object_deserial, loaded_objects_are_found_by_id_and_by_their_generated_name)
{
    Scratch s;
    ASSERT_TRUE(s.run(all_records()));
    VT_obj* mask = s.pool.__find_object(20001);
    ASSERT_NE(mask, nullptr);
    EXPECT_STREQ(mask->get_name(), "DYN_OBJ_19028");
    EXPECT_EQ(s.pool.__find_object("DYN_OBJ_19028", true), mask);
}

TEST(Vt_object_deserial, an_input_cut_anywhere_but_between_records_loads_nothing)
{
    const Bytes all = all_records();
    std::set<size_t> boundaries{0};
    size_t at = 0;
    for (const Typed_record& r : records_of_every_type())
        boundaries.insert(at += r.bytes.size());
    for (size_t cut = 1; cut < all.size(); ++cut) {
        Debug_capture quiet;
        Scratch s;
        const bool whole = boundaries.count(cut) != 0;
        EXPECT_EQ(s.run(Bytes(all.begin(), all.begin() + long(cut))), whole) << "cut at " << cut;
        if (!whole) {
            EXPECT_EQ(s.pool.get_loaded_count(), 0u) << "cut at " << cut;
        }
    }
}

TEST(Vt_object_deserial, damaged_inputs_load_nothing_and_name_the_offending_record)
{
    const Bytes good = record(10000, 21, {0x01, 0x00, 0x00, 0x00});
    const struct Case {
        const char* what;
        Bytes input;
        uint16_t failed_id;
        const char* line_end;
    } cases[] = {
        {"one byte", {0x10}, 65535, "cut short\n"},
        {"an ID and no type", {0x11, 0x27}, 10001, "cut short\n"},
        {"a header and no body", record(10001, 21, {}), 10001, "cut short\n"},
        {"a body one byte short", record(10001, 21, {0x01, 0x00, 0x00}), 10001, "cut short\n"},
        {"a string longer than the input", record(10001, 22, {0x10, 0x00, 'a', 'b'}), 10001, "cut short\n"},
        {"picture data longer than the input",
         record(10001, 20, {0x02, 0x00, 0x02, 0x00, 0x02, 0x00, 0x02, 0x04, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00}),
         10001, "cut short\n"},
        {"more children than listed", record(10001, 3, {0x0A, 0x00, 0x0A, 0x00, 0x00, 0x02, 0x00, 0xE8, 0x03, 0, 0, 0, 0}),
         10001, "cut short\n"},
        {"macros counted, missing", record(10001, 23, {0x00, 0x01, 0x01, 0x00, 0x02, 0x01, 0x05}), 10001,
         "cut short\n"},
        {"type 31", record(10001, 31, {0x00}), 10001, "unknown type\n"},
        {"type 255", record(10001, 255, {}), 10001, "unknown type\n"},
        {"the ID 65535", record(65535, 21, {0, 0, 0, 0}), 65535, "stands for no object\n"},
        {"one ID twice", joined({record(10001, 21, {0, 0, 0, 0}), record(10001, 27, {0xFF, 0xFF})}), 10001,
         "holds already\n"},
        {"an ID the pool holds", record(30000, 21, {0, 0, 0, 0}), 30000, "holds already\n"},
        {"a good record, then a cut one", joined({good, record(10002, 27, {0xFF})}), 10002, "cut short\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch s;
        ASSERT_TRUE(s.run(record(30000, 27, {0xFF, 0xFF})));
        Debug_capture capture;
        EXPECT_FALSE(s.run(c.input));
        EXPECT_EQ(s.loader.get_failed_id(), c.failed_id);
        EXPECT_EQ(s.pool.get_loaded_count(), 1u);
        EXPECT_EQ(s.pool.__find_object(10000), nullptr);
        EXPECT_EQ(s.pool.__find_object(10001), nullptr);
        EXPECT_TRUE(is<Object_pointer_obj>(s.pool.__find_object(30000)));
        const std::string text = capture.text();
        EXPECT_EQ(text.rfind("VT object records refused: object ", 0), 0u) << text;
        EXPECT_NE(text.find(c.line_end), std::string::npos) << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    }
}

TEST(Vt_object_deserial, without_a_pool_nothing_is_loaded)
{
    Debug_capture capture;
    Object_deserial loader;
    const Bytes bytes = record(10000, 21, {0, 0, 0, 0});
    EXPECT_FALSE(loader.run(bytes.data(), bytes.size()));
    EXPECT_NE(capture.text().find("has no pool"), std::string::npos);
}

}
