#pragma once
#include <cstdint>
#include <vector>

namespace VT {

// The ISO 11783-6 messages of the working set to its Virtual Terminal, and
// the function codes of both directions. Byte 0 is the function; the rest is
// filled with 0xFF to eight bytes where the message has no more.
namespace Command {

using Message = std::vector<uint8_t>;

// VT to ECU.
constexpr uint8_t soft_key_activation = 0, button_activation = 1, vt_change_numeric_value = 5,
                  vt_change_string_value = 8, vt_status = 254;
// ECU to VT, and the VT's responses under the same code.
constexpr uint8_t object_pool_transfer = 17, end_of_object_pool = 18, hide_show_object = 160, enable_disable_object = 161,
                  change_numeric_value = 168, change_active_mask = 173, change_soft_key_mask = 174,
                  change_attribute = 175, change_list_item = 177, change_string_value = 179, get_memory = 192,
                  get_number_of_soft_keys = 194, get_text_font_data = 195, get_hardware = 199, store_version = 208,
                  load_version = 209, get_versions = 223, get_versions_response = 224, working_set_maintenance = 255;
// Change Attribute's attribute IDs that the pool's setters use.
constexpr uint8_t rectangle_fill_attributes = 5;
constexpr uint8_t input_number_min = 7, input_number_max = 8, input_number_offset = 9, input_number_scale = 10,
                  input_number_decimals = 11;
constexpr uint8_t output_number_offset = 7, output_number_scale = 8, output_number_decimals = 9;
// Change Soft Key Mask's mask types.
constexpr uint8_t data_mask_type = 1, alarm_mask_type = 2;
constexpr uint16_t no_object = 0xFFFF;

Message hide_show(uint16_t id, bool show);
Message enable_disable(uint16_t id, bool enable);
Message numeric_value(uint16_t id, uint32_t value);
Message active_mask(uint16_t working_set, uint16_t mask);
Message soft_key_mask(uint8_t mask_type, uint16_t mask, uint16_t soft_key_mask);
Message attribute(uint16_t id, uint8_t attribute_id, uint32_t value);
// A float attribute goes as the bits of its IEEE 754 single.
Message float_attribute(uint16_t id, uint8_t attribute_id, float value);
Message list_item(uint16_t list, uint8_t index, uint16_t item);
// The bytes as they are, however many (a string object's whole value).
Message string_value(uint16_t id, const char* bytes, uint16_t length);
// A query or request without arguments: the function and seven 0xFF.
Message plain(uint8_t function);
Message memory(uint32_t bytes);
// Store and Load Version: the seven characters of the label.
Message version(uint8_t function, const char* label);
// The first message of a maintenance run says that the working set initiates.
Message maintenance(bool initiating, uint8_t version);

}

}
