#include "platform/data/CDS_Event_handler.h"
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/data_store/Test_tree.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// The test tree numbered as a served tree would be.
class Remote_encoding : public ::testing::Test {
protected:
    void SetUp() override { t.root.number_remote_ids(1); }
    Data_item& item(const char* path)
    {
        CDS::Lookup_item* found = t.root.find_item(path, '.');
        EXPECT_NE(found, nullptr) << path;
        return found ? *found : static_cast<Data_item&>(t.root);
    }
    static Bytes encode(const Data_item& from, unsigned room = 1000, uint16_t pos = 0,
                        Data_item::Serial_ret* result = nullptr)
    {
        Bytes out(room);
        CDS::Remote::Send_buffer buffer(out.data(), room);
        Data_item::Serial_ret r = from.serialise(buffer, pos);
        if (result)
            *result = r;
        out.resize(buffer.size());
        return out;
    }
    static Data_item::Serial_ret decode(Data_item& into, const Bytes& bytes, uint16_t pos = 0)
    {
        CDS::Remote::Receive_buffer buffer(bytes.data(), unsigned(bytes.size()));
        return into.deserialise(buffer, pos);
    }
    std::vector<waiter_event> events()
    {
        std::vector<waiter_event> out;
        waiter_event e;
        while (waiter.poll(e))
            out.push_back(e);
        return out;
    }

    Test_tree t;
    waiter_descriptor waiter;
};

TEST_F(Remote_encoding, every_kind_of_field_is_its_value_little_endian_at_its_size_and_reads_back)
{
    test_record& r = t.body;
    r.flag = true;
    r.small = 0xAB;
    r.u16 = 0x1234;
    r.period = 0x01020304;
    r.number = -2;
    r.ratio = 1.5f;
    r.rate = -0.25;
    r.wide = 0x0102030405060708ull;
    r.bytes[0] = 1, r.bytes[1] = 2, r.bytes[2] = 3;
    r.flags[1] = true;
    r.words[0] = 0xA0B0C0D0, r.words[1] = 5;
    r.reals[0] = -1.0f;
    std::strcpy(r.text, "abc");
    r.part.count = 0x0304;
    r.parts[1].count = 9;
    struct Case {
        const char* path;
        Bytes bytes;
    } cases[] = {
        {"record.flag", {1}},
        {"record.small", {0xAB}},
        {"record.u16", {0x34, 0x12}},
        {"record.period", {4, 3, 2, 1}},
        {"record.number", {0xFE, 0xFF, 0xFF, 0xFF}},
        {"record.ratio", {0, 0, 0xC0, 0x3F}},
        {"record.rate", {0, 0, 0, 0, 0, 0, 0xD0, 0xBF}},
        {"record.wide", {8, 7, 6, 5, 4, 3, 2, 1}},
        {"record.bytes", {3, 1, 2, 3}},
        {"record.flags", {3, 0, 1, 0}},
        {"record.words", {2, 0xD0, 0xC0, 0xB0, 0xA0, 5, 0, 0, 0}},
        {"record.reals", {2, 0, 0, 0x80, 0xBF, 0, 0, 0, 0}},
        {"record.text", {6, 'a', 'b', 'c', 0, 0, 0}},
        {"record.part", {4, 3}},
        {"record.parts", {0, 0, 9, 0}},
        {"empty", {0}},
    };
    for (const Case& c : cases) {
        Data_item& field = item(c.path);
        EXPECT_EQ(encode(field), c.bytes) << c.path;
    }
    const Bytes before = encode(t.root);
    test_record saved = t.body;
    std::memset(&t.body, 0, sizeof t.body);
    EXPECT_TRUE(decode(t.root, before).ok);
    EXPECT_EQ(encode(t.root), before);
    EXPECT_EQ(std::memcmp(&saved, &t.body, sizeof saved), 0) << "every field came back";
}

