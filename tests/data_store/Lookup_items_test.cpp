#include "platform/data/Dumper.h"
#include "tests/data_store/Store_fixture.h"
#include "tests/data_store/Test_tree.h"
#include "tests/support/Child_process.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Tree_fixture : Test_tree {
    waiter_descriptor waiter;
    test_record& r = body;

    CDS::Lookup_item& node(const char* path)
    {
        CDS::Lookup_item* n = root.find_data_item(path);
        if (!n)
            throw std::runtime_error(std::string("no node ") + path);
        return *n;
    }
    // Follows the whole record, so every write shows up as an event.
    void follow_all()
    {
        head.event_register(&waiter, 0, sizeof body, CDS::reg_change, 1, nullptr, nullptr);
    }
    std::string print(const char* path, int depth)
    {
        Debug_capture capture;
        node(path).print(depth);
        return capture.text();
    }
};

TEST(Lookup_items, print_writes_one_line_per_value_and_wraps_structures)
{
    struct Case {
        const char* path;
        int depth;
        std::function<void(test_record&)> set;
        const char* line;
    } cases[] = {
        {"record.rate", 0, [](test_record& r) { r.rate = 1000000.0; }, "double rate = 1E+06; \"The rate \"\n"},
        {"record.flag", 0, [](test_record& r) { r.flag = true; }, "bool flag = 1; \"a flag\"\n"},
        {"record.flag", 2, [](test_record& r) { r.flag = false; }, "        bool flag = 0; \"a flag\"\n"},
        {"record.ratio", 0, [](test_record& r) { r.ratio = 0.1f; }, "float ratio = 0.1; \"\"\n"},
        {"record.number", 0, [](test_record& r) { r.number = -7; }, "int number = -7; \"signed\"\n"},
        {"record.period", 0, [](test_record& r) { r.period = 4000000000u; }, "unsigned long period = 4E+09; \"\"\n"},
        {"record.wide", 0, [](test_record& r) { r.wide = 18446744073709551615u; },
         "uint64_t wide = 1.84467E+19; \"\"\n"},
        {"record.u16", 1, [](test_record& r) { r.u16 = 65535; }, "    uint16_t u16 = 65535; \"\"\n"},
        {"record.bytes", 0, [](test_record& r) { r.bytes[0] = 1, r.bytes[1] = 2, r.bytes[2] = 255; },
         "uchar bytes = {1, 2, 255};\"three\"\n"},
        {"record.reals", 0, [](test_record& r) { r.reals[0] = 0.5f, r.reals[1] = -2; },
         "float reals = {0.5, -2};\"\"\n"},
        {"record.text", 0, [](test_record& r) { std::strcpy(r.text, "A\xe9"); }, "char text = {65, 233, 0, 0, 0, 0};\"\"\n"},
        {"empty", 0, [](test_record&) {}, "uchar empty = {};\"none\"\n"},
        {"record.part", 1, [](test_record& r) { r.part.count = 3; },
         "    struct test_part { \"\"\n"
         "        uint16_t count = 3; \"parts\"\n"
         "    } part;\n"},
        {"record.parts", 0, [](test_record&) {},
         "struct test_part { \"\"\n"
         "    struct test_part { \"\"\n"
         "        uint16_t count = 0; \"parts\"\n"
         "    } 0;\n"
         "    struct test_part { \"\"\n"
         "        uint16_t count = 0; \"parts\"\n"
         "    } 1;\n"
         "} parts;\n"},
    };
    for (const Case& c : cases) {
        Tree_fixture t;
        c.set(t.body);
        EXPECT_EQ(t.print(c.path, c.depth), c.line) << c.path;
    }
}

