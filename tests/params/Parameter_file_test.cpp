#include "params/parameters_t.h"
#include "platform/data/NV_file_iterator.h"
#include "platform/io/Binary_message.h"
#include "platform/io/File_util.h"
#include "platform/io/Util.h"
#include "tests/params/Tree_helpers.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <unistd.h>

namespace {

using namespace NV_quvel;
using NV_store::NV_file_iterator;
using NV_store::NV_item_array;
using NV_store::NV_iterator;

class Temp_folder {
public:
    Temp_folder()
    {
        char pattern[] = "/tmp/kx4_params_XXXXXX";
        path_ = mkdtemp(pattern);
    }
    ~Temp_folder() { std::system(("rm -rf " + path_).c_str()); }
    std::string file(const char* name) const { return path_ + "/" + name; }
    // What the folder holds, sorted.
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

private:
    std::string path_;
};

std::vector<uint8_t> read_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Values at the edges of their types, where a careless encoding loses bits.
void set_edge_values(parameters_t& tree)
{
    tree.app.speed_filter_factor.set(0.9f);
    tree.app.calibration_drive_channel.set(-1);
    tree.app.fan_speed_to_start.set(std::numeric_limits<int32_t>::min());
    tree.system.specific_vt_name.set(std::numeric_limits<uint64_t>::max());
    tree.system.specific_tc_name.set(0xFFFFFFFFFFFFFE7Full);
    tree.system.config_hash.set(0xFFFFFFFFu);
    tree.app.booms.booms[5]->sections[9]->width.set(DBL_MAX);
    tree.app.booms.booms[0]->on_time.set(-0.0);
    tree.app.monitor_ecus.monitor_inputs_sections[159]->boom_section.set(0xFFFF);
    tree.app.swbox_mapping[9]->channel.set(-128);
    tree.app.channels[9]->name.set("Tank10\0after", 13);
}

TEST(Parameter_file, the_whole_tree_round_trips_bit_for_bit)
{
    Temp_folder folder;
    std::string path = folder.file("params");
    parameters_t saved;
    scribble(saved, 1);
    set_edge_values(saved);
    ASSERT_TRUE(NV_file_iterator::save(saved, path.c_str()));

    parameters_t loaded;
    ASSERT_TRUE(NV_file_iterator::load(loaded, path.c_str()));
    EXPECT_EQ(image_of(loaded), image_of(saved));
    EXPECT_EQ(loaded.app.speed_filter_factor.get(), 0.9f);
    EXPECT_EQ(loaded.app.calibration_drive_channel.get(), -1);
    EXPECT_EQ(loaded.system.specific_vt_name.get(), std::numeric_limits<uint64_t>::max());
    EXPECT_EQ(loaded.app.booms.booms[5]->sections[9]->width.get(), DBL_MAX);
    EXPECT_TRUE(std::signbit(loaded.app.booms.booms[0]->on_time.get()));
    char name[20];
    loaded.app.channels[9]->name.get(name, 20);
    EXPECT_EQ(std::string(name, 13), std::string("Tank10\0after", 13));
}

TEST(Parameter_file, the_iterator_modes_read_write_and_stay_readable_after_a_read)
{
    Temp_folder folder;
    std::string path = folder.file("params");
    parameters_t tree;
    tree.app.num_channels.set(4);
    NV_file_iterator it(path.c_str());

    EXPECT_FALSE(it.set_mode(NV_file_iterator::mode_read));
    EXPECT_FALSE(it.is_readable());
    EXPECT_FALSE(tree.deserialise(&it));

    ASSERT_TRUE(it.set_mode(NV_file_iterator::mode_write));
    ASSERT_TRUE(tree.serialise(&it));
    ASSERT_TRUE(it.set_mode(NV_file_iterator::mode_idle));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"params"});

    parameters_t loaded;
    ASSERT_TRUE(it.set_mode(NV_file_iterator::mode_read));
    EXPECT_TRUE(loaded.deserialise(&it));
    it.set_mode(NV_file_iterator::mode_idle);
    // A good file must not look unreadable once the read is over, or the
    // caller would replace it with an older backup.
    EXPECT_TRUE(it.is_readable());
    EXPECT_EQ(loaded.app.num_channels.get(), 4);
    EXPECT_FALSE(loaded.deserialise(&it)); // the image is gone with mode 0
}

