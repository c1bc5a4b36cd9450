#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Named_colour_mask_obj.h"
#include "platform/iso/VT_Named_colour_obj.h"
#include "platform/iso/VT_Polygon_obj.h"
#include "platform/iso/VT_Soft_key_mask_obj.h"
#include "platform/iso/VT_Translatable_string_obj.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

using namespace VT;
using Counts = std::map<std::string, int>;

// The class of a common object, shortly.
std::string kind_of(const VT_obj* o)
{
    static const std::map<int, const char*> kinds = {
        {data_mask, "DM"},       {container, "Cont"},     {soft_key_mask, "SKM"},     {key, "Key"},
        {button, "Button"},      {input_string, "IS"},    {input_list, "IL"},         {output_string, "OS"},
        {output_number, "ON"},   {line, "Line"},          {rectangle, "Rect"},        {polygon, "Poly"},
        {linear_bar_graph, "LBG"}, {arched_bar_graph, "ABG"}, {picture_graphic, "Pic"}, {number_variable, "NV"},
        {string_variable, "SV"}, {font_attributes, "Font"}, {line_attributes, "LA"}, {fill_attributes, "Fill"},
        {input_attributes, "IA"}, {object_pointer, "OP"},  {named_colour, "NC"},      {named_colour_mask, "NCM"},
    };
    if (dynamic_cast<const Translatable_string_obj*>(o))
        return "TS";
    auto it = kinds.find(o->get_type());
    return it == kinds.end() ? "?" : it->second;
}

// The run of records an object owns: P placements, R references, C colour
// entries, N polygon points; an empty kind when it owns none.
struct Record_run {
    std::string kind;
    int length = 0;
};

Record_run run_of(const VT_obj* o)
{
    int n = 0;
    std::string kind = "P";
    if (auto c = dynamic_cast<const Container_obj*>(o))
        n = c->get_object_count();
    else if (auto k = dynamic_cast<const Key_obj*>(o))
        n = k->get_object_count();
    else if (auto b = dynamic_cast<const Button_obj*>(o))
        n = b->get_object_count();
    else if (auto m = dynamic_cast<const Data_mask_obj*>(o))
        n = m->get_object_count();
    else if (auto s = dynamic_cast<const Soft_key_mask_obj*>(o))
        n = s->get_object_count(), kind = "R";
    else if (auto l = dynamic_cast<const Input_list_obj*>(o))
        n = l->get_item_count(), kind = "R";
    else if (auto nc = dynamic_cast<const Named_colour_obj*>(o))
        n = nc->get_entry_count(), kind = "C";
    else if (auto ncm = dynamic_cast<const Named_colour_mask_obj*>(o))
        n = ncm->get_entry_count(), kind = "C";
    else if (auto p = dynamic_cast<const Polygon_obj*>(o))
        n = p->get_point_count(), kind = "N";
    return n ? Record_run{kind, n} : Record_run{};
}

class Common_pool : public ::testing::Test {
protected:
    // The common object at a declaration position (1 to 973).
    const VT_obj* at(int position) const { return pool->get_table()[position - 1]; }

    std::unique_ptr<seeder_ecu_pool> pool{new seeder_ecu_pool(nullptr, nullptr, 0)};
};

TEST_F(Common_pool, holds_973_objects_of_25_classes_in_slots_0_to_972_clear_of_the_fixed_and_built_ids)
{
    Counts counts;
    for (int position = 1; position <= 973; ++position) {
        const VT_obj* o = at(position);
        ASSERT_NE(o, nullptr) << position;
        EXPECT_EQ(o->get_id(), 255 + position); // slot = ID - 256
        EXPECT_LT(o->get_id(), 1229);
        EXPECT_EQ(pool->__find_object(o->get_id()), o);
        ++counts[kind_of(o)];
    }
    EXPECT_EQ(counts, (Counts{{"Pic", 231}, {"Cont", 109}, {"OP", 95}, {"Key", 69}, {"OS", 65}, {"Rect", 54},
                              {"SV", 51},   {"Line", 39},  {"Font", 36}, {"Fill", 35}, {"Button", 33}, {"TS", 29},
                              {"NC", 27},   {"SKM", 25},   {"ON", 22},  {"LA", 18},  {"NCM", 11},   {"DM", 7},
                              {"NV", 5},    {"LBG", 4},    {"IA", 3},   {"IL", 2},   {"Poly", 1},   {"ABG", 1},
                              {"IS", 1}}));
    EXPECT_EQ(kind_of(at(1)), "LA");
    EXPECT_EQ(kind_of(at(973)), "NC");
}