TEST(Lookup_items, the_root_prints_its_whole_tree_with_hidden_members_left_out)
{
    Tree_fixture t;
    std::string text = t.print("", 0);
    EXPECT_EQ(text.rfind("struct test_root { \"\"\n    struct test_record { \"\"\n        bool flag = 0; \"a flag\"\n", 0), 0u)
        << text;
    EXPECT_NE(text.find("        uint64_t wide = 0; \"\"\n        uchar bytes = {0, 0, 0};\"three\"\n"), std::string::npos);
    EXPECT_EQ(text.find("secret"), std::string::npos);
    const std::string tail = "    uchar empty = {};\"none\"\n} test;\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

// Records what a dump hands over; refuses lists when told to.
class Recording_dumper : public Debug::Dumper {
public:
    explicit Recording_dumper(bool accept_lists) : accept_(accept_lists) {}
    std::vector<std::string> entries;
    void value(const char* name, const char* text) override { entries.push_back(std::string(name) + "=" + text); }
    bool open_list(const char* name) override
    {
        entries.push_back(std::string("open ") + name);
        return accept_;
    }
    void close_list(const char* name) override { entries.push_back(std::string("close ") + name); }

private:
    bool accept_;
};

TEST(Lookup_items, a_dump_hands_over_names_and_value_texts)
{
    using Entries = std::vector<std::string>;
    Tree_fixture t;
    t.r.number = -7;
    t.r.flags[1] = true;
    t.r.reals[0] = 2.5f;
    std::strcpy(t.r.text, "AB");
    struct Case {
        const char* path;
        bool accept;
        Entries expected;
    } cases[] = {
        {"record.number", true, {"number=-7"}},
        {"record.flags", true, {"open flags", "0=0", "1=1", "2=0", "close flags"}},
        {"record.flags", false, {"open flags"}},
        {"record.reals", true, {"open reals", "0=2.5", "1=0", "close reals"}},
        {"record.text", true, {"text=AB"}},
        {"record.part", true, {"open part", "count=0", "close part"}},
        {"record.part", false, {"open part"}},
    };
    for (const Case& c : cases) {
        Recording_dumper dumper(c.accept);
        t.node(c.path)._print(dumper);
        EXPECT_EQ(dumper.entries, c.expected) << c.path;
    }
}

// One text set on one node: accepted or not, and the field's value text after.
struct Text_case {
    const char* path;
    const char* text;
    bool accepted;
};

void check_from_string(const Text_case& c, const std::function<std::string(test_record&)>& value_of,
                       const std::string& before, const std::string& after)
{
    Tree_fixture t;
    t.follow_all();
    CDS::Lookup_item& node = t.node(c.path);
    ASSERT_EQ(value_of(t.r), before) << c.path;
    const char* end = node.from_string(c.text, t.head);
    std::vector<waiter_event> events = take_events(t.waiter);
    EXPECT_EQ(t.head.owner_tid(), 0);
    if (!c.accepted) {
        EXPECT_EQ(end, nullptr) << c.path << " <- \"" << c.text << "\"";
        EXPECT_TRUE(events.empty()) << c.path << " <- \"" << c.text << "\"";
        EXPECT_EQ(value_of(t.r), before) << c.path << " <- \"" << c.text << "\"";
        return;
    }
    EXPECT_NE(end, nullptr) << c.path << " <- \"" << c.text << "\"";
    EXPECT_EQ(events.size(), 1u) << c.path << " <- \"" << c.text << "\"";
    EXPECT_EQ(value_of(t.r), after) << c.path << " <- \"" << c.text << "\"";
}

std::string leaf_text(test_record& r, const char* path)
{
    Tree_fixture t;
    t.body = r;
    char text[32] = {};
    t.node(path)._to_string(text, sizeof text);
    return text;
}

TEST(Lookup_items, a_value_set_from_text_is_stored_with_one_event_and_a_bad_text_changes_nothing)
{
    struct Case {
        Text_case text;
        const char* after;
    } cases[] = {
        {{"record.number", "-7", true}, "-7"},
        {{"record.number", "  42 ", true}, "42"},
        {{"record.number", "abc", false}, ""},
        {{"record.number", "7x", false}, ""},
        {{"record.number", "7 8", false}, ""},
        {{"record.number", "", false}, ""},
        {{"record.number", "2147483648", false}, ""},
        {{"record.small", "255", true}, "255"},
        {{"record.small", "256", false}, ""},
        {{"record.small", "-1", false}, ""},
        {{"record.u16", "0x10", true}, "16"},
        {{"record.period", "4000000000", true}, "4000000000"},
        {{"record.flag", "true", true}, "1"},
        {{"record.flag", "1", true}, "1"},
        {{"record.flag", "2", false}, ""},
        {{"record.rate", "2.5", true}, "2.5"},
        {{"record.ratio", "1e3", true}, "1000"},
        {{"record.wide", "18446744073709551615", true}, "18446744073709551615"},
    };
    for (const Case& c : cases) {
        std::string path = c.text.path;
        check_from_string(c.text, [&](test_record& r) { return leaf_text(r, path.c_str()); }, "0", c.after);
    }
}

TEST(Lookup_items, a_value_set_from_text_raises_its_event_at_the_fields_offset_and_size)
{
    Tree_fixture t;
    t.head.event_register(&t.waiter, offsetof(test_record, number), 4, CDS::reg_change, 77, nullptr, nullptr);
    t.head.event_register(&t.waiter, offsetof(test_record, ratio), 4, CDS::reg_change, 78, nullptr, nullptr);
    ASSERT_NE(t.node("record.number").from_string("-7", t.head), nullptr);
    std::vector<waiter_event> events = take_events(t.waiter);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].code, 77u);
    EXPECT_EQ(t.r.number, -7);
}