TEST(Parameter_file, a_file_cut_short_at_any_byte_is_refused_and_changes_nothing)
{
    parameters_t source;
    scribble(source, 2);
    std::vector<uint8_t> image = image_of(source);
    parameters_t tree;
    scribble(tree, 3);
    std::vector<uint8_t> before = image_of(tree);

    size_t accepted = 0;
    for (size_t length = 0; length < image.size(); ++length)
        accepted += load_image(tree, std::vector<uint8_t>(image.begin(), image.begin() + length));
    EXPECT_EQ(accepted, 0u);
    EXPECT_EQ(image_of(tree), before);
    EXPECT_TRUE(load_image(tree, image));
}

TEST(Parameter_file, a_file_with_any_one_byte_changed_is_refused_and_changes_nothing)
{
    parameters_t source;
    scribble(source, 4);
    std::vector<uint8_t> image = image_of(source);
    parameters_t tree;
    std::vector<uint8_t> before = image_of(tree);

    size_t accepted = 0;
    for (size_t at = 0; at < image.size(); ++at) {
        for (uint8_t flip : {0x01, 0xFF}) {
            image[at] ^= flip;
            accepted += load_image(tree, image);
            image[at] ^= flip;
        }
    }
    EXPECT_EQ(accepted, 0u);
    EXPECT_EQ(image_of(tree), before);
}

TEST(Parameter_file, a_damaged_file_on_disk_is_read_but_its_load_fails)
{
    Temp_folder folder;
    std::string path = folder.file("params");
    parameters_t source;
    source.app.save_time.set(9);
    ASSERT_TRUE(NV_file_iterator::save(source, path.c_str()));
    std::vector<uint8_t> bytes = read_bytes(path);
    write_bytes(path, std::vector<uint8_t>(bytes.begin(), bytes.end() - 1));

    parameters_t tree;
    NV_file_iterator it(path.c_str());
    EXPECT_TRUE(it.set_mode(NV_file_iterator::mode_read));
    EXPECT_FALSE(tree.deserialise(&it));
    EXPECT_EQ(tree.app.save_time.get(), 4);
}

// A file of another format version, or of another kind, with a sound CRC.
TEST(Parameter_file, another_version_or_magic_is_refused)
{
    parameters_t source;
    std::vector<uint8_t> image = image_of(source);
    auto with_crc = [](std::vector<uint8_t> bytes) {
        Binary_message::set_uint32_le(&bytes[bytes.size() - 4], Util::crc32(0, bytes.data(), bytes.size() - 4));
        return bytes;
    };
    parameters_t tree;
    ASSERT_TRUE(load_image(tree, with_crc(image)));

    std::vector<uint8_t> version = image;
    Binary_message::set_uint16_le(&version[4], 2);
    EXPECT_FALSE(load_image(tree, with_crc(version)));
    std::vector<uint8_t> magic = image;
    magic[0] = 'Q';
    EXPECT_FALSE(load_image(tree, with_crc(magic)));
}

TEST(Parameter_file, a_load_notifies_nobody)
{
    parameters_t source;
    scribble(source, 5);
    parameters_t tree;
    Listener_log watch;
    watch.listen(tree, "tree", true);

    ASSERT_TRUE(load_image(tree, image_of(source)));
    EXPECT_EQ(watch.waiter.pending(), 0u);
}

// Records of an older and a newer build: the same ids, give or take some.
class element_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(element_t)

    nv_u16 value{this, 1, 0, "value"};
};

class narrow_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(narrow_t)

    nv_float a{this, 1, 0.0f, "a"};
    NV_item_array<2, element_t> list{this, _get_root(), 2, "list"};
    nv_u8 c{this, 4, 0, "c"};
};

