#include "vt_pool/seeder_ecu_pool/Seeder_fixed_objects.h"

#include <algorithm>

namespace VT {

namespace {
constexpr uint16_t none = VT_obj::NULL_ID;
constexpr uint16_t font_black = 1252, fill_white = 1244, line_none = 1250;
constexpr uint16_t keys_alarm = 1542, pic_warning = 1548, alarm_common_objs = 1551;
constexpr uint8_t colour_8_bit = 2, transparent_run_length_encoded = 5;
// Alignment codes: across in bits 0-1, down in bits 2-3 (1 first edge, 2 centred, 3 far edge).
constexpr uint8_t top_centred = 6, bottom_centred = 14, left_centred = 9, right_centred = 11, centred = 10;

// Alarm k's message string; its mask is the next ID.
uint16_t message_of_alarm(unsigned k)
{
    return uint16_t(1413 + 2 * k);
}

template <size_t N>
void copy_picture(const uint8_t (&from)[N], uint8_t (&to)[N])
{
    std::copy(std::begin(from), std::end(from), to);
}
}

Seeder_fixed_objects::Alarm::Alarm(unsigned k)
    : message(message_of_alarm(k), Seeder_object_name::generated(message_of_alarm(k)), 220, 215, 1, font_black, 3,
              uint16_t(1328 + k), 0, 0, nullptr, 0, nullptr),
      mask(message_of_alarm(k) + 1, Seeder_object_name(Seeder_texts::alarm_mask_prefix, Seeder_texts::alarms[k - 1].key),
           0, keys_alarm, 1, 0, 3, 0, children, nullptr)
{
}

void Seeder_fixed_objects::Alarm::fill()
{
    children[0] = Attribute_object_placement(alarm_common_objs, 0, 0);
    children[1] = Attribute_object_placement(pic_warning, 10, 11);
    // The message reaches below the 240-pixel area, as the masks were drawn.
    children[2] = Attribute_object_placement(message.get_id(), 10, 85);
}

Seeder_fixed_objects::Alarm_frame::Alarm_frame()
    : pui_pointer_0(1541, "pui_pointer_0", 0, nullptr, none),
      keys_alarm(1542, "keys_alarm", 0, 0, 0, nullptr, nullptr),
      pic_alarm_brdr_top(1543, "pic_alarm_brdr_top", 237, 474, 6, colour_8_bit, transparent_run_length_encoded, 1,
                         sizeof top_data, 0, top_data, nullptr),
      pic_alarm_brdr_bottom(1544, "pic_alarm_brdr_bottom", 237, 474, 6, colour_8_bit, transparent_run_length_encoded,
                            1, sizeof bottom_data, 0, bottom_data, nullptr),
      pic_alarm_brdr_left(1545, "pic_alarm_brdr_left", 3, 6, 474, colour_8_bit, transparent_run_length_encoded, 1,
                          sizeof left_data, 0, left_data, nullptr),
      pic_alarm_brdr_right(1546, "pic_alarm_brdr_right", 3, 6, 474, colour_8_bit, transparent_run_length_encoded, 1,
                           sizeof right_data, 0, right_data, nullptr),
      alarm_mask_background(1547, "alarm_mask_background", 240, 240, 0, 4, 0, alarm_mask_background_children,
                            nullptr),
      pic_warning(1548, "pic_warning", 36, 72, 72, colour_8_bit, transparent_run_length_encoded, 13,
                  sizeof warning_data, 0, warning_data, nullptr),
      white_square(1549, Seeder_object_name::generated(1549), line_none, 234, 234, 0, fill_white, 0, nullptr),
      area_whole_bg(1550, "area_whole_bg", 240, 240, 0, 1, 0, area_whole_bg_children, nullptr),
      alarm_common_objs(1551, "alarm_common_objs", 240, 240, 0, 2, 0, alarm_common_objs_children, nullptr)
{
}

void Seeder_fixed_objects::Alarm_frame::each(const Visit& f)
{
    for (VT_obj* object : std::initializer_list<VT_obj*>{
             &pui_pointer_0, &keys_alarm, &pic_alarm_brdr_top, &pic_alarm_brdr_bottom, &pic_alarm_brdr_left,
             &pic_alarm_brdr_right, &alarm_mask_background, &pic_warning, &white_square, &area_whole_bg,
             &alarm_common_objs})
        f(*object);
}

void Seeder_fixed_objects::Alarm_frame::fill()
{
    copy_picture(Seeder_pictures::pic_alarm_brdr_top, top_data);
    copy_picture(Seeder_pictures::pic_alarm_brdr_bottom, bottom_data);
    copy_picture(Seeder_pictures::pic_alarm_brdr_left, left_data);
    copy_picture(Seeder_pictures::pic_alarm_brdr_right, right_data);
    alarm_mask_background_children[0] = Attribute_object_placement(1543, 0, 0, top_centred);
    alarm_mask_background_children[1] = Attribute_object_placement(1544, 0, 0, bottom_centred);
    alarm_mask_background_children[2] = Attribute_object_placement(1545, 0, 0, left_centred);
    alarm_mask_background_children[3] = Attribute_object_placement(1546, 0, 0, right_centred);
    copy_picture(Seeder_pictures::pic_warning, warning_data);
    area_whole_bg_children[0] = Attribute_object_placement(1549, 0, 0, centred);
    alarm_common_objs_children[0] = Attribute_object_placement(1550, 0, 0);
    alarm_common_objs_children[1] = Attribute_object_placement(1547, 0, 0);
}

}
