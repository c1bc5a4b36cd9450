#pragma once
#include "platform/iso/VT_Arched_bar_graph_obj.h"
#include "platform/iso/VT_Button_obj.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Fill_attributes_obj.h"
#include "platform/iso/VT_Font_attributes_obj.h"
#include "platform/iso/VT_Input_attributes_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Key_obj.h"
#include "platform/iso/VT_Line_attributes_obj.h"
#include "platform/iso/VT_Line_obj.h"
#include "platform/iso/VT_Linear_bar_graph_obj.h"
#include "platform/iso/VT_Named_colour_mask_obj.h"
#include "platform/iso/VT_Named_colour_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Picture_graphic_obj.h"
#include "platform/iso/VT_Polygon_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/iso/VT_Soft_key_mask_obj.h"
#include "platform/iso/VT_String_variable_obj.h"
#include "platform/iso/VT_Translatable_string_obj.h"

#include <cstddef>
#include <vector>

namespace VT {

template <class T>
struct Tag {
};

// Makes the common user-interface objects in the order they are declared:
// each gets the next ID from first_id on, a name of its kind and ID, and
// references to attribute objects made before it. Their lists, values and
// texts are noted and filled by fill() once every object exists, since an
// entry may name an object made later.
class Common_builder {
public:
    static constexpr uint16_t first_id = 256;
    static constexpr int languages = 28;

    Common_builder() = default;
    Common_builder(const Common_builder&) = delete;
    Common_builder& operator=(const Common_builder&) = delete;

    Line_attributes_obj build(Tag<Line_attributes_obj>);
    Font_attributes_obj build(Tag<Font_attributes_obj>);
    Fill_attributes_obj build(Tag<Fill_attributes_obj>);
    Input_attributes_obj build(Tag<Input_attributes_obj>);
    Number_variable_obj build(Tag<Number_variable_obj>);
    Object_pointer_obj build(Tag<Object_pointer_obj>);
    Picture_graphic_obj build(Tag<Picture_graphic_obj>);
    Rectangle_obj build(Tag<Rectangle_obj>);
    Line_obj build(Tag<Line_obj>);
    Output_string_obj build(Tag<Output_string_obj>);
    Output_number_obj build(Tag<Output_number_obj>);
    Linear_bar_graph_obj build(Tag<Linear_bar_graph_obj>);
    Arched_bar_graph_obj build(Tag<Arched_bar_graph_obj>);
    Container_obj build(Tag<Container_obj>, Attribute_object_placement* children, uint8_t count);
    Data_mask_obj build(Tag<Data_mask_obj>, Attribute_object_placement* children, uint8_t count);
    Key_obj build(Tag<Key_obj>, Attribute_object_placement* children = nullptr, uint8_t count = 0);
    Button_obj build(Tag<Button_obj>, Attribute_object_placement* children = nullptr, uint8_t count = 0);
    Soft_key_mask_obj build(Tag<Soft_key_mask_obj>, Attribute_object_id* keys = nullptr, uint8_t count = 0);
    Input_list_obj build(Tag<Input_list_obj>, Attribute_object_id* items, uint8_t count);
    String_variable_obj build(Tag<String_variable_obj>, char* value, uint16_t length);
    Input_string_obj build(Tag<Input_string_obj>, char* value, uint16_t length);
    Translatable_string_obj build(Tag<Translatable_string_obj>, const char** table, char* buffer, uint16_t room);
    Polygon_obj build(Tag<Polygon_obj>, Polygon_point* points, uint8_t count);
    Named_colour_obj build(Tag<Named_colour_obj>, Named_colour_entry* entries = nullptr, uint8_t count = 0);
    Named_colour_mask_obj build(Tag<Named_colour_mask_obj>, Named_colour_entry* entries, uint8_t count);

    // Notes the object just made, in declaration order.
    void note(VT_obj& object);
    void note(VT_obj& object, Attribute_object_placement* children, uint8_t count);
    void note(VT_obj& object, Attribute_object_id* references, uint8_t count);
    void note(VT_obj& object, Named_colour_entry* entries, uint8_t count);
    void note(VT_obj& object, Polygon_point* points, uint8_t count);
    void note(VT_obj& object, char* value, uint16_t length);
    void note(VT_obj& object, const char** table, char* buffer, uint16_t length);

    // Writes every noted list, value and text.
    void fill();

    const std::vector<VT_obj*>& get_objects() const { return objects_; }

private:
    template <class T>
    struct Run {
        T* entries;
        uint8_t count;
        VT_obj* owner;
    };
    struct Value {
        char* value;
        uint16_t length;
    };
    struct Table {
        const char** table;
        char* buffer;
        uint16_t length;
        const char* text;
    };

    uint16_t next_id() const { return uint16_t(first_id + objects_.size()); }
    // "vtui_<kind>_<ID>", held until the next call.
    const char* name(const char* kind);

    std::vector<VT_obj*> objects_;
    std::vector<uint16_t> pictures_, keys_, output_strings_;
    uint16_t line_attributes_ = VT_obj::NULL_ID, font_attributes_ = VT_obj::NULL_ID;
    uint16_t fill_attributes_ = VT_obj::NULL_ID, input_attributes_ = VT_obj::NULL_ID;
    uint16_t soft_key_mask_ = VT_obj::NULL_ID, string_ = VT_obj::NULL_ID, number_ = VT_obj::NULL_ID;
    uint8_t key_code_ = 0;
    std::vector<Run<Attribute_object_placement>> placements_;
    std::vector<Run<Attribute_object_id>> references_;
    std::vector<Run<Named_colour_entry>> colours_;
    std::vector<Run<Polygon_point>> points_;
    std::vector<Value> values_;
    std::vector<Table> tables_;
    char name_[VT_obj::max_name + 1] = {};
};

}