class wide_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(wide_t)

    nv_float a{this, 1, 0.0f, "a"};
    NV_item_array<4, element_t> list{this, _get_root(), 2, "list"};
    nv_u8 extra{this, 3, 0, "extra"};
    nv_u8 c{this, 4, 0, "c"};
    element_t added{this, _get_root(), 9, "added"};
    nv_name name{this, 10, "name"};
};

class retyped_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(retyped_t)

    nv_double a{this, 1, 0.0, "a"};
    nv_u8 list{this, 2, 0, "list"};
    nv_u8 c{this, 4, 0, "c"};
};

// A value in every field of the newer record, its name included.
void fill(wide_t& newer)
{
    newer.a.set(1.5f);
    for (int i = 0; i < 4; ++i)
        newer.list[i]->value.set(uint16_t(100 + i));
    newer.extra.set(7);
    newer.c.set(9);
    newer.added.value.set(11);
    newer.name.set("wide", 5);
}

TEST(Parameter_file, items_of_unknown_ids_and_surplus_elements_are_skipped)
{
    wide_t newer;
    fill(newer);

    narrow_t older;
    ASSERT_TRUE(load_image(older, image_of(newer)));
    EXPECT_EQ(older.a.get(), 1.5f);
    EXPECT_EQ(older.list[0]->value.get(), 100);
    EXPECT_EQ(older.list[1]->value.get(), 101);
    EXPECT_EQ(older.c.get(), 9);
}

TEST(Parameter_file, fields_missing_from_the_file_keep_their_values)
{
    narrow_t older;
    older.a.set(2.5f);
    older.list[1]->value.set(5);
    older.c.set(3);

    wide_t newer;
    newer.list[3]->value.set(33);
    newer.extra.set(44);
    newer.added.value.set(55);
    newer.name.set("kept", 5);
    ASSERT_TRUE(load_image(newer, image_of(older)));
    EXPECT_EQ(newer.a.get(), 2.5f);
    EXPECT_EQ(newer.list[1]->value.get(), 5);
    EXPECT_EQ(newer.c.get(), 3);
    EXPECT_EQ(newer.list[3]->value.get(), 33);
    EXPECT_EQ(newer.extra.get(), 44);
    EXPECT_EQ(newer.added.value.get(), 55);
    char name[5];
    newer.name.get(name, 5);
    EXPECT_STREQ(name, "kept");
}

TEST(Parameter_file, an_item_of_another_type_is_skipped_and_the_rest_loads)
{
    retyped_t other;
    other.a.set(8.25);
    other.list.set(6);
    other.c.set(12);

    narrow_t tree;
    tree.a.set(1.0f);
    tree.list[0]->value.set(2);
    ASSERT_TRUE(load_image(tree, image_of(other)));
    EXPECT_EQ(tree.a.get(), 1.0f);
    EXPECT_EQ(tree.list[0]->value.get(), 2);
    EXPECT_EQ(tree.c.get(), 12);
}

// Every byte of a file can be wrong, also behind a CRC that matches: each
// byte of the image takes other values, with the CRC made right again. A
// load either succeeds or is refused without changing anything.
TEST(Parameter_file, a_file_with_any_byte_changed_behind_a_sound_crc_loads_whole_or_not_at_all)
{
    wide_t source;
    fill(source);
    const std::vector<uint8_t> image = image_of(source);

    wide_t tree;
    tree.name.set("tree", 5);
    const std::vector<uint8_t> before = image_of(tree);
    size_t accepted = 0, refused = 0;
    for (size_t at = 0; at + 4 < image.size(); ++at) {
        for (uint8_t value : {uint8_t(image[at] ^ 0x01), uint8_t(image[at] ^ 0x80), uint8_t(0x00), uint8_t(0xFF)}) {
            std::vector<uint8_t> changed = image;
            changed[at] = value;
            Binary_message::set_uint32_le(&changed[changed.size() - 4],
                                          Util::crc32(0, changed.data(), changed.size() - 4));
            if (load_image(tree, changed)) {
                ++accepted;
                ASSERT_TRUE(load_image(tree, before));
            } else {
                ++refused;
                ASSERT_EQ(image_of(tree), before) << "byte " << at << " = " << int(value);
            }
        }
    }
    EXPECT_GT(accepted, 0u); // values and ids may change and still make a sound file
    EXPECT_GT(refused, 0u);
}

