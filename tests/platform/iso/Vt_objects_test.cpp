#include "tests/platform/iso/Vt_records.h"

#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Named_colour_mask_obj.h"
#include "platform/iso/VT_Named_colour_obj.h"
#include "platform/iso/VT_Object_deserial.h"
#include "platform/iso/VT_Object_pool.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Picture_graphic_obj.h"
#include "platform/iso/VT_Record_writer.h"
#include "platform/iso/VT_Translatable_string_obj.h"
#include "platform/iso/VT_Working_set_obj.h"

#include "tests/support/Child_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <map>

namespace {

using namespace VT;

const uint8_t two_by_two[] = {4, 7};

// The record of one object, with the others it may place.
Bytes record_of(const VT_obj& object, std::initializer_list<const VT_obj*> others = {})
{
    std::map<uint16_t, const VT_obj*> pool;
    for (const VT_obj* o : others)
        pool[o->get_id()] = o;
    Bytes out;
    Record_writer writer(out, [&pool](uint16_t id) -> const VT_obj* {
        auto it = pool.find(id);
        return it == pool.end() ? nullptr : it->second;
    });
    object.serialise(writer);
    return out;
}

TEST(Vt_objects, a_picture_is_shown_at_its_width_with_its_height_scaled_alike)
{
    const struct Case {
        uint16_t width, actual_width, actual_height;
        int shown_height;
    } cases[] = {
        {112, 224, 210, 105}, // half size
        {237, 474, 6, 3},     // a strip
        {3, 6, 474, 237},
        {36, 72, 72, 36},
        {40, 100, 50, 20},
        {20, 40, 11, 6}, // 5.5 rounds up
        {7, 0, 9, 9},    // no actual width: the height stands
    };
    for (const Case& c : cases) {
        Picture_graphic_obj picture(1, "p", c.width, c.actual_width, c.actual_height, 2, 4, 0, 2, 0, two_by_two,
                                    nullptr);
        int width = 0, height = 0;
        ASSERT_TRUE(picture.get_displayed_size(width, height));
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.shown_height) << c.width << " of " << c.actual_width << " x " << c.actual_height;
    }
}

TEST(Vt_objects, an_aligned_child_is_placed_against_its_parents_edges)
{
    // A 20 x 5 picture in a 40 x 30 container: 20 pixels to spare across, 25 down.
    Picture_graphic_obj picture(2, "picture", 20, 40, 10, 2, 4, 0, 2, 0, two_by_two, nullptr);
    const struct Case {
        uint8_t code;
        int16_t x, y;
    } cases[] = {
        {0, 3, 4},   // plain: as given
        {5, 0, 0},   // left, top
        {6, 10, 0},  // centred across, top
        {14, 10, 25}, // centred across, bottom
        {9, 0, 12},  // left, centred down (the odd pixel below)
        {11, 20, 12}, // right, centred down
        {10, 10, 12}, // centred both ways
        {15, 20, 25}, // right, bottom
        {2, 10, 4},  // centred across, y as given
    };
    for (const Case& c : cases) {
        Attribute_object_placement children[] = {{2, 3, 4, c.code}};
        Container_obj container(1, "container", 40, 30, 0, 1, 0, children, nullptr);
        const Bytes expected = record(1, 3,
                                      {40, 0, 30, 0, 0, 1, 0, 2, 0, uint8_t(c.x), uint8_t(c.x >> 8), uint8_t(c.y),
                                       uint8_t(c.y >> 8)});
        EXPECT_EQ(record_of(container, {&picture}), expected) << "code " << int(c.code);
    }
}

TEST(Vt_objects, an_aligned_child_keeps_its_position_where_a_size_is_missing)
{
    Picture_graphic_obj picture(2, "picture", 44, 44, 44, 2, 4, 0, 2, 0, two_by_two, nullptr);
    Attribute_object_placement children[] = {{2, 10, 10, 10}};
    Working_set_obj sized_by_the_vt(1, "ws", 1, 1, 65535, 1, 0, 0, children, nullptr, nullptr);
    EXPECT_EQ(record_of(sized_by_the_vt, {&picture}),
              record(1, 0, {1, 1, 0xFF, 0xFF, 1, 0, 0, 2, 0, 10, 0, 10, 0}));
    Container_obj child_missing(1, "container", 100, 100, 0, 1, 0, children, nullptr);
    EXPECT_EQ(record_of(child_missing), record(1, 3, {100, 0, 100, 0, 0, 1, 0, 2, 0, 10, 0, 10, 0}));
}

