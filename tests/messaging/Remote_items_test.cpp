// The peer's mirror items: text, QVariant values, decoding and look-up.
#include "messaging/cds/CDS_Remote_Basic_array.h"
#include "messaging/cds/CDS_Remote_Basic_item.h"
#include "messaging/cds/CDS_Remote_Client.h"
#include "messaging/cds/CDS_Remote_Struct.h"
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>


using namespace CDS::Remote;

namespace {

using Bytes = std::vector<uint8_t>;

template <class T>
std::string text_of(const T& item, int room = 64)
{
    std::vector<char> text(size_t(room), '#');
    const int n = item._to_string(text.data(), room);
    EXPECT_EQ(n, int(std::strlen(text.data()))) << "returns what it wrote";
    return text.data();
}

// Decodes bytes into the item from its start.
bool decode(Item& item, const Bytes& bytes)
{
    Receive_buffer buffer(bytes.data(), unsigned(bytes.size()));
    uint16_t pos = 0;
    return item.deserialise(buffer, pos).ok;
}

Bytes encode(const Item& item)
{
    uint8_t out[512];
    Send_buffer buffer(out, sizeof out);
    uint16_t pos = 0;
    EXPECT_TRUE(item.serialise(buffer, pos).ok);
    return Bytes(out, out + buffer.size());
}

TEST(Remote_items, values_as_text_by_type)
{
    Basic_item<bool> flag("flag", 1);
    Basic_item<char> letter("letter", 2);
    Basic_item<int16_t> small("small", 3);
    Basic_item<uint64_t> big("big", 4);
    Basic_item<float> ratio("ratio", 5);
    Basic_array<char> label("label", 6);
    Basic_array<int32_t> list("list", 7);
    Basic_array<uint8_t> empty("empty", 8);
    ASSERT_TRUE(decode(flag, {1}));
    ASSERT_TRUE(decode(letter, {'x'}));
    ASSERT_TRUE(decode(small, {0xFE, 0xFF}));
    ASSERT_TRUE(decode(big, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    ASSERT_TRUE(decode(ratio, {0x00, 0x00, 0xC0, 0x3F}));
    ASSERT_TRUE(decode(label, {3, 'a', 'b', 'c'}));
    ASSERT_TRUE(decode(list, {2, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));

    EXPECT_EQ(text_of(flag), "TRUE");
    EXPECT_EQ(text_of(letter), "x");
    EXPECT_EQ(text_of(small), "-2");
    EXPECT_EQ(text_of(big), "18446744073709551615");
    EXPECT_EQ(text_of(ratio), "1.500000");
    EXPECT_EQ(text_of(label), "abc") << "characters without separators";
    EXPECT_EQ(text_of(list), "1,-1");
    EXPECT_EQ(text_of(empty), "");
    EXPECT_EQ(text_of(big, 5), "1844") << "cut to the room";
    EXPECT_EQ(text_of(list, 3), "1,");

    Struct group("group", 9);
    group.append(std::make_unique<Basic_item<bool>>("off", 10));
    ASSERT_TRUE(decode(group, {0}));
    EXPECT_EQ(text_of(group), " {\nFALSE};\n");
}

TEST(Remote_items, print_shows_names_ids_and_the_values_received)
{
    Struct group("group", 1);
    auto* flag = new Basic_item<bool>("flag", 2);
    group.append(std::unique_ptr<Item>(flag));
    group.append(std::make_unique<Basic_item<uint8_t>>("level", 3));
    ASSERT_TRUE(decode(*flag, {1}));
    Debug_capture capture;
    group.print(1, "");
    EXPECT_EQ(capture.text(), "  group(1) {\n    flag(2) = TRUE\n    level(3) = \n  };\n")
        << "a value not received yet prints nothing";
}

TEST(Remote_items, an_array_keeps_its_storage_when_a_shorter_value_comes)
{
    Basic_array<uint16_t> array("array", 1);
    EXPECT_FALSE(decode(array, {0})) << "no storage and nothing to store";
    ASSERT_TRUE(decode(array, {5, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0}));
    ASSERT_TRUE(decode(array, {3, 9, 0, 8, 0, 7, 0}));
    EXPECT_EQ(array.get(), (std::vector<uint16_t>{9, 8, 7, 4, 5}));
    EXPECT_EQ(encode(array), (Bytes{5, 9, 0, 8, 0, 7, 0, 4, 0, 5, 0}));
    EXPECT_FALSE(decode(array, {4, 1, 0, 1, 0, 1, 0, 1})) << "cut short";
    EXPECT_EQ(array.get(), (std::vector<uint16_t>{9, 8, 7, 4, 5})) << "taken whole or not at all";
    EXPECT_EQ(array.get_update_count(), 2u);
}

TEST(Remote_items, a_scalar_takes_a_qvariant_that_converts_and_fits)
{
    Basic_item<uint8_t> level("level", 1);
    Basic_item<char> letter("letter", 2);
    Basic_item<double> rate("rate", 3);
    Basic_item<bool> flag("flag", 4);
    struct Case {
        Item& item;
        QVariant value;
        bool taken;
        std::string text;
    } cases[] = {
        {level, 200, true, "200"},
        {level, QString("17"), true, "17"},
        {level, 256, false, "17"},
        {level, -1, false, "17"},
        {level, QString("many"), false, "17"},
        {letter, int('A'), true, "A"},
        {letter, 128, false, "A"},
        {rate, QString("12.5"), true, "12.500000"},
        {flag, true, true, "TRUE"},
    };
    for (Case& c : cases) {
        EXPECT_EQ(c.item.set_value(c.value), c.taken) << c.item.get_name() << " " << c.value.toString().toStdString();
        EXPECT_EQ(text_of(c.item), c.text) << c.item.get_name() << " " << c.value.toString().toStdString();
    }
}

TEST(Remote_items, a_value_is_got_only_once_one_was_received)
{
    Basic_item<int16_t> small("small", 1);
    QVariant value;
    ASSERT_TRUE(small.set_value(7));
    EXPECT_FALSE(small.get_value(value));
    EXPECT_FALSE(value.isValid());
    ASSERT_TRUE(decode(small, {0xFB, 0xFF}));
    ASSERT_TRUE(small.get_value(value));
    EXPECT_EQ(value.type(), QVariant::Int);
    EXPECT_EQ(value.toInt(), -5);

    Basic_item<uint64_t> big("big", 2);
    ASSERT_TRUE(decode(big, {1, 0, 0, 0, 0, 0, 0, 0x80}));
    ASSERT_TRUE(big.get_value(value));
    EXPECT_EQ(value.toULongLong(), 0x8000000000000001ull);
}

TEST(Remote_items, an_array_takes_a_list_of_up_to_255_elements_that_all_convert)
{
    Basic_array<uint8_t> array("array", 1);
    EXPECT_FALSE(array.set_value(QVariantList{})) << "no storage";
    EXPECT_FALSE(array.set_value(5)) << "not a list";
    ASSERT_TRUE(array.set_value(QVariantList{1, 2, 3}));
    ASSERT_TRUE(array.set_value(QVariantList{9}));
    EXPECT_EQ(array.get(), (std::vector<uint8_t>{9, 2, 3}));

    QVariantList too_many;
    for (int i = 0; i < 300; ++i)
        too_many.append(i % 200);
    EXPECT_FALSE(array.set_value(too_many)) << "a count is one byte";
    EXPECT_FALSE(array.set_value(QVariantList{1, 2, 300, 4})) << "an element out of range";
    EXPECT_EQ(array.get(), (std::vector<uint8_t>{9, 2, 3})) << "refused lists change nothing";

    too_many.erase(too_many.begin() + 255, too_many.end());
    ASSERT_TRUE(array.set_value(too_many));
    EXPECT_EQ(array.get().size(), 255u);
    EXPECT_EQ(encode(array).size(), 256u);

    QVariant value;
    ASSERT_TRUE(array.get_value(value));
    EXPECT_EQ(value.toList().size(), 255);
    EXPECT_EQ(value.toList()[254].toUInt(), 54u);
}

TEST(Remote_items, a_struct_sets_and_gets_one_value_per_child)
{
    Struct group("group", 1);
    group.append(std::make_unique<Basic_item<uint8_t>>("a", 2));
    group.append(std::make_unique<Basic_item<int32_t>>("b", 3));
    EXPECT_FALSE(group.set_value(QVariantList{1})) << "one value per child";
    EXPECT_TRUE(group.set_value(QVariantList{1, -2}));
    EXPECT_EQ(encode(group), (Bytes{1, 0xFE, 0xFF, 0xFF, 0xFF}));
    QVariant value;
    EXPECT_FALSE(group.get_value(value)) << "nothing received yet";
    ASSERT_TRUE(decode(group, {4, 5, 0, 0, 0}));
    ASSERT_TRUE(group.get_value(value));
    EXPECT_EQ(value.toList(), (QVariantList{4u, 5}));
}

// root(1) { a(2), b(3) { c(4), d(5) { e(6) } }, bee(7) }
struct Sample {
    Struct root{"root", 1};
    Item* a;
    Struct* b;
    Item* c;
    Struct* d;
    Item* e;
    Item* bee;
    Sample()
    {
        a = add(root, std::make_unique<Basic_item<uint8_t>>("a", 2));
        b = static_cast<Struct*>(add(root, std::make_unique<Struct>("b", 3)));
        c = add(*b, std::make_unique<Basic_item<uint8_t>>("c", 4));
        d = static_cast<Struct*>(add(*b, std::make_unique<Struct>("d", 5)));
        e = add(*d, std::make_unique<Basic_array<char>>("e", 6));
        bee = add(root, std::make_unique<Basic_item<bool>>("bee", 7));
        uint16_t lowest = 30000, highest = 0;
        root.set_minmax(lowest, highest);
    }
    static Item* add(Struct& parent, std::unique_ptr<Item> item)
    {
        Item* raw = item.get();
        parent.append(std::move(item));
        return raw;
    }
};

TEST(Remote_items, a_dotted_path_names_children_exactly)
{
    Sample s;
    struct Case {
        const char* path;
        Item* found;
    } cases[] = {
        {"", &s.root}, {"a", s.a},      {"b", s.b},      {"b.c", s.c},   {"b.d.e", s.e}, {"bee", s.bee},
        {"be", nullptr}, {"b.", s.b},   {"c", nullptr},  {"b.x", nullptr}, {"a.x", nullptr}, {"bees", nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(s.root.find_by_path(c.path), c.found) << "\"" << c.path << "\"";
    EXPECT_EQ(s.b->get_parent(), &s.root);
}

TEST(Remote_items, a_search_by_id_looks_only_into_the_ranges_that_hold_it)
{
    Sample s;
    uint16_t lowest = 30000, highest = 0;
    s.b->set_minmax(lowest, highest);
    EXPECT_EQ(lowest, 3);
    EXPECT_EQ(highest, 6);
    for (Item* item : {static_cast<Item*>(&s.root), s.a, static_cast<Item*>(s.b), s.c, static_cast<Item*>(s.d), s.e,
                       s.bee})
        EXPECT_EQ(s.root.find_by_id(item->get_remote_id()), item) << item->get_name();
    EXPECT_EQ(s.root.find_by_id(8), nullptr);
    EXPECT_EQ(s.b->find_by_id(7), nullptr) << "outside b's range";
    EXPECT_EQ(s.root.find_data_item(uint16_t(4)), s.c);
}

TEST(Remote_items, a_struct_resumes_decoding_at_the_child_it_names)
{
    Sample s;
    const Bytes all = {7, 8, 2, 'h', 'i', 1};
    ASSERT_TRUE(decode(s.root, all));
    EXPECT_EQ(text_of(*s.e), "hi");
    uint16_t pos = 6;
    const Bytes from_e = {2, 'o', 'k', 0};
    Receive_buffer buffer(from_e.data(), unsigned(from_e.size()));
    EXPECT_TRUE(s.root.deserialise(buffer, pos).ok);
    EXPECT_EQ(text_of(*s.e), "ok");
    EXPECT_EQ(text_of(*s.bee), "FALSE");
    EXPECT_EQ(text_of(*s.a), "7") << "before the resume point: untouched";

    const Bytes cut = {9, 3};
    Receive_buffer short_buffer(cut.data(), unsigned(cut.size()));
    pos = 0;
    const auto result = s.root.deserialise(short_buffer, pos);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.stop_id, 6) << "e did not come";
}

TEST(Remote_items, a_type_byte_makes_its_item_or_none)
{
    struct Case {
        uint8_t type;
        Data_item::item_type_t item_type;
        bool array;
    } made[] = {
        {0x01, Data_item::type_struct, false}, {0x02, Data_item::type_bool, false},
        {0x03, Data_item::type_char, false},   {0x0b, Data_item::type_double, false},
        {0x0f, Data_item::type_uint64, false}, {0x10, Data_item::type_int64, false},
        {0x42, Data_item::type_bool, true},    {0x43, Data_item::type_char, true},
        {0x49, Data_item::type_int32, true},   {0x50, Data_item::type_int64, true},
    };
    for (const Case& c : made) {
        auto item = Client::create_item(c.type, "x", 3);
        ASSERT_TRUE(item) << std::hex << int(c.type);
        EXPECT_EQ(item->get_type(), c.item_type) << std::hex << int(c.type);
        EXPECT_EQ(item->get_class_type() == Data_item::class_array, c.array) << std::hex << int(c.type);
        EXPECT_EQ(item->get_remote_id(), 3);
    }
    for (uint8_t type : {0x00, 0x0c, 0x0d, 0x0e, 0x11, 0x41, 0x4d, 0x82, 0xff})
        EXPECT_FALSE(Client::create_item(type, "x", 3)) << std::hex << int(type);
}

}
