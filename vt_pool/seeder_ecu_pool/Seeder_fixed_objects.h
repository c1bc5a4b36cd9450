#pragma once
#include "platform/iso/VT_Alarm_mask_obj.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Fill_attributes_obj.h"
#include "platform/iso/VT_Font_attributes_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Key_obj.h"
#include "platform/iso/VT_Line_attributes_obj.h"
#include "platform/iso/VT_Linear_bar_graph_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Picture_graphic_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/iso/VT_Soft_key_mask_obj.h"
#include "platform/iso/VT_Working_set_obj.h"
#include "vt_pool/seeder_ecu_pool/Seeder_picture_data.h"
#include "vt_pool/seeder_ecu_pool/Seeder_text_strings.h"

#include <cstddef>
#include <functional>
#include <utility>

namespace VT {

// Entries numbered 1 to N, made in that order (and taken apart in reverse).
template <class Entry, class Numbers>
struct Seeder_numbered;
template <class Entry, size_t... i>
struct Seeder_numbered<Entry, std::index_sequence<i...>> {
    Entry entry[sizeof...(i)]{Entry(unsigned(i) + 1)...};
};

// The seeder's own objects, IDs 1229 to 1551 in table slots 973 to 1295,
// declared in ID order as groups, each object after the lists and data it
// points into. The language's member order then makes them in ID order and
// takes them apart in reverse, each object before its list, a list from its
// last entry back. Lists, values and picture data are written by fill(),
// once every object exists.
struct Seeder_fixed_objects {
    static constexpr unsigned short count = 323;
    using Visit = std::function<void(VT_obj&)>;

    template <class Entry, size_t N>
    using Numbered = Seeder_numbered<Entry, std::make_index_sequence<N>>;

    // 1229 to 1241: the working set and the intro mask with the upload bar,
    // and the title, variables and test keys that nothing shows.
    struct Intro {
        Intro();
        void each(const Visit& f);
        void fill();

        uint8_t designator_data[sizeof Seeder_pictures::skpic_seeder];
        Picture_graphic_obj skpic_seeder;
        Attribute_object_placement quvel_children[1];
        Working_set_obj quvel;
        uint8_t logo_data[sizeof Seeder_pictures::pic_logo_splash];
        Picture_graphic_obj pic_logo_splash;
        Number_variable_obj var_upload;
        Linear_bar_graph_obj graph_upload;
        Soft_key_mask_obj keys_intro;
        Attribute_object_placement mask_intro_children[2];
        Data_mask_obj mask_intro;
        Font_attributes_obj font_attributes_heading5;
        char title_value[5]; // "BLANK", no terminator
        Output_string_obj mask_title1;
        Number_variable_obj var_xtrack;
        Number_variable_obj var_heading;
        Attribute_object_placement key_way_b_children[1];
        Key_obj key_way_b;
        Attribute_object_id keys_test_keys[1];
        Soft_key_mask_obj keys_test;
    };

    // 1242 to 1257: the shared drawing attributes, the test key's picture
    // and two test inputs.
    struct Attributes {
        Attributes();
        void each(const Visit& f);
        void fill();

        Fill_attributes_obj fills[8];
        Line_attributes_obj lines[2];
        Font_attributes_obj fonts[3];
        uint8_t button_background_data[sizeof Seeder_pictures::pic_button_background];
        Picture_graphic_obj pic_button_background;
        char my_string_value[10];
        Input_string_obj my_string;
        Input_number_obj my_num;
    };

    // A soft key of the working mask with its label before it, 1259 + 2i and 1260 + 2i.
    struct Soft_key {
        explicit Soft_key(unsigned number);
        Output_string_obj label;
        Attribute_object_placement children[1];
        Key_obj key;
    };

    // A numbered item of the tank list, 1272 + number.
    struct Tank_item {
        explicit Tank_item(unsigned number);
        char value[1];
        Output_string_obj item;
    };

    // 1258 to 1278: the working mask, its soft keys and its top row.
    struct Working_mask {
        Working_mask();
        void each(const Visit& f);
        void fill();

        Attribute_object_placement mask_working_children[5];
        Data_mask_obj mask_working;
        Numbered<Soft_key, 6> keys;
        Attribute_object_id keys_working_keys[6];
        Soft_key_mask_obj keys_working;
        Output_string_obj item_all;
        Numbered<Tank_item, 4> tank_items;
        Attribute_object_id il_edit_tank_items[5];
        Input_list_obj il_edit_tank;
        Attribute_object_placement container_wrk_top_children[1];
        Container_obj container_wrk_top;
    };

    // Tank n's row of the working mask: nine children 1269 + 10n to
    // 1277 + 10n and their container 1278 + 10n.
    struct Tank_row {
        explicit Tank_row(unsigned n);
        void each(const Visit& f);
        void fill();

        Rectangle_obj on_square;
        Rectangle_obj preset_frame;
        Output_number_obj preset;
        Output_string_obj tank_title;
        char product_name[12]; // "PRODUCT ????", no terminator
        Output_string_obj product;
        Output_string_obj rate_title;
        Input_number_obj set_point;
        Output_string_obj remaining_title;
        Output_number_obj remaining;
        Attribute_object_placement children[9];
        Container_obj container;
    };

    // Alarm k's message 1413 + 2k and its mask 1414 + 2k.
    struct Alarm {
        explicit Alarm(unsigned k);
        void fill();

        Output_string_obj message;
        Attribute_object_placement children[3];
        Alarm_mask_obj mask;
    };

    // 1541 to 1551: what every alarm mask shows or uses besides its message.
    struct Alarm_frame {
        Alarm_frame();
        void each(const Visit& f);
        void fill();

        Object_pointer_obj pui_pointer_0;
        Soft_key_mask_obj keys_alarm;
        uint8_t top_data[sizeof Seeder_pictures::pic_alarm_brdr_top];
        Picture_graphic_obj pic_alarm_brdr_top;
        uint8_t bottom_data[sizeof Seeder_pictures::pic_alarm_brdr_bottom];
        Picture_graphic_obj pic_alarm_brdr_bottom;
        uint8_t left_data[sizeof Seeder_pictures::pic_alarm_brdr_left];
        Picture_graphic_obj pic_alarm_brdr_left;
        uint8_t right_data[sizeof Seeder_pictures::pic_alarm_brdr_right];
        Picture_graphic_obj pic_alarm_brdr_right;
        Attribute_object_placement alarm_mask_background_children[4];
        Container_obj alarm_mask_background;
        uint8_t warning_data[sizeof Seeder_pictures::pic_warning];
        Picture_graphic_obj pic_warning;
        Rectangle_obj white_square;
        Attribute_object_placement area_whole_bg_children[1];
        Container_obj area_whole_bg;
        Attribute_object_placement alarm_common_objs_children[2];
        Container_obj alarm_common_objs;
    };

    void each(const Visit& f);
    void fill();

    Intro intro;
    Attributes attributes;
    Working_mask working_mask;
    Numbered<Tank_row, 4> tanks;
    Seeder_text_strings<0, Seeder_texts::text_count> texts;
    Numbered<Alarm, Seeder_texts::alarm_count> alarms;
    Alarm_frame alarm_frame;
};

}