TEST_F(Remote_encoding, a_record_longer_than_the_room_resumes_at_the_child_that_did_not_fit)
{
    std::strcpy(t.body.text, "hello");
    t.body.wide = 77;
    t.body.parts[1].count = 3;
    Data_item& record = item("record");
    const Bytes whole = encode(record);
    std::vector<std::pair<uint16_t, Bytes>> pieces;
    Bytes joined;
    uint16_t pos = 0;
    for (;;) {
        Data_item::Serial_ret result;
        Bytes piece = encode(record, 12, pos, &result);
        ASSERT_LE(piece.size(), 12u);
        pieces.emplace_back(pos, piece);
        joined.insert(joined.end(), piece.begin(), piece.end());
        if (result.ok)
            break;
        ASSERT_FALSE(piece.empty());
        ASSERT_NE(record.find_data_item(result.stop_id), nullptr) << "a stop is an item of the record";
        pos = result.stop_id;
    }
    EXPECT_EQ(joined, whole);
    EXPECT_GT(pieces.size(), 3u);

    // The same pieces written back, each from its pos, put every field back.
    test_record saved = t.body;
    std::memset(&t.body, 0, sizeof t.body);
    for (const auto& piece : pieces)
        decode(record, piece.second, piece.first);
    EXPECT_EQ(std::memcmp(&saved, &t.body, sizeof saved), 0);
}

TEST_F(Remote_encoding, a_field_written_remotely_is_one_locked_write_with_one_event)
{
    t.head.event_register(&waiter, t.head.offset_of(&t.body.u16), 2, CDS::reg_change, 5, nullptr, nullptr);
    EXPECT_TRUE(decode(item("record.u16"), {0x78, 0x56}).ok);
    EXPECT_EQ(t.body.u16, 0x5678);
    EXPECT_EQ(events().size(), 1u);
    EXPECT_EQ(t.head.owner_tid(), 0) << "the lock is released";
}

TEST_F(Remote_encoding, a_value_cut_short_changes_nothing_and_names_the_field_to_resume_at)
{
    t.head.event_register(&waiter, t.head.offset_of(&t.body), sizeof t.body, CDS::reg_change, 5, nullptr, nullptr);
    t.body.words[0] = 7;
    struct Case {
        const char* path;
        Bytes bytes;
    } cases[] = {
        {"record.u16", {1}},
        {"record.words", {2, 1, 0, 0, 0, 2, 0}},
        {"record.words", {}},
        {"record.text", {6, 'x', 'y'}},
    };
    for (const Case& c : cases) {
        test_record saved = t.body;
        Data_item::Serial_ret result = decode(item(c.path), c.bytes);
        EXPECT_FALSE(result.ok) << c.path;
        EXPECT_EQ(result.stop_id, item(c.path).get_remote_id()) << c.path;
        EXPECT_EQ(std::memcmp(&saved, &t.body, sizeof saved), 0) << c.path;
    }
    EXPECT_TRUE(events().empty());
}

TEST_F(Remote_encoding, a_text_written_remotely_keeps_its_terminator_and_extra_elements_are_dropped)
{
    EXPECT_TRUE(decode(item("record.text"), {6, 'a', 'b', 'c', 'd', 'e', 'f'}).ok);
    EXPECT_STREQ(t.body.text, "abcde");
    Bytes bytes{4, 1, 2, 3, 4, 9};
    CDS::Remote::Receive_buffer buffer(bytes.data(), unsigned(bytes.size()));
    uint16_t pos = 0;
    EXPECT_TRUE(item("record.bytes").deserialise(buffer, pos).ok);
    EXPECT_EQ(t.body.bytes[2], 3);
    EXPECT_EQ(buffer.remaining(), 1u) << "the fourth element was read and dropped";
}

struct Recording_handler : CDS::Event_handler {
    explicit Recording_handler(CDS::Head& head) : head(head) {}
    void signal_event(bool) override
    {
        ++calls;
        lock_free &= head.owner_tid() == 0;
    }
    CDS::Head& head;
    int calls = 0;
    bool lock_free = true;
};

TEST_F(Remote_encoding, handlers_of_a_field_and_its_record_hear_each_write_after_the_unlock)
{
    Recording_handler on_field(t.head), on_record(t.head), on_part(t.head);
    item("record.u16").set_event_handler(&on_field);
    item("record").set_event_handler(&on_record);
    item("record.part").set_event_handler(&on_part);
    t.head.set(t.body.u16, uint16_t(9));
    decode(item("record.u16"), {1, 0});
    t.head.set(t.body.flag, true);
    EXPECT_EQ(on_field.calls, 2);
    EXPECT_EQ(on_record.calls, 3);
    EXPECT_EQ(on_part.calls, 0);
    EXPECT_TRUE(on_field.lock_free && on_record.lock_free);
    item("record").set_event_handler(nullptr);
    t.head.set(t.body.flag, false);
    EXPECT_EQ(on_record.calls, 3) << "a handler taken away hears nothing";
    item("record.u16").set_event_handler(nullptr);
    item("record.part").set_event_handler(nullptr);
}

}
