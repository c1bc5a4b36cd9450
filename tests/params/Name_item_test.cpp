#include "params/products_t.h"
#include "platform/data/NV_iterator.h"
#include "tests/params/Tree_helpers.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace NV_quvel;
using NV_store::NV_iterator;

const std::string alphabet = "ABCDEFGHIJKLMNOPQRST";

std::string text_of(const nv_name& name)
{
    char chars[20];
    name.get(chars, 20);
    return std::string(chars, 20);
}

// A product whose name holds 20 letters, with a listener on the name.
class Name_item : public testing::Test {
protected:
    Name_item()
    {
        product.name.set(alphabet.c_str(), 20);
        watch.listen(product.name, "name", false);
    }
    // Events that reached the listener since the last call.
    int events() { return int(watch.heard().size()); }

    products_t product;
    Listener_log watch;
};

struct Set_case {
    const char* label;
    std::string src;
    int count;
    int used;
    std::string after;
};

TEST_F(Name_item, set_copies_count_characters_and_keeps_the_rest)
{
    const std::string z(25, 'z');
    const Set_case cases[] = {
        {"text with its terminator", std::string("Tank1", 6), 6, 6, std::string("Tank1\0GHIJKLMNOPQRST", 20)},
        {"the same text", "ABCDEF", 6, 6, alphabet},
        {"nothing", "xyz", 0, 0, alphabet},
        {"20", z, 20, 20, z.substr(0, 20)},
        {"more than 20", z, 25, 20, z.substr(0, 20)},
        {"a negative count", z, -1, 20, z.substr(0, 20)},
    };
    for (const Set_case& c : cases) {
        SCOPED_TRACE(c.label);
        product.name.set(alphabet.c_str(), 20);
        events();
        EXPECT_EQ(product.name.set(c.src.c_str(), c.count), c.used);
        EXPECT_EQ(text_of(product.name), c.after);
        EXPECT_EQ(events(), c.after != alphabet ? 1 : 0);
    }
}

TEST_F(Name_item, single_characters_stay_inside_the_field)
{
    EXPECT_EQ(product.name.get(19), 'T');
    EXPECT_EQ(product.name.get(20), 'A');
    EXPECT_EQ(product.name.get(25), 'A');
    EXPECT_EQ(product.name.at(19), 'T');
    EXPECT_EQ(product.name.at(20), 'A');
    EXPECT_EQ(product.name.at(-1), 'A');

    EXPECT_FALSE(product.name.set(20, 'x'));
    EXPECT_FALSE(product.name.set(-1, 'x'));
    EXPECT_EQ(events(), 0);
    EXPECT_TRUE(product.name.set(0, 'A'));
    EXPECT_EQ(events(), 0);
    EXPECT_TRUE(product.name.set(19, 'x'));
    EXPECT_EQ(events(), 1);
    EXPECT_EQ(text_of(product.name), "ABCDEFGHIJKLMNOPQRSx");
}

TEST_F(Name_item, get_and_copy_to_copy_no_more_than_asked_and_no_more_than_20)
{
    struct Case {
        int count;
        int copied;
    } get_cases[] = {{0, 0}, {5, 5}, {19, 19}, {20, 20}, {25, 20}, {-1, 20}};
    for (const Case& c : get_cases) {
        std::string dst(30, '.');
        EXPECT_EQ(product.name.get(&dst[0], c.count), c.copied) << c.count;
        EXPECT_EQ(dst, alphabet.substr(0, c.copied) + std::string(30 - c.copied, '.')) << c.count;
    }

    Case copy_cases[] = {{-1, 0}, {0, 0}, {5, 5}, {30, 20}};
    for (const Case& c : copy_cases) {
        std::string dst(30, '.');
        EXPECT_EQ(product.name.copy_to(&dst[0], c.count), c.copied > 0) << c.count;
        EXPECT_EQ(dst, alphabet.substr(0, c.copied) + std::string(30 - c.copied, '.')) << c.count;
    }
}