TEST(Vt_objects, a_list_is_read_when_written_not_when_the_owner_is_made)
{
    Attribute_object_placement children[2];
    char value[5];
    Container_obj container(1, "container", 10, 10, 0, 2, 0, children, nullptr);
    Output_string_obj title(2, "title", 100, 25, 12, 3, 1, 65535, 0, 5, value, 0, nullptr);
    children[0] = Attribute_object_placement(2, 1, 2);
    children[1] = Attribute_object_placement(3, -1, 300);
    std::memcpy(value, "BLANK", 5);
    EXPECT_EQ(record_of(container), record(1, 3, {10, 0, 10, 0, 0, 2, 0, 2, 0, 1, 0, 2, 0, 3, 0, 0xFF, 0xFF, 0x2C, 1}));
    EXPECT_EQ(record_of(title),
              record(2, 11, {100, 0, 25, 0, 12, 3, 0, 1, 0xFF, 0xFF, 0, 5, 0, 'B', 'L', 'A', 'N', 'K', 0}));
}

TEST(Vt_objects, a_string_set_is_cut_to_its_length_or_padded_with_spaces)
{
    const struct Case {
        const char* text;
        const char* value;
    } cases[] = {
        {"AB", "AB   "},
        {"ABCDE", "ABCDE"},
        {"ABCDEFG", "ABCDE"},
        {"", "     "},
    };
    for (const Case& c : cases) {
        char value[6] = "xxxxx";
        value[5] = '!'; // past the value: never written
        Output_string_obj string(1, "s", 10, 10, 0, 65535, 0, 65535, 0, 5, value, 0, nullptr);
        string.__set_string(c.text);
        EXPECT_EQ(std::string(string.get_value(), 5), c.value) << c.text;
        EXPECT_EQ(value[5], '!');
    }
}

TEST(Vt_objects, a_translatable_string_goes_out_as_a_string_variable_of_its_first_text)
{
    const struct Case {
        const char* text;
        uint16_t length;
        Bytes value;
    } cases[] = {
        {"All", 4, {'A', 'l', 'l', ' '}},
        {"Settings", 8, {'S', 'e', 't', 't', 'i', 'n', 'g', 's'}},
        {"", 0, {}},
        {"Too long", 4, {'T', 'o', 'o', ' '}},
    };
    for (const Case& c : cases) {
        const char* table[28];
        char buffer[8];
        Translatable_string_obj string(7, "ts", c.length, buffer, c.length, table, 28);
        table[0] = c.text;
        for (int i = 1; i < 28; ++i)
            table[i] = "";
        Bytes expected = {7, 0, 22, uint8_t(c.length), 0};
        expected.insert(expected.end(), c.value.begin(), c.value.end());
        EXPECT_EQ(record_of(string), expected) << c.text;
    }
}

TEST(Vt_objects, named_colours_stay_in_the_pool_and_are_never_sent)
{
    Named_colour_entry entries[] = {{5, 1}};
    Named_colour_obj colour(300, "colour", 12, 1, entries);
    Named_colour_mask_obj mask(301, "mask", 1, entries);
    VT_obj* table[2] = {&colour, &mask};
    struct Two : Object_pool {
        Two(VT_obj** table) : Object_pool(nullptr, table, 2) { index_table(); }
    } pool(table);
    EXPECT_EQ(pool.__find_object(300), &colour);
    EXPECT_EQ(pool.__find_object("mask", true), &mask);
    EXPECT_TRUE(pool.serialise().empty());
}

TEST(Vt_objects, a_count_without_its_list_is_a_bug_not_a_misframed_record)
{
    Child_result r = run_in_child([] {
        Container_obj container(1, "container", 10, 10, 0, 2, 0, nullptr, nullptr);
        record_of(container);
    });
    EXPECT_EQ(r.output, "BUG: VT object list missing for its count\r\n");
    EXPECT_EQ(r.signal, SIGABRT);
}

}