TEST_F(Common_pool, each_block_holds_its_classes_and_record_runs_in_declaration_order)
{
    const struct Block {
        int first, last;
        Counts classes;
        Counts runs, records; // by kind of run
    } blocks[] = {
        {1, 14, {{"LA", 4}, {"Font", 4}, {"Fill", 6}}, {}, {}},
        {15, 44, {{"SKM", 1}, {"TS", 29}}, {}, {}},
        {45, 62, {{"SV", 5}, {"OP", 2}, {"Rect", 5}, {"Cont", 5}, {"Pic", 1}}, {{"P", 5}}, {{"P", 10}}},
        {63, 116, {{"SKM", 5}, {"Key", 26}, {"Pic", 2}, {"OS", 21}}, {{"P", 26}, {"R", 5}}, {{"P", 78}, {"R", 40}}},
        {117, 170, {{"SV", 44}, {"OP", 2}, {"Cont", 1}, {"Pic", 1}, {"OS", 4}, {"IL", 2}}, {{"P", 1}, {"R", 2}},
         {{"P", 1}, {"R", 4}}},
        {171, 236, {{"Font", 2}, {"Fill", 7}, {"OP", 1}, {"Rect", 6}, {"Cont", 7}, {"Pic", 43}}, {{"P", 7}},
         {{"P", 54}}},
        {237, 270,
         {{"Font", 4}, {"OP", 5}, {"Rect", 1}, {"Cont", 7}, {"DM", 1}, {"Key", 1}, {"Pic", 6}, {"OS", 9}},
         {{"P", 9}}, {{"P", 27}}},
        {271, 321, {{"LA", 2}, {"OP", 1}, {"Rect", 5}, {"Line", 7}, {"Cont", 21}, {"Pic", 15}}, {{"P", 21}},
         {{"P", 82}}},
        {322, 359,
         {{"LA", 3}, {"Font", 1}, {"Fill", 2}, {"NV", 5}, {"Rect", 16}, {"Line", 4}, {"Cont", 2}, {"OS", 5}},
         {{"P", 2}}, {{"P", 20}}},
        {360, 395, {{"Font", 22}, {"Fill", 14}}, {}, {}},
        {396, 404, {{"SKM", 9}}, {{"R", 9}}, {{"R", 72}}},
        {405, 460, {{"OP", 22}, {"Rect", 1}, {"Cont", 5}, {"Key", 27}, {"Pic", 1}}, {{"P", 31}}, {{"P", 94}}},
        {461, 495, {{"LA", 3}, {"OP", 15}, {"Rect", 3}, {"Cont", 5}, {"Button", 9}}, {{"P", 9}}, {{"P", 19}}},
        {496, 635, {{"Fill", 1}, {"Rect", 1}, {"Cont", 3}, {"Pic", 135}}, {{"P", 3}}, {{"P", 18}}},
        {636, 698,
         {{"OP", 2}, {"Rect", 4}, {"Cont", 17}, {"Button", 19}, {"Pic", 4}, {"OS", 12}, {"IA", 3}, {"LBG", 2}},
         {{"P", 17}}, {{"P", 51}}},
        {699, 735, {{"Fill", 1}, {"OP", 15}, {"Rect", 4}, {"Cont", 8}, {"Pic", 7}, {"OS", 2}}, {{"P", 8}},
         {{"P", 14}}},
        {736, 816,
         {{"SKM", 8}, {"OP", 29}, {"Cont", 15}, {"DM", 1}, {"Key", 15}, {"Button", 4}, {"Pic", 8}, {"LBG", 1}},
         {{"P", 31}, {"R", 8}}, {{"P", 117}, {"R", 62}}},
        {817, 859,
         {{"LA", 1}, {"SKM", 2}, {"SV", 2}, {"OP", 1}, {"Rect", 2}, {"Line", 8}, {"Cont", 9}, {"DM", 4},
          {"Button", 1}, {"OS", 9}, {"ON", 1}, {"IS", 1}, {"LBG", 1}, {"ABG", 1}},
         {{"P", 13}, {"R", 2}}, {{"P", 53}, {"R", 16}}},
        {860, 935,
         {{"LA", 5}, {"Font", 3}, {"Fill", 4}, {"Rect", 6}, {"Line", 20}, {"Poly", 1}, {"Cont", 4}, {"DM", 1},
          {"Pic", 8}, {"OS", 3}, {"ON", 21}},
         {{"P", 5}, {"N", 1}}, {{"P", 61}, {"N", 255}}},
        {936, 973, {{"NC", 27}, {"NCM", 11}}, {{"C", 26}}, {{"C", 288}}},
    };
    int next = 1;
    for (const Block& b : blocks) {
        SCOPED_TRACE(b.first);
        ASSERT_EQ(b.first, next);
        Counts classes, runs, records;
        for (int position = b.first; position <= b.last; ++position) {
            ++classes[kind_of(at(position))];
            const Record_run run = run_of(at(position));
            if (!run.kind.empty()) {
                ++runs[run.kind];
                records[run.kind] += run.length;
            }
        }
        EXPECT_EQ(classes, b.classes);
        EXPECT_EQ(runs, b.runs);
        EXPECT_EQ(records, b.records);
        next = b.last + 1;
    }
    EXPECT_EQ(next, 974);
}

