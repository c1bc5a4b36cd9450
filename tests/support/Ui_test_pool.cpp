#include "tests/support/Ui_test_pool.h"

#include "platform/iso/VT_Alarm_mask_obj.h"
#include "platform/iso/VT_Button_obj.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Fill_attributes_obj.h"
#include "platform/iso/VT_Font_attributes_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Key_obj.h"
#include "platform/iso/VT_Line_attributes_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/iso/VT_Soft_key_mask_obj.h"
#include "platform/iso/VT_Working_set_obj.h"
#include "platform/rtos/Bugger.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string name_of(uint16_t id)
{
    return "test_" + std::to_string(id);
}

}

Ui_test_pool::Ui_test_pool(module_man* man)
    : vtui_pool(man, table_slots, slot_count)
{
    font_id_ = add(std::make_unique<VT::Font_attributes_obj>(next_id(), name_of(next_id()).c_str(), 0, 1, 0, 0, 0,
                                                             nullptr));
    line_id_ = add(std::make_unique<VT::Line_attributes_obj>(next_id(), name_of(next_id()).c_str(), 0, 1, 0xFFFF, 0,
                                                             nullptr));
    const uint16_t label = output_string(4);
    intro_mask_id_ = data_mask();
    auto children = std::make_shared<VT::Attribute_object_placement>(label, 0, 0);
    children_.push_back(children);
    working_set_id_ = add(std::make_unique<VT::Working_set_obj>(next_id(), "test_working_set", 1, 1, intro_mask_id_, 1,
                                                                0, 0, children.get(), nullptr, nullptr));
}

Ui_test_pool::~Ui_test_pool()
{
    if (is_running())
        terminate(1, 1000);
}

uint16_t Ui_test_pool::add(std::unique_ptr<VT::VT_obj> object)
{
    const auto slot = static_cast<unsigned short>(common_count + objects_.size());
    if (slot >= slot_count)
        Bugger::report_bug("the test pool is full");
    const uint16_t id = object->get_id();
    enter(slot, *object);
    objects_.push_back(std::move(object));
    index_table();
    return id;
}

char* Ui_test_pool::text_buffer(size_t length)
{
    texts_.push_back(std::make_unique<char[]>(length + 1));
    std::memset(texts_.back().get(), ' ', length);
    return texts_.back().get();
}

uint16_t Ui_test_pool::data_mask(uint16_t soft_key_mask)
{
    return add(std::make_unique<VT::Data_mask_obj>(next_id(), name_of(next_id()).c_str(), 0, soft_key_mask, 0, 0,
                                                   nullptr, nullptr));
}

uint16_t Ui_test_pool::alarm_mask(const char* name, uint8_t priority, uint16_t soft_key_mask)
{
    return add(std::make_unique<VT::Alarm_mask_obj>(next_id(), name, 12, soft_key_mask, priority, 0, 0, 0, nullptr,
                                                    nullptr));
}

uint16_t Ui_test_pool::soft_key_mask(const std::vector<uint16_t>& keys)
{
    auto list = std::shared_ptr<VT::Attribute_object_id[]>(new VT::Attribute_object_id[keys.size() + 1]);
    for (size_t i = 0; i < keys.size(); ++i)
        list[i] = VT::Attribute_object_id(keys[i]);
    children_.push_back(list);
    return add(std::make_unique<VT::Soft_key_mask_obj>(next_id(), name_of(next_id()).c_str(), 0,
                                                       uint8_t(keys.size()), 0, list.get(), nullptr));
}

uint16_t Ui_test_pool::key()
{
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Key_obj>(id, name_of(id).c_str(), 7, uint8_t(id), 0, 0, nullptr, nullptr));
}

uint16_t Ui_test_pool::button()
{
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Button_obj>(id, name_of(id).c_str(), 40, 20, 7, 0, uint8_t(id), 0, 0, 0, nullptr,
                                                nullptr));
}

uint16_t Ui_test_pool::input_number(uint32_t min, uint32_t max, int32_t offset, uint16_t variable)
{
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Input_number_obj>(id, name_of(id).c_str(), 60, 20, 1, font_id_, 0, variable, min,
                                                      min, max, offset, 1.0f, 0, 0, 0, 1, 0, nullptr));
}

uint16_t Ui_test_pool::output_number(int32_t offset, uint16_t variable)
{
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Output_number_obj>(id, name_of(id).c_str(), 60, 20, 1, font_id_, 0, variable, 0,
                                                       offset, 1.0f, 0, 0, 0, 0, nullptr));
}

uint16_t Ui_test_pool::number_variable(uint32_t value)
{
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Number_variable_obj>(id, name_of(id).c_str(), value));
}

uint16_t Ui_test_pool::object_pointer(uint16_t value)
{
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Object_pointer_obj>(id, name_of(id).c_str(), 0, nullptr, value));
}

uint16_t Ui_test_pool::input_list(const std::vector<uint16_t>& items)
{
    auto list = std::shared_ptr<VT::Attribute_object_id[]>(new VT::Attribute_object_id[items.size() + 1]);
    for (size_t i = 0; i < items.size(); ++i)
        list[i] = VT::Attribute_object_id(items[i]);
    children_.push_back(list);
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Input_list_obj>(id, name_of(id).c_str(), 60, 20, none, 0, uint8_t(items.size()), 1,
                                                    0, list.get(), nullptr));
}

uint16_t Ui_test_pool::output_string(uint16_t length)
{
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Output_string_obj>(id, name_of(id).c_str(), 80, 20, 1, font_id_, 0, none, 0,
                                                       length, text_buffer(length), 0, nullptr));
}

uint16_t Ui_test_pool::input_string(uint8_t length)
{
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Input_string_obj>(id, name_of(id).c_str(), 80, 20, 1, font_id_, none, 0, none, 0,
                                                      length, text_buffer(length), 1, 0, nullptr));
}

uint16_t Ui_test_pool::container(bool hidden)
{
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Container_obj>(id, name_of(id).c_str(), 40, 40, hidden ? 1 : 0, 0, 0, nullptr,
                                                   nullptr));
}

uint16_t Ui_test_pool::rectangle(uint16_t fill_attributes)
{
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Rectangle_obj>(id, name_of(id).c_str(), line_id_, 20, 20, 0, fill_attributes, 0,
                                                   nullptr));
}

uint16_t Ui_test_pool::fill_attributes(uint8_t colour)
{
    const uint16_t id = next_id();
    return add(std::make_unique<VT::Fill_attributes_obj>(id, name_of(id).c_str(), 2, colour, 0xFFFF, 0, nullptr));
}
