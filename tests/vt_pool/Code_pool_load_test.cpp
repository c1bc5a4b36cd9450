// The code-built screens as the controller holds them: their bytes loaded
// into the application pool, read back from it, and the whole upload image
// read by the independent pool checker and by the display-side session.
#include "platform/iso/VT_Button_obj.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Fill_attributes_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Input_string_obj.h"
#include "platform/iso/VT_Key_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_deserial.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/iso/VT_Soft_key_mask_obj.h"
#include "tests/support/Iop_check.h"
#include "tests/vt_pool/Same_objects.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/build_seeder_pool.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace VT;
using Records = std::map<uint16_t, Bytes>;

constexpr uint16_t first_built_id = 10000;

// The built screens loaded into a fresh application pool.
struct Loaded {
    Loaded() : writer(seeder_pool_writer_size, nullptr)
    {
        built = build_seeder_pool(*ids, writer, VtSize(240, 240));
        bytes.assign(writer.getData(), writer.getData() + writer.getLength());
        Object_deserial loader;
        loader.init(pool.get());
        loaded = loader.run(bytes.data(), bytes.size());
    }

    std::unique_ptr<Seeder_pool_ids> ids = std::make_unique<Seeder_pool_ids>();
    VtWriter writer;
    std::unique_ptr<seeder_ecu_pool> pool = std::make_unique<seeder_ecu_pool>(nullptr, nullptr, 0);
    bool built = false;
    bool loaded = false;
    Bytes bytes;
};

// Each record of a pool image by its ID, cut where the next record starts.
Records records_of(const Bytes& image)
{
    const Iop_check check(image);
    std::map<size_t, uint16_t> by_offset;
    for (const auto& [id, object] : check.objects())
        by_offset[object.offset] = id;
    Records records;
    for (auto at = by_offset.begin(); at != by_offset.end(); ++at) {
        const auto next = std::next(at);
        const size_t end = next == by_offset.end() ? image.size() : next->first;
        records[at->second] = Bytes(image.begin() + long(at->first), image.begin() + long(end));
    }
    return records;
}

std::string listing(const Iop_check& check)
{
    std::string text;
    for (const Iop_check::Error& error : check.errors())
        text += std::to_string(error.object) + " (parent " + std::to_string(error.parent) + "): " + error.text + "\n";
    return text;
}

TEST(Code_pool_load, the_built_screens_load_and_come_back_out_byte_identical_per_id_but_their_working_set)
{
    const Loaded l;
    ASSERT_TRUE(l.built);
    ASSERT_TRUE(l.loaded);

    Records sent = records_of(l.bytes);
    ASSERT_EQ(sent.count(first_built_id), 1u);
    ASSERT_EQ(sent.at(first_built_id).at(2), Object_type::working_set);
    sent.erase(first_built_id);
    EXPECT_EQ(l.pool->get_loaded_count(), sent.size());

    Records back = records_of(l.pool->serialise());
    back.erase(back.begin(), back.lower_bound(first_built_id));
    ASSERT_EQ(back.size(), sent.size());
    for (const auto& [id, record] : sent) {
        SCOPED_TRACE(id);
        ASSERT_EQ(back.count(id), 1u);
        EXPECT_EQ(back.at(id), record);
    }
}

// Whether the object is of the class the VT object type stands for.
bool of_class(uint8_t type, const VT_obj* object)
{
    switch (type) {
    case Object_type::data_mask: return dynamic_cast<const Data_mask_obj*>(object);
    case Object_type::container: return dynamic_cast<const Container_obj*>(object);
    case Object_type::soft_key_mask: return dynamic_cast<const Soft_key_mask_obj*>(object);
    case Object_type::key: return dynamic_cast<const Key_obj*>(object);
    case Object_type::button: return dynamic_cast<const Button_obj*>(object);
    case Object_type::input_string: return dynamic_cast<const Input_string_obj*>(object);
    case Object_type::input_number: return dynamic_cast<const Input_number_obj*>(object);
    case Object_type::input_list: return dynamic_cast<const Input_list_obj*>(object);
    case Object_type::output_string: return dynamic_cast<const Output_string_obj*>(object);
    case Object_type::output_number: return dynamic_cast<const Output_number_obj*>(object);
    case Object_type::rectangle: return dynamic_cast<const Rectangle_obj*>(object);
    case Object_type::number_variable: return dynamic_cast<const Number_variable_obj*>(object);
    case Object_type::fill_attributes: return dynamic_cast<const Fill_attributes_obj*>(object);
    case Object_type::object_pointer: return dynamic_cast<const Object_pointer_obj*>(object);
    case any_vt_type: return object != nullptr;
    default: return false; // a field type this check does not know yet
    }
}

TEST(Code_pool_load, every_recorded_field_finds_a_loaded_object_of_the_class_its_type_promises)
{
    const Loaded l;
    ASSERT_TRUE(l.loaded);
    size_t recorded = 0;
    for (const Seeder_pool_entry& entry : l.ids->entries()) {
        if (entry.oid == VT_obj::NULL_ID)
            continue;
        ++recorded;
        SCOPED_TRACE(entry.oid);
        EXPECT_GE(entry.oid, first_built_id + 1);
        const VT_obj* object = l.pool->__find_object(entry.oid);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->get_id(), entry.oid);
        EXPECT_TRUE(of_class(entry.type, object)) << "field type " << int(entry.type) << ", object type "
                                                  << int(object->get_type());
        if (entry.type != any_vt_type) {
            EXPECT_EQ(object->get_type(), entry.type);
        }
    }
    EXPECT_GT(recorded, 500u);
}

class Code_pool_file : public ::testing::Test {
protected:
    Code_pool_file()
    {
        char name[] = "/tmp/kx4_code_pool_XXXXXX";
        if (mkdtemp(name))
            root_ = name;
        setenv("KX4_ROOT", root_.c_str(), 1);
    }
    ~Code_pool_file() override
    {
        unsetenv("KX4_ROOT");
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    // The upload image the pool wrote, from its file in the test's root.
    Bytes written_image() const
    {
        const std::string path = Object_pool_base<VT_obj>::get_file_path();
        EXPECT_EQ(path.rfind(root_ + "/", 0), 0u) << path;
        std::ifstream in(path, std::ios::binary);
        return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::string root_;
};

TEST_F(Code_pool_file, the_written_upload_image_is_sound_with_one_working_set_and_every_alarm_and_data_mask)
{
    const Loaded l;
    ASSERT_TRUE(l.loaded);
    ASSERT_TRUE(l.pool->serialise_to_file());
    const Bytes image = written_image();
    EXPECT_EQ(image, l.pool->serialise());

    const Iop_check check(image);
    EXPECT_TRUE(check.sound()) << listing(check);
    EXPECT_EQ(check.count(Object_type::working_set), 1u);
    EXPECT_EQ(check.working_set(), 1230);
    EXPECT_EQ(check.count(Object_type::alarm_mask), 63u);
    // The common pool's, the two fixed and the code-built screens'.
    EXPECT_EQ(check.count(Object_type::data_mask), 7u + 2u + 47u);
    EXPECT_EQ(Iop_check(l.bytes).count(Object_type::data_mask), 47u);
}

// The common, fixed and code-built objects together, as a terminal receives
// them.
TEST_F(Code_pool_file, the_session_reads_the_written_upload_image_as_the_checker_does)
{
    const Loaded l;
    ASSERT_TRUE(l.loaded);
    ASSERT_TRUE(l.pool->serialise_to_file());
    expectSameObjects(written_image());
}

}
