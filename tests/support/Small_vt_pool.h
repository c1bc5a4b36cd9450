#pragma once
#include "platform/iso/VT_Button_obj.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Alarm_mask_obj.h"
#include "platform/iso/VT_Fill_attributes_obj.h"
#include "platform/iso/VT_Font_attributes_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Key_obj.h"
#include "platform/iso/VT_Line_attributes_obj.h"
#include "platform/iso/VT_Linear_bar_graph_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pool.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/iso/VT_Soft_key_mask_obj.h"
#include "platform/iso/VT_Working_set_obj.h"

struct Small_vt_pool_table {
    static constexpr unsigned short slot_count = 22;
    VT::VT_obj* table_slots[slot_count] = {};
};

// A pool of one of each object the client changes or hears about, small
// enough for one TP message.
class Small_vt_pool : private Small_vt_pool_table, public VT::Object_pool {
public:
    enum : uint16_t {
        working_set_id = 100, mask_id = 200, other_mask_id = 201, alarm_mask_id = 202, keys_id = 300,
        other_keys_id = 301, key_id = 310, number_id = 400, string_id = 401, list_id = 402, variable_id = 403,
        bar_id = 404, container_id = 500, button_id = 600, rectangle_id = 700, output_number_id = 800,
        item_a_id = 801, item_b_id = 802, font_id = 900, line_id = 901, fill_id = 902, other_fill_id = 903,
    };
    static constexpr uint8_t string_length = 8;

    explicit Small_vt_pool(module_man* man);
    // Ends the client's task before its objects go.
    ~Small_vt_pool() override;

    VT::Attribute_object_placement ws_children[1];
    VT::Working_set_obj working_set{working_set_id, "ws", 1, 1, mask_id, 1, 0, 0, ws_children, nullptr, nullptr};
    VT::Attribute_object_placement mask_children[8];
    VT::Data_mask_obj mask{mask_id, "mask", 1, keys_id, 8, 0, mask_children, nullptr};
    VT::Data_mask_obj other_mask{other_mask_id, "other_mask", 0, other_keys_id, 0, 0, nullptr, nullptr};
    VT::Alarm_mask_obj alarm_mask{alarm_mask_id, "alarm", 12, keys_id, 1, 0, 0, 0, nullptr, nullptr};
    VT::Attribute_object_id key_list[1];
    VT::Soft_key_mask_obj keys{keys_id, "keys", 0, 1, 0, key_list, nullptr};
    VT::Soft_key_mask_obj other_keys{other_keys_id, "other_keys", 0, 0, 0, nullptr, nullptr};
    VT::Key_obj key{key_id, "key", 7, 1, 0, 0, nullptr, nullptr};
    VT::Input_number_obj number{number_id, "number", 60, 20, 1, font_id, 0, 65535, 10, 0, 100, 0, 1.0f, 0, 0, 0, 1, 0,
                                nullptr};
    char string_value[string_length] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
    VT::Input_string_obj string{string_id, "string", 80, 20, 1, font_id, 65535, 0, 65535, 0, string_length,
                                string_value, 1, 0, nullptr};
    VT::Attribute_object_id items[2];
    VT::Input_list_obj list{list_id, "list", 60, 20, 65535, 0, 2, 1, 0, items, nullptr};
    VT::Number_variable_obj variable{variable_id, "var_upload", 0};
    VT::Linear_bar_graph_obj bar{bar_id, "bar", 180, 14, 0, 0, 49, 0, 0, 1000, variable_id, 0, 65535, 0, 0, nullptr};
    VT::Container_obj container{container_id, "container", 40, 40, 0, 0, 0, nullptr, nullptr};
    VT::Button_obj button{button_id, "button", 40, 20, 7, 0, 2, 0, 0, 0, nullptr, nullptr};
    VT::Rectangle_obj rectangle{rectangle_id, "rectangle", line_id, 20, 20, 0, fill_id, 0, nullptr};
    VT::Output_number_obj output_number{output_number_id, "output_number", 60, 20, 1, font_id, 0, 65535, 5, 0, 1.0f,
                                        0, 0, 0, 0, nullptr};
    char item_a_value[2] = {'a', 'a'};
    VT::Output_string_obj item_a{item_a_id, "item_a", 40, 20, 1, font_id, 0, 65535, 0, 2, item_a_value, 0, nullptr};
    char item_b_value[2] = {'b', 'b'};
    VT::Output_string_obj item_b{item_b_id, "item_b", 40, 20, 1, font_id, 0, 65535, 0, 2, item_b_value, 0, nullptr};
    VT::Font_attributes_obj font{font_id, "font", 0, 1, 0, 0, 0, nullptr};
    VT::Line_attributes_obj line{line_id, "line", 0, 1, 0xFFFF, 0, nullptr};
    VT::Fill_attributes_obj fill{fill_id, "fill", 2, 1, 65535, 0, nullptr};
    VT::Fill_attributes_obj other_fill{other_fill_id, "other_fill", 2, 12, 65535, 0, nullptr};
};