// What only a faulty writer could make: every check of the frame passes.
TEST(Parameter_file, a_file_whose_items_do_not_nest_changes_nothing)
{
    auto file_with = [](const std::function<void(NV_iterator&)>& last_item) {
        NV_iterator it;
        it.start_image();
        it.push_header(Data_item::get_type_byte(Data_item::class_single, Data_item::type_struct),
                       NV_store::form_container, 0);
        it.push_header(Data_item::get_type_byte(Data_item::class_single, Data_item::type_float),
                       NV_store::form_value, 1);
        it.push_value(1.5f);
        last_item(it);
        it.close_container();
        it.finish_image();
        return it.get_image();
    };
    const uint8_t u8_type = Data_item::get_type_byte(Data_item::class_single, Data_item::type_uint8);
    const std::function<void(NV_iterator&)> broken[] = {
        [&](NV_iterator& it) { it.push_header(u8_type, NV_store::form_t(7), 4); },
        [&](NV_iterator& it) { it.push_header(u8_type, NV_store::form_value, 4); }, // its value is missing
        [&](NV_iterator& it) { it.push_header(uint8_t(0x3F), NV_store::form_value, 4); },
        [&](NV_iterator& it) { it.push_header(u8_type, NV_store::form_counted, 4); },
    };
    narrow_t tree;
    ASSERT_TRUE(load_image(tree, file_with([](NV_iterator&) {})));
    EXPECT_EQ(tree.a.get(), 1.5f);
    tree.a.set(0.0f);
    for (const auto& item : broken)
        EXPECT_FALSE(load_image(tree, file_with(item)));
    EXPECT_EQ(tree.a.get(), 0.0f);
}

// A narrow_t image whose last item is a chain of depth nested records of an
// id the tree does not know.
std::vector<uint8_t> narrow_file_with_nested_records(int depth)
{
    const uint8_t struct_type = Data_item::get_type_byte(Data_item::class_single, Data_item::type_struct);
    NV_iterator it;
    it.start_image();
    it.push_header(struct_type, NV_store::form_container, 0);
    it.push_header(Data_item::get_type_byte(Data_item::class_single, Data_item::type_float), NV_store::form_value, 1);
    it.push_value(1.5f);
    for (int i = 0; i < depth; ++i)
        it.push_header(struct_type, NV_store::form_container, 9);
    for (int i = 0; i <= depth; ++i)
        it.close_container();
    it.finish_image();
    return it.get_image();
}

// Every check passes but the depth: a reader that follows the nesting without
// a bound runs out of stack long before the end of this one.
TEST(Parameter_file, a_file_nested_deeper_than_any_tree_is_refused_and_changes_nothing)
{
    narrow_t tree;
    ASSERT_TRUE(load_image(tree, narrow_file_with_nested_records(16))); // unknown, so skipped
    EXPECT_EQ(tree.a.get(), 1.5f);
    tree.a.set(0.0f);

    NV_iterator it;
    EXPECT_FALSE(it.open_image(narrow_file_with_nested_records(1000000)));
    EXPECT_NE(it.get_problem().find("nest"), std::string::npos) << it.get_problem();
    EXPECT_FALSE(load_image(tree, narrow_file_with_nested_records(1000000)));
    EXPECT_EQ(tree.a.get(), 0.0f);
}