TEST_F(Common_pool, placement_runs_are_1_to_17_long_but_one_of_46_and_3_is_the_commonest)
{
    std::map<int, int> runs_of_length;
    for (int position = 1; position <= 973; ++position) {
        const Record_run run = run_of(at(position));
        if (run.kind == "P")
            ++runs_of_length[run.length];
    }
    EXPECT_EQ(runs_of_length[46], 1);
    runs_of_length.erase(46);
    EXPECT_GE(runs_of_length.begin()->first, 1);
    EXPECT_LE(runs_of_length.rbegin()->first, 17);
    EXPECT_EQ(runs_of_length[3], 60);
    for (const auto& [length, runs] : runs_of_length) {
        if (length != 3) {
            EXPECT_LT(runs, 60) << length;
        }
    }
}

TEST_F(Common_pool, every_soft_key_mask_but_the_first_lists_keys_and_every_list_names_objects_of_the_pool)
{
    int without_keys = 0;
    for (int position = 1; position <= 973; ++position) {
        const VT_obj* o = at(position);
        if (auto mask = dynamic_cast<const Soft_key_mask_obj*>(o)) {
            without_keys += mask->get_object_count() == 0;
            for (int i = 0; i < mask->get_object_count(); ++i)
                EXPECT_EQ(pool->__find_object(mask->get_objects()[i].get_id())->get_type(), key);
        }
        if (auto list = dynamic_cast<const Input_list_obj*>(o)) {
            EXPECT_EQ(list->get_item_count(), 2);
            pool->lock_pool();
            for (uint8_t i = 0; i < list->get_item_count(); ++i)
                EXPECT_EQ(pool->__find_object(list->get_item(i))->get_type(), output_string);
            pool->unlock_pool();
        }
        if (auto data = dynamic_cast<const Data_mask_obj*>(o)) {
            pool->lock_pool();
            EXPECT_EQ(pool->__find_object(data->get_soft_key_mask())->get_type(), soft_key_mask);
            pool->unlock_pool();
        }
        const Attribute_object_placement* children = nullptr;
        int count = 0;
        if (auto c = dynamic_cast<const Container_obj*>(o))
            children = c->get_objects(), count = c->get_object_count();
        else if (auto k = dynamic_cast<const Key_obj*>(o))
            children = k->get_objects(), count = k->get_object_count();
        else if (auto b = dynamic_cast<const Button_obj*>(o))
            children = b->get_objects(), count = b->get_object_count();
        else if (auto m = dynamic_cast<const Data_mask_obj*>(o))
            children = m->get_objects(), count = m->get_object_count();
        for (int i = 0; i < count; ++i)
            EXPECT_NE(pool->__find_object(children[i].get_id()), nullptr) << o->get_name();
    }
    EXPECT_EQ(without_keys, 1);
    EXPECT_EQ(kind_of(at(15)), "SKM");
    EXPECT_EQ(dynamic_cast<const Soft_key_mask_obj*>(at(15))->get_object_count(), 0);
}

}
