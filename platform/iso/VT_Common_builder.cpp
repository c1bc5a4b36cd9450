#include "platform/iso/VT_Common_builder.h"
#include "platform/iso/VT_text.h"
#include "platform/rtos/Bugger.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace VT {

namespace {

const char* const common_texts[] = {
    "OK",    "Cancel", "Back",   "Next",   "Menu", "Settings", "Alarm", "Help", "Yes",      "No",
    "Start", "Stop",   "Pause",  "Resume", "Reset", "Accept",  "Edit",  "Delete", "Save",   "Load",
    "Up",    "Down",   "Left",   "Right",  "Home", "Info",     "Language", "Units", "Error",
};
constexpr size_t common_text_count = sizeof common_texts / sizeof common_texts[0];

// Every common picture: 2 x 2 pixels of one colour, run-length encoded.
const uint8_t picture_data[] = {4, 7};

constexpr uint8_t white = 1;
constexpr uint8_t silver = 7;

}

const char* Common_builder::name(const char* kind)
{
    std::snprintf(name_, sizeof name_, "vtui_%s_%u", kind, unsigned(next_id()));
    return name_;
}

Line_attributes_obj Common_builder::build(Tag<Line_attributes_obj>)
{
    return Line_attributes_obj(next_id(), name("line_attributes"), 0, 1, 0xFFFF, 0, nullptr);
}

Font_attributes_obj Common_builder::build(Tag<Font_attributes_obj>)
{
    return Font_attributes_obj(next_id(), name("font_attributes"), 0, uint8_t(objects_.size() % 3), 0, 0, 0, nullptr);
}

Fill_attributes_obj Common_builder::build(Tag<Fill_attributes_obj>)
{
    return Fill_attributes_obj(next_id(), name("fill_attributes"), 2, uint8_t(objects_.size() % 16), VT_obj::NULL_ID, 0,
                               nullptr);
}

Input_attributes_obj Common_builder::build(Tag<Input_attributes_obj>)
{
    return Input_attributes_obj(next_id(), name("input_attributes"), 0, 0, nullptr, 0, nullptr);
}

Number_variable_obj Common_builder::build(Tag<Number_variable_obj>)
{
    return Number_variable_obj(next_id(), name("number"), 0);
}

Object_pointer_obj Common_builder::build(Tag<Object_pointer_obj>)
{
    return Object_pointer_obj(next_id(), name("pointer"), 0, nullptr, VT_obj::NULL_ID);
}

Picture_graphic_obj Common_builder::build(Tag<Picture_graphic_obj>)
{
    return Picture_graphic_obj(next_id(), name("picture"), 2, 2, 2, 2, 4, 0, sizeof picture_data, 0, picture_data,
                               nullptr);
}

Rectangle_obj Common_builder::build(Tag<Rectangle_obj>)
{
    return Rectangle_obj(next_id(), name("rectangle"), line_attributes_, 20, 10, 0, fill_attributes_, 0, nullptr);
}

Line_obj Common_builder::build(Tag<Line_obj>)
{
    return Line_obj(next_id(), name("line"), line_attributes_, 20, 1, 0, 0, nullptr);
}

Output_string_obj Common_builder::build(Tag<Output_string_obj>)
{
    return Output_string_obj(next_id(), name("output_string"), 60, 10, white, font_attributes_, 1, string_, 0, 0,
                             nullptr, 0, nullptr);
}

Output_number_obj Common_builder::build(Tag<Output_number_obj>)
{
    return Output_number_obj(next_id(), name("output_number"), 40, 10, white, font_attributes_, 0, number_, 0, 0,
                             1.0f, 0, 0, 2, 0, nullptr);
}

Linear_bar_graph_obj Common_builder::build(Tag<Linear_bar_graph_obj>)
{
    return Linear_bar_graph_obj(next_id(), name("bar_graph"), 100, 10, 0, 0, 49, 0, 0, 1000, number_, 0,
                                VT_obj::NULL_ID, 0, 0, nullptr);
}

Arched_bar_graph_obj Common_builder::build(Tag<Arched_bar_graph_obj>)
{
    return Arched_bar_graph_obj(next_id(), name("arched_bar_graph"), 60, 60, 0, 0, 0, 0, 180, 10, 0, 100, number_, 0,
                                VT_obj::NULL_ID, 0, 0, nullptr);
}

Container_obj Common_builder::build(Tag<Container_obj>, Attribute_object_placement* children, uint8_t count)
{
    return Container_obj(next_id(), name("container"), 100, 40, 0, count, 0, children, nullptr);
}

Data_mask_obj Common_builder::build(Tag<Data_mask_obj>, Attribute_object_placement* children, uint8_t count)
{
    return Data_mask_obj(next_id(), name("data_mask"), white, soft_key_mask_, count, 0, children, nullptr);
}

Key_obj Common_builder::build(Tag<Key_obj>, Attribute_object_placement* children, uint8_t count)
{
    return Key_obj(next_id(), name("key"), silver, ++key_code_, count, 0, children, nullptr);
}

Button_obj Common_builder::build(Tag<Button_obj>, Attribute_object_placement* children, uint8_t count)
{
    return Button_obj(next_id(), name("button"), 40, 20, silver, 0, ++key_code_, 0, count, 0, children, nullptr);
}

Soft_key_mask_obj Common_builder::build(Tag<Soft_key_mask_obj>, Attribute_object_id* keys, uint8_t count)
{
    return Soft_key_mask_obj(next_id(), name("soft_key_mask"), 0, count, 0, keys, nullptr);
}