// What the reader says of each kind of file it cannot use, so that the
// start-up can name the reason.
TEST(Parameter_file, a_file_that_cannot_be_used_names_its_problem)
{
    Temp_folder folder;
    const std::string path = folder.file("params");
    parameters_t source;
    const std::vector<uint8_t> good = image_of(source);
    auto with_crc = [](std::vector<uint8_t> bytes) {
        Binary_message::set_uint32_le(&bytes[bytes.size() - 4], Util::crc32(0, bytes.data(), bytes.size() - 4));
        return bytes;
    };
    std::vector<uint8_t> version = good, magic = good, flipped = good;
    Binary_message::set_uint16_le(&version[4], 2);
    magic[0] = 'Q';
    flipped[good.size() / 2] ^= 0x10;
    struct Case {
        const char* what;
        std::function<void()> make;
        bool readable;
        const char* problem;
    } cases[] = {
        {"missing", [&] {}, false, "No such file or directory"},
        {"a folder", [&] { std::filesystem::create_directory(path); }, false, "Is a directory"},
        {"empty", [&] { write_bytes(path, {}); }, true, "not a parameter file"},
        {"another kind of file", [&] { write_bytes(path, with_crc(magic)); }, true, "not a parameter file"},
        {"another version", [&] { write_bytes(path, with_crc(version)); }, true, "format version 2, not 1"},
        {"cut short", [&] { write_bytes(path, {good.begin(), good.end() - 10}); }, true, "length"},
        {"one bit changed", [&] { write_bytes(path, flipped); }, true, "checksum"},
        {"nested too deep", [&] { write_bytes(path, narrow_file_with_nested_records(100)); }, true, "nest"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(path);
        c.make();
        NV_file_iterator it(path.c_str());
        it.set_mode(NV_file_iterator::mode_read);
        EXPECT_EQ(it.is_readable(), c.readable);
        EXPECT_FALSE(it.is_open_for_reading());
        EXPECT_NE(it.get_problem().find(c.problem), std::string::npos) << it.get_problem();
    }
    write_bytes(path, good);
    NV_file_iterator it(path.c_str());
    EXPECT_TRUE(it.set_mode(NV_file_iterator::mode_read));
    EXPECT_EQ(it.get_problem(), "");
}

TEST(Parameter_file, a_file_far_larger_than_any_parameter_file_is_not_read)
{
    Temp_folder folder;
    std::string path = folder.file("params");
    write_bytes(path, {});
    ASSERT_EQ(truncate(path.c_str(), 16 * 1024 * 1024 + 1), 0);
    NV_file_iterator it(path.c_str());
    EXPECT_FALSE(it.set_mode(NV_file_iterator::mode_read));
    EXPECT_FALSE(it.is_readable());
    EXPECT_FALSE(it.is_open_for_reading());
    EXPECT_NE(it.get_problem().find("larger than"), std::string::npos) << it.get_problem();
}

TEST(Parameter_file, a_failed_write_reports_failure_and_leaves_the_old_file)
{
    Temp_folder folder;
    Debug_capture capture;
    parameters_t tree;
    EXPECT_FALSE(NV_file_iterator::save(tree, folder.file("missing/params").c_str()));
    EXPECT_NE(capture.text().find("Writing parameter file"), std::string::npos);

    std::string path = folder.file("params");
    ASSERT_TRUE(NV_file_iterator::save(tree, path.c_str()));
    std::vector<uint8_t> old_bytes = read_bytes(path);
    File_util::set_sync_function([](int) { // the new file does not reach the disk
        errno = EIO;
        return -1;
    });
    tree.app.num_channels.set(3);
    EXPECT_FALSE(NV_file_iterator::save(tree, path.c_str()));
    File_util::set_sync_function(nullptr);
    EXPECT_EQ(read_bytes(path), old_bytes);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"params"});
}

TEST(Parameter_file, a_save_replaces_the_old_file_and_leaves_nothing_beside_it)
{
    Temp_folder folder;
    std::string path = folder.file("params");
    parameters_t tree;
    ASSERT_TRUE(NV_file_iterator::save(tree, path.c_str()));
    tree.app.num_channels.set(3);
    ASSERT_TRUE(NV_file_iterator::save(tree, path.c_str()));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"params"});
    EXPECT_EQ(read_bytes(path), image_of(tree));
}

}