std::string bytes_text(const void* p, size_t n)
{
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += std::to_string(static_cast<const unsigned char*>(p)[i]) + " ";
    return s;
}

TEST(Lookup_items, an_array_takes_exactly_its_count_of_values_in_brackets_and_nothing_after)
{
    struct Case {
        Text_case text;
        std::function<std::string(test_record&)> value_of;
        const char* after;
    } cases[] = {
        {{"record.bytes", "[1,2,3]", true}, [](test_record& r) { return bytes_text(r.bytes, 3); }, "1 2 3 "},
        {{"record.bytes", "[1, 2, 255]", true}, [](test_record& r) { return bytes_text(r.bytes, 3); }, "1 2 255 "},
        {{"record.bytes", "[1,2]", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
        {{"record.bytes", "[1,2,3,4]", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
        {{"record.bytes", "[1,2,3]x", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
        {{"record.bytes", "[1,2,3] ", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
        {{"record.bytes", "1,2,3", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
        {{"record.bytes", "[1;2;3]", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
        {{"record.bytes", "[1,,3]", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
        {{"record.bytes", "[1,2,256]", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
        {{"record.bytes", "[1 ,2,3]", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
        {{"record.bytes", "", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
        {{"record.flags", "[1,false,true]", true}, [](test_record& r) { return bytes_text(r.flags, 3); }, "1 0 1 "},
        {{"record.words", "[7,4000000000]", true},
         [](test_record& r) { return std::to_string(r.words[0]) + " " + std::to_string(r.words[1]); }, "7 4000000000"},
        {{"record.reals", "[0.5,-2]", true},
         [](test_record& r) { return std::to_string(r.reals[0]) + " " + std::to_string(r.reals[1]); },
         "0.500000 -2.000000"},
        {{"empty", "[]", true}, [](test_record& r) { return bytes_text(r.bytes, 3); }, "0 0 0 "},
        {{"empty", "[0]", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
        {{"empty", "", false}, [](test_record& r) { return bytes_text(r.bytes, 3); }, ""},
    };
    for (const Case& c : cases) {
        test_record zero{};
        check_from_string(c.text, c.value_of, c.value_of(zero), c.after);
    }
}

TEST(Lookup_items, a_text_field_keeps_its_terminator)
{
    auto text_of = [](test_record& r) { return bytes_text(r.text, 6); };
    Text_case cases[] = {
        {"record.text", "hello", true},
        {"record.text", "", true},
        {"record.text", "hello!", false},
        {"record.text", "much too long", false},
    };
    for (const Text_case& c : cases) {
        std::string after;
        for (size_t i = 0; i < 6; ++i)
            after += std::to_string(i < std::strlen(c.text) ? (unsigned char)c.text[i] : 0) + " ";
        test_record zero{};
        check_from_string(c, text_of, text_of(zero), after);
    }
}

TEST(Lookup_items, a_text_field_set_from_text_raises_one_event_over_the_whole_field)
{
    Tree_fixture t;
    t.head.event_register(&t.waiter, offsetof(test_record, text) + 5, 1, CDS::reg_change, 5, nullptr, nullptr);
    ASSERT_NE(t.node("record.text").from_string("ab", t.head), nullptr);
    EXPECT_EQ(take_events(t.waiter).size(), 1u);
}

TEST(Lookup_items, comparison_with_text_parses_the_text_as_the_fields_type)
{
    Tree_fixture t;
    t.r.ratio = 2.5f;
    t.r.flag = true;
    t.r.number = -3;
    struct Case {
        const char* path;
        const char* text;
        bool equal;
    } cases[] = {
        {"record.ratio", "2.5", true},  {"record.ratio", "2.50", true}, {"record.ratio", "x", false},
        {"record.ratio", "2.5x", false}, {"record.ratio", "3", false},  {"record.flag", "1", true},
        {"record.flag", "true", true},  {"record.flag", "0", false},   {"record.number", "-3", true},
        {"record.bytes", "[0,0,0]", false}, {"record.part", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.node(c.path) == c.text, c.equal) << c.path << " == " << c.text;
}

TEST(Lookup_items, a_structure_has_no_text_and_refuses_every_text)
{
    Tree_fixture t;
    t.follow_all();
    char text[32] = "unchanged";
    for (const char* path : {"record", "record.part", "record.parts", "record.parts.1", ""}) {
        CDS::Lookup_item& node = t.node(path);
        EXPECT_EQ(node._to_string(text, sizeof text), 0) << path;
        EXPECT_EQ(node.from_string("", t.head), nullptr) << path;
        EXPECT_EQ(node.from_string("1", t.head), nullptr) << path;
        EXPECT_EQ(node.get_type(), Data_item::type_struct) << path;
    }
    EXPECT_EQ(t.node("record.bytes")._to_string(text, sizeof text), 0);
    EXPECT_TRUE(take_events(t.waiter).empty());
}

TEST(Lookup_items, each_node_reports_the_type_code_of_its_values)
{
    Tree_fixture t;
    struct Case {
        const char* path;
        Data_item::item_type_t type;
        unsigned size;
    } cases[] = {
        {"record.flag", Data_item::type_bool, 1},     {"record.small", Data_item::type_uint8, 1},
        {"record.u16", Data_item::type_uint16, 2},    {"record.period", Data_item::type_uint32, 4},
        {"record.number", Data_item::type_int32, 4},  {"record.ratio", Data_item::type_float, 4},
        {"record.rate", Data_item::type_double, 8},   {"record.wide", Data_item::type_uint64, 8},
        {"record.bytes", Data_item::type_uint8, 3},   {"record.flags", Data_item::type_bool, 3},
        {"record.words", Data_item::type_uint32, 8},  {"record.reals", Data_item::type_float, 8},
        {"record.text", Data_item::type_char, 6},     {"empty", Data_item::type_uint8, 0},
        {"record.parts", Data_item::type_struct, 4},  {"record", Data_item::type_struct, sizeof(test_record)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(t.node(c.path).get_type(), c.type) << c.path;
        EXPECT_EQ(t.node(c.path).get_item_size(), c.size) << c.path;
    }
}

TEST(Lookup_items, notify_signals_the_current_value_of_a_field_and_nothing_for_structures)
{
    Tree_fixture t;
    t.r.number = 5;
    t.head.event_register(&t.waiter, offsetof(test_record, number), 4, CDS::reg_change, 9, nullptr, nullptr);
    t.node("record.number").notify();
    t.node("record").notify();
    std::vector<waiter_event> events = take_events(t.waiter);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].code, 9u);
    EXPECT_EQ(t.r.number, 5);
    EXPECT_EQ(t.head.owner_tid(), 0);
}

TEST(Lookup_items, paths_name_nodes_relative_to_where_the_search_starts)
{
    Tree_fixture t;
    CDS::Lookup_item* record = t.root.find_item("record", '.');
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(t.root.find_item("", '.'), &t.root);
    EXPECT_EQ(record->find_item("part/count", '/'), t.root.find_item("record.part.count", '.'));
    CDS::Lookup_item* count = record->find_item("parts.1.count", '.');
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count, t.root.find_item("record.parts.1.count", '.'));
    EXPECT_EQ(count->get_item_ptr(), &t.r.parts[1].count);
    for (const char* path : {"record.", "record..part", "record.flag.x", "record.secret", "Record", "record.part.count.",
                             ".record"})
        EXPECT_EQ(t.root.find_data_item(path), nullptr) << path;
    EXPECT_EQ(t.root.find_item(nullptr, '.'), nullptr);
}

TEST(Lookup_items, a_node_put_into_a_second_child_list_stops_the_program)
{
    Child_result r = run_in_child([] {
        Tree_fixture t;
        t.root.append(t.root.record.flag);
    });
    EXPECT_EQ(r.output, "BUG: sl_list::push, already in a list.\n\r\n");
    EXPECT_EQ(r.signal, SIGABRT);
}

TEST(Lookup_items, a_child_list_gives_its_items_back_in_order)
{
    Tree_fixture t;
    CDS::sl_list list;
    CDS::Lookup_basic<bool> a(t.root, &t.r.flag), b(t.root, &t.r.flag);
    EXPECT_EQ(list.first(), nullptr);
    list.push(a);
    list.push(b);
    EXPECT_EQ(list.count(), 2u);
    EXPECT_EQ(list.take(), &a);
    EXPECT_EQ(list.take(), &b);
    EXPECT_EQ(list.take(), nullptr);
    EXPECT_EQ(list.count(), 0u);
    list.push(a); // taken items can be listed again
    EXPECT_EQ(list.first(), &a);
    EXPECT_EQ(CDS::sl_list::next(a), nullptr);
}

}