Input_list_obj Common_builder::build(Tag<Input_list_obj>, Attribute_object_id* items, uint8_t count)
{
    return Input_list_obj(next_id(), name("input_list"), 60, 10, VT_obj::NULL_ID, 0, count, 1, 0, items, nullptr);
}

String_variable_obj Common_builder::build(Tag<String_variable_obj>, char* value, uint16_t length)
{
    return String_variable_obj(next_id(), name("string"), length, value);
}

Input_string_obj Common_builder::build(Tag<Input_string_obj>, char* value, uint16_t length)
{
    return Input_string_obj(next_id(), name("input_string"), 60, 10, white, font_attributes_, input_attributes_, 0,
                            VT_obj::NULL_ID, 0, uint8_t(length), value, 1, 0, nullptr);
}

Translatable_string_obj Common_builder::build(Tag<Translatable_string_obj>, const char** table, char* buffer,
                                              uint16_t room)
{
    const char* text = common_texts[tables_.size() % common_text_count];
    const uint16_t length = uint16_t((std::strlen(text) + 1) & ~size_t(1)); // even
    if (length > room)
        Bugger::report_bug("common text longer than its buffer");
    return Translatable_string_obj(next_id(), name("text"), length, buffer, length, table, languages);
}

Polygon_obj Common_builder::build(Tag<Polygon_obj>, Polygon_point* points, uint8_t count)
{
    return Polygon_obj(next_id(), name("polygon"), 100, 100, line_attributes_, fill_attributes_, 0, count, 0, points,
                       nullptr);
}

Named_colour_obj Common_builder::build(Tag<Named_colour_obj>, Named_colour_entry* entries, uint8_t count)
{
    return Named_colour_obj(next_id(), name("colour"), uint8_t(objects_.size()), count, entries);
}

Named_colour_mask_obj Common_builder::build(Tag<Named_colour_mask_obj>, Named_colour_entry* entries, uint8_t count)
{
    return Named_colour_mask_obj(next_id(), name("colour_mask"), count, entries);
}

void Common_builder::note(VT_obj& object)
{
    objects_.push_back(&object);
    const uint16_t id = object.get_id();
    switch (object.get_type()) {
    case line_attributes:
        if (line_attributes_ == VT_obj::NULL_ID)
            line_attributes_ = id;
        break;
    case font_attributes:
        if (font_attributes_ == VT_obj::NULL_ID)
            font_attributes_ = id;
        break;
    case fill_attributes:
        if (fill_attributes_ == VT_obj::NULL_ID)
            fill_attributes_ = id;
        break;
    case input_attributes:
        input_attributes_ = id;
        break;
    case soft_key_mask:
        soft_key_mask_ = id;
        break;
    case string_variable:
        string_ = id;
        break;
    case number_variable:
        number_ = id;
        break;
    case picture_graphic:
        pictures_.push_back(id);
        break;
    case key:
        keys_.push_back(id);
        break;
    case output_string:
        output_strings_.push_back(id);
        break;
    default:
        break;
    }
}

void Common_builder::note(VT_obj& object, Attribute_object_placement* children, uint8_t count)
{
    note(object);
    placements_.push_back({children, count, &object});
}

void Common_builder::note(VT_obj& object, Attribute_object_id* references, uint8_t count)
{
    note(object);
    references_.push_back({references, count, &object});
}

void Common_builder::note(VT_obj& object, Named_colour_entry* entries, uint8_t count)
{
    note(object);
    colours_.push_back({entries, count, &object});
}

void Common_builder::note(VT_obj& object, Polygon_point* points, uint8_t count)
{
    note(object);
    points_.push_back({points, count, &object});
}

void Common_builder::note(VT_obj& object, char* value, uint16_t length)
{
    note(object);
    values_.push_back({value, length});
}

void Common_builder::note(VT_obj& object, const char** table, char* buffer, uint16_t length)
{
    note(object);
    tables_.push_back({table, buffer, length, common_texts[tables_.size() % common_text_count]});
}

void Common_builder::fill()
{
    // Children are pictures, drawable in every kind of parent; keys go to
    // soft-key masks and output strings to input lists, each in turn.
    size_t next = 0;
    for (const Run<Attribute_object_placement>& run : placements_) {
        for (uint8_t i = 0; i < run.count; ++i)
            run.entries[i] = Attribute_object_placement(pictures_[next++ % pictures_.size()], int16_t(2 * i),
                                                        int16_t(2 * i));
    }
    size_t next_key = 0, next_string = 0;
    for (const Run<Attribute_object_id>& run : references_) {
        const bool keys = run.owner->get_type() == soft_key_mask;
        for (uint8_t i = 0; i < run.count; ++i)
            run.entries[i].set_id(keys ? keys_[next_key++ % keys_.size()]
                                       : output_strings_[next_string++ % output_strings_.size()]);
    }
    next = 0;
    for (const Run<Named_colour_entry>& run : colours_) {
        for (uint8_t i = 0; i < run.count; ++i)
            run.entries[i] = Named_colour_entry{objects_[next++ % objects_.size()]->get_id(), 1};
    }
    for (const Run<Polygon_point>& run : points_) {
        const double step = 2 * M_PI / run.count;
        for (uint8_t i = 0; i < run.count; ++i)
            run.entries[i] = Polygon_point{uint16_t(std::lround(50 + 49 * std::cos(i * step))),
                                           uint16_t(std::lround(50 + 49 * std::sin(i * step)))};
    }
    for (const Value& value : values_)
        fill_text(value.value, value.length, "");
    for (const Table& table : tables_) {
        table.table[0] = table.text;
        for (int i = 1; i < languages; ++i)
            table.table[i] = "";
        fill_text(table.buffer, table.length, "");
    }
}

}