// The field needs no terminator, so a text of all 20 characters fits.
TEST_F(Name_item, text_of_up_to_20_characters_replaces_the_whole_field_a_longer_one_nothing)
{
    const std::string twenty = "abcdefghijklmnopqrst";
    struct Case {
        std::string text;
        bool taken;
        std::string after;
    } cases[] = {
        {"Canola", true, std::string("Canola") + std::string(14, '\0')},
        {twenty, true, twenty},
        {twenty, true, twenty}, // the same again: taken, but no change to announce
        {twenty + "u", false, twenty},
        {"a name far too long for the field", false, twenty},
        {"", true, std::string(20, '\0')},
    };
    for (const Case& c : cases) {
        const std::string before = text_of(product.name);
        const char* end = product.name._from_string(c.text.c_str());
        EXPECT_EQ(end != nullptr, c.taken) << c.text;
        if (end) {
            EXPECT_EQ(end, c.text.c_str() + c.text.size()) << c.text;
        }
        EXPECT_EQ(text_of(product.name), c.after) << c.text;
        EXPECT_EQ(events(), c.after != before ? 1 : 0) << c.text;
    }
}

TEST_F(Name_item, set_default_clears_every_character)
{
    EXPECT_TRUE(product.name.set_default(true));
    EXPECT_EQ(text_of(product.name), std::string(20, '\0'));
    EXPECT_EQ(product.name.get_type(), Data_item::type_char);
    EXPECT_EQ(product.name.get_class_type(), Data_item::class_array);
    EXPECT_EQ(product.name.size(), 20);
}

// A products_t file whose name record (id 3) the test writes, followed by tank 3.
std::vector<uint8_t> product_file(const std::function<void(NV_iterator&)>& name_record)
{
    NV_iterator it;
    it.start_image();
    it.push_header(Data_item::get_type_byte(Data_item::class_single, Data_item::type_struct),
                   NV_store::form_container, 0);
    name_record(it);
    it.push_header(Data_item::get_type_byte(Data_item::class_single, Data_item::type_uint8), NV_store::form_value, 6);
    it.push_value<uint8_t>(3);
    it.close_container();
    it.finish_image();
    return it.get_image();
}

std::function<void(NV_iterator&)> counted(int count, char first)
{
    return [=](NV_iterator& it) {
        it.push_header(Data_item::get_type_byte(Data_item::class_array, Data_item::type_char),
                       NV_store::form_counted, 3);
        it.push_uint8(uint8_t(count));
        for (int i = 0; i < count; ++i)
            it.push_char(char(first + i));
    };
}

TEST_F(Name_item, a_file_record_loads_what_it_holds_and_says_when_its_count_is_not_20)
{
    struct Case {
        const char* label;
        int count;
        std::string after;
        bool complaint;
    } cases[] = {
        {"count 0", 0, alphabet, true},
        {"count 5", 5, "abcdeFGHIJKLMNOPQRST", true},
        {"count 20", 20, "abcdefghijklmnopqrst", false},
        {"count 25", 25, "abcdefghijklmnopqrst", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        product.name.set(alphabet.c_str(), 20);
        product.tank.set(10);
        events();
        Debug_capture capture;
        EXPECT_TRUE(load_image(product, product_file(counted(c.count, 'a'))));
        EXPECT_EQ(text_of(product.name), c.after);
        EXPECT_EQ(product.tank.get(), 3); // what follows the record still loads
        EXPECT_EQ(capture.text().find("Problem with size of NV_array\n") != std::string::npos, c.complaint);
        EXPECT_EQ(events(), 0);
    }
}

TEST_F(Name_item, a_file_record_of_another_kind_changes_nothing_in_the_name)
{
    auto u8_record = [](NV_iterator& it) {
        it.push_header(Data_item::get_type_byte(Data_item::class_single, Data_item::type_uint8),
                       NV_store::form_value, 3);
        it.push_value<uint8_t>(1);
    };
    EXPECT_TRUE(load_image(product, product_file(u8_record)));
    EXPECT_EQ(text_of(product.name), alphabet);
    EXPECT_EQ(product.tank.get(), 3);

    // The item refuses a record that is not its own, even when asked directly.
    NV_iterator it;
    ASSERT_TRUE(it.open_image(product_file(u8_record)));
    EXPECT_FALSE(product.name.deserialise(&it));
    EXPECT_EQ(text_of(product.name), alphabet);
}

TEST_F(Name_item, prints_its_text_under_its_name)
{
    struct Collect : Debug::Dumper {
        std::string seen;
        void value(const char* name, const char* text) override { seen += std::string(name) + "=" + text; }
    } dumper;
    product.name.set("Wheat", 6);
    product.name._print(dumper);
    EXPECT_EQ(dumper.seen, "name=Wheat");
    // Twenty characters and no terminator: the print stops at the field's end.
    dumper.seen.clear();
    product.name._from_string(alphabet.c_str());
    product.name._print(dumper);
    EXPECT_EQ(dumper.seen, "name=" + alphabet);
}

}
