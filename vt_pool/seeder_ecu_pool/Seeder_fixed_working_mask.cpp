#include "vt_pool/seeder_ecu_pool/Seeder_fixed_objects.h"

#include <cstring>

namespace VT {

namespace {
constexpr uint16_t none = VT_obj::NULL_ID;
constexpr uint16_t font_black = 1252, font_white = 1253, font_small = 1254, font_heading = 1236;
constexpr uint16_t fill_white = 1244, fill_red = 1248, line_none = 1250, line_black = 1251;

const char* const key_names[] = {"key_settings", "key_tank_on_off", "key_preset", "key_inc", "key_dec", "key_master"};

// Tank n's first child and its container.
uint16_t first_of_row(unsigned n)
{
    return uint16_t(1269 + 10 * n);
}
uint16_t container_of_row(unsigned n)
{
    return uint16_t(1278 + 10 * n);
}
}

Seeder_fixed_objects::Soft_key::Soft_key(unsigned number)
    : label(uint16_t(1257 + 2 * number), Seeder_object_name::generated(uint16_t(1257 + 2 * number)), 100, 12, 1,
            font_small, 1, uint16_t(1321 + number), 0, 0, nullptr, 0, nullptr),
      key(uint16_t(1258 + 2 * number), key_names[number - 1], 81, 1, 1, 0, children, nullptr)
{
}

Seeder_fixed_objects::Tank_item::Tank_item(unsigned number)
    : item(uint16_t(1272 + number), Seeder_object_name::generated(uint16_t(1272 + number)), 30, 7, 1, font_black, 3,
           none, 0, sizeof value, value, 0, nullptr)
{
}

Seeder_fixed_objects::Working_mask::Working_mask()
    : mask_working(1258, "mask_working", 81, 1271, 5, 0, mask_working_children, nullptr),
      keys_working(1271, "keys_working", 7, 6, 0, keys_working_keys, nullptr),
      item_all(1272, Seeder_object_name::generated(1272), 30, 7, 1, font_black, 3, 1328, 0, 0, nullptr, 0, nullptr),
      il_edit_tank(1277, "il_edit_tank", 30, 7, none, 0, 5, 1, 0, il_edit_tank_items, nullptr),
      container_wrk_top(1278, "container_wrk_top", 240, 48, 0, 1, 0, container_wrk_top_children, nullptr)
{
}

void Seeder_fixed_objects::Working_mask::each(const Visit& f)
{
    f(mask_working);
    for (Soft_key& soft_key : keys.entry) {
        f(soft_key.label);
        f(soft_key.key);
    }
    f(keys_working);
    f(item_all);
    for (Tank_item& tank_item : tank_items.entry)
        f(tank_item.item);
    f(il_edit_tank);
    f(container_wrk_top);
}

void Seeder_fixed_objects::Working_mask::fill()
{
    mask_working_children[0] = Attribute_object_placement(1278, 0, 0);
    for (unsigned n = 1; n <= 4; ++n)
        mask_working_children[n] = Attribute_object_placement(container_of_row(n), 0, int16_t(48 * n));
    for (Soft_key& soft_key : keys.entry)
        soft_key.children[0] = Attribute_object_placement(soft_key.label.get_id(), 3, 3);
    for (unsigned i = 0; i < 6; ++i)
        keys_working_keys[i] = Attribute_object_id(keys.entry[i].key.get_id());
    for (unsigned i = 0; i < 4; ++i)
        tank_items.entry[i].value[0] = char('1' + i);
    il_edit_tank_items[0] = Attribute_object_id(item_all.get_id());
    for (unsigned i = 0; i < 4; ++i)
        il_edit_tank_items[i + 1] = Attribute_object_id(tank_items.entry[i].item.get_id());
    container_wrk_top_children[0] = Attribute_object_placement(1277, 3, 27);
}

Seeder_fixed_objects::Tank_row::Tank_row(unsigned n)
    : on_square(first_of_row(n), Seeder_object_name("rec_channel_on_", n), line_none, 10, 10, 0, fill_red, 0,
                nullptr),
      preset_frame(first_of_row(n) + 1, Seeder_object_name::generated(first_of_row(n) + 1), line_black, 10, 10, 0,
                   fill_white, 0, nullptr),
      preset(first_of_row(n) + 2, Seeder_object_name("on_channel_preset_", n), 10, 10, 1, font_white, 5, none, 0,
             -30000, 1.0f, 0, 0, 1, 0, nullptr),
      tank_title(first_of_row(n) + 3, Seeder_object_name::generated(first_of_row(n) + 3), 100, 12, 1, font_black, 1,
                 1319, 1, 0, nullptr, 0, nullptr),
      product(first_of_row(n) + 4, Seeder_object_name("os_channel_product_", n), 100, 12, 1, font_black, 1, none, 1,
              sizeof product_name, product_name, 0, nullptr),
      rate_title(first_of_row(n) + 5, Seeder_object_name::generated(first_of_row(n) + 5), 60, 12, 1, font_black, 1,
                 1320, 1, 0, nullptr, 0, nullptr),
      set_point(first_of_row(n) + 6, Seeder_object_name("in_channel_setpt_", n), 60, 12, 1, font_heading, 1, none, 1,
                0, 200, -100, 0.1f, 1, 0, 0, 0, 0, nullptr),
      remaining_title(first_of_row(n) + 7, Seeder_object_name::generated(first_of_row(n) + 7), 60, 12, 1, font_black,
                      1, 1321, 1, 0, nullptr, 0, nullptr),
      remaining(first_of_row(n) + 8, Seeder_object_name("on_channel_remain_", n), 60, 12, 1, font_white, 1, none, 0,
                -30000, 0.01f, 0, 0, 1, 0, nullptr),
      container(container_of_row(n), Seeder_object_name("container_wrk_tank_", n), 240, 48, 0, 9, 0, children,
                nullptr)
{
}

void Seeder_fixed_objects::Tank_row::each(const Visit& f)
{
    for (VT_obj* object : std::initializer_list<VT_obj*>{&on_square, &preset_frame, &preset, &tank_title, &product,
                                                         &rate_title, &set_point, &remaining_title, &remaining,
                                                         &container})
        f(*object);
}

void Seeder_fixed_objects::Tank_row::fill()
{
    std::memcpy(product_name, "PRODUCT ????", sizeof product_name);
    // Later children lie over earlier ones: the on-square under the title,
    // the preset's frame under its number.
    const struct {
        int16_t x, y;
    } at[9] = {{3, 3}, {3, 35}, {3, 35}, {3, 3}, {3, 27}, {120, 3}, {120, 27}, {180, 3}, {180, 27}};
    for (uint16_t i = 0; i < 9; ++i)
        children[i] = Attribute_object_placement(uint16_t(on_square.get_id() + i), at[i].x, at[i].y);
}

}
