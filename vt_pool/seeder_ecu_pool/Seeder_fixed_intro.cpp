#include "vt_pool/seeder_ecu_pool/Seeder_fixed_objects.h"

#include <algorithm>
#include <cstring>

namespace VT {

namespace {
constexpr uint16_t none = VT_obj::NULL_ID;
// Picture formats and options of ISO 11783-6.
constexpr uint8_t colour_8_bit = 2;
constexpr uint8_t run_length_encoded = 4, transparent_run_length_encoded = 5;
}

Seeder_fixed_objects::Intro::Intro()
    : skpic_seeder(1229, "skpic_seeder", 44, 44, 44, colour_8_bit, transparent_run_length_encoded, 153,
                   sizeof designator_data, 0, designator_data, nullptr),
      quvel(1230, "quvel", 1, 1, 1235, 1, 0, 0, quvel_children, nullptr, nullptr),
      pic_logo_splash(1231, "pic_logo_splash", 112, 224, 210, colour_8_bit, transparent_run_length_encoded, 46,
                      sizeof logo_data, 0, logo_data, nullptr),
      var_upload(1232, "var_upload", 0),
      graph_upload(1233, "graph_upload", 180, 14, 0, 0, 49, 0, 0, 1000, 1232, 0, none, 0, 0, nullptr),
      keys_intro(1234, "keys_intro", 0, 0, 0, nullptr, nullptr),
      mask_intro(1235, "mask_intro", 1, 1234, 2, 0, mask_intro_children, nullptr),
      font_attributes_heading5(1236, "Font_attributes_heading5", 9, 1, 1, 0, 0, nullptr),
      mask_title1(1237, "mask_title1", 100, 25, 12, 1236, 1, none, 0, sizeof title_value, title_value, 0, nullptr),
      var_xtrack(1238, "var_xtrack", 30100),
      var_heading(1239, "var_heading", 30100),
      key_way_b(1240, "key_way_b", 81, 2, 1, 0, key_way_b_children, nullptr),
      keys_test(1241, "keys_test", 7, 1, 0, keys_test_keys, nullptr)
{
}

void Seeder_fixed_objects::Intro::each(const Visit& f)
{
    for (VT_obj* object : std::initializer_list<VT_obj*>{
             &skpic_seeder, &quvel, &pic_logo_splash, &var_upload, &graph_upload, &keys_intro, &mask_intro,
             &font_attributes_heading5, &mask_title1, &var_xtrack, &var_heading, &key_way_b, &keys_test})
        f(*object);
}

void Seeder_fixed_objects::Intro::fill()
{
    std::copy(std::begin(Seeder_pictures::skpic_seeder), std::end(Seeder_pictures::skpic_seeder), designator_data);
    // The designator area has no size of its own: the picture stays at (10, 10).
    quvel_children[0] = Attribute_object_placement(1229, 10, 10, 10);
    std::copy(std::begin(Seeder_pictures::pic_logo_splash), std::end(Seeder_pictures::pic_logo_splash), logo_data);
    mask_intro_children[0] = Attribute_object_placement(1231, 9, 30);
    mask_intro_children[1] = Attribute_object_placement(1233, 30, 191);
    std::memcpy(title_value, "BLANK", sizeof title_value);
    key_way_b_children[0] = Attribute_object_placement(1255, 0, 0);
    keys_test_keys[0] = Attribute_object_id(1240);
}

Seeder_fixed_objects::Attributes::Attributes()
    : fills{Fill_attributes_obj(1242, "fill_attributes_stat_background", 2, 31, none, 0, nullptr),
            Fill_attributes_obj(1243, "fill_attributes_hdg_bg", 2, 43, none, 0, nullptr),
            Fill_attributes_obj(1244, "fill_attributes_bg", 2, 1, none, 0, nullptr),
            Fill_attributes_obj(1245, "fill_attributes_white", 2, 1, none, 0, nullptr),
            Fill_attributes_obj(1246, "fill_attributes_black", 2, 0, none, 0, nullptr),
            Fill_attributes_obj(1247, "fill_attributes_silver", 2, 7, none, 0, nullptr),
            Fill_attributes_obj(1248, "fill_attributes_red", 2, 12, none, 0, nullptr),
            Fill_attributes_obj(1249, "fill_attributes_green", 2, 2, none, 0, nullptr)},
      lines{Line_attributes_obj(1250, "line_attributes_null", 1, 0, 0x0000, 0, nullptr),
            Line_attributes_obj(1251, "line_attributes_black", 0, 1, 0xFFFF, 0, nullptr)},
      fonts{Font_attributes_obj(1252, "font_attributes_main_stat_black", 0, 1, 1, 0, 0, nullptr),
            Font_attributes_obj(1253, "font_attributes_main_stat_white", 1, 1, 1, 0, 0, nullptr),
            Font_attributes_obj(1254, "font_attributes_small", 0, 0, 1, 0, 0, nullptr)},
      pic_button_background(1255, "pic_button_background", 80, 80, 60, colour_8_bit, run_length_encoded, 0,
                            sizeof button_background_data, 0, button_background_data, nullptr),
      my_string(1256, "myString", 100, 20, 2, 1236, none, 0, none, 0, sizeof my_string_value, my_string_value, 1, 0,
                nullptr),
      my_num(1257, "myNum", 100, 20, 2, 1236, 0, none, 1, 0, 200, -100, 0.1f, 1, 0, 0, 0, 0, nullptr)
{
}

void Seeder_fixed_objects::Attributes::each(const Visit& f)
{
    for (Fill_attributes_obj& fill : fills)
        f(fill);
    for (Line_attributes_obj& line : lines)
        f(line);
    for (Font_attributes_obj& font : fonts)
        f(font);
    f(pic_button_background);
    f(my_string);
    f(my_num);
}

void Seeder_fixed_objects::Attributes::fill()
{
    std::copy(std::begin(Seeder_pictures::pic_button_background), std::end(Seeder_pictures::pic_button_background),
              button_background_data);
    std::memset(my_string_value, '.', sizeof my_string_value);
}

}
