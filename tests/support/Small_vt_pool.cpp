#include "tests/support/Small_vt_pool.h"

Small_vt_pool::Small_vt_pool(module_man* man) : VT::Object_pool(man, table_slots, slot_count)
{
    ws_children[0] = VT::Attribute_object_placement(item_a_id, 0, 0);
    mask_children[0] = VT::Attribute_object_placement(number_id, 0, 0);
    mask_children[1] = VT::Attribute_object_placement(string_id, 0, 20);
    mask_children[2] = VT::Attribute_object_placement(list_id, 0, 40);
    mask_children[3] = VT::Attribute_object_placement(bar_id, 0, 60);
    mask_children[4] = VT::Attribute_object_placement(container_id, 0, 80);
    mask_children[5] = VT::Attribute_object_placement(button_id, 0, 120);
    mask_children[6] = VT::Attribute_object_placement(rectangle_id, 100, 0);
    mask_children[7] = VT::Attribute_object_placement(output_number_id, 100, 40);
    key_list[0] = VT::Attribute_object_id(key_id);
    items[0] = VT::Attribute_object_id(item_a_id);
    items[1] = VT::Attribute_object_id(item_b_id);
    VT::VT_obj* objects[] = {&working_set, &mask,   &other_mask, &alarm_mask,    &keys,   &other_keys, &key,
                             &number,      &string, &list,       &variable,      &bar,    &container,  &button,
                             &rectangle,   &output_number, &item_a, &item_b,     &font,   &line,       &fill,
                             &other_fill};
    static_assert(sizeof objects / sizeof objects[0] == slot_count, "every object has its slot");
    for (unsigned short slot = 0; slot < slot_count; ++slot)
        enter(slot, *objects[slot]);
    index_table();
}

Small_vt_pool::~Small_vt_pool()
{
    if (is_running())
        terminate(1, 1000);
}

