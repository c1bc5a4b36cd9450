#include "params/parameters_t.h"
#include "platform/data/CDS_Event_handler.h"
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/params/Tree_helpers.h"

#include <gtest/gtest.h>

#include <cstring>

using NV_quvel::parameters_t;

namespace {

using Bytes = std::vector<uint8_t>;

class Remote_parameters : public ::testing::Test {
protected:
    void SetUp() override { tree.number_remote_ids(1); }
    static Bytes encode(const Data_item& item)
    {
        Bytes out(100000);
        CDS::Remote::Send_buffer buffer(out.data(), unsigned(out.size()));
        uint16_t pos = 0;
        EXPECT_TRUE(item.serialise(buffer, pos).ok);
        out.resize(buffer.size());
        return out;
    }
    static Data_item::Serial_ret decode(Data_item& item, const Bytes& bytes)
    {
        CDS::Remote::Receive_buffer buffer(bytes.data(), unsigned(bytes.size()));
        uint16_t pos = 0;
        return item.deserialise(buffer, pos);
    }
    std::string name() const
    {
        char chars[20];
        tree.app.channels[0]->name.get(chars, 20);
        return std::string(chars, 20);
    }

    module_man modules;
    parameters_t tree{&modules, 0, "PS"};
};

TEST_F(Remote_parameters, the_whole_tree_reads_back_value_for_value)
{
    scribble(tree, 12345);
    const std::vector<uint8_t> image = image_of(tree);
    const Bytes remote = encode(tree);
    tree.set_default(true);
    ASSERT_NE(image_of(tree), image);
    EXPECT_TRUE(decode(tree, remote).ok);
    EXPECT_EQ(image_of(tree), image);
}

TEST_F(Remote_parameters, a_scalar_is_its_value_little_endian)
{
    tree.system.terminal_timeout.set(0x0102);
    EXPECT_EQ(encode(tree.system.terminal_timeout), (Bytes{0x02, 0x01}));
    EXPECT_TRUE(decode(tree.system.terminal_timeout, {0x2C, 0x01}).ok);
    EXPECT_EQ(tree.system.terminal_timeout.get(), 300);
}

TEST_F(Remote_parameters, a_name_is_its_count_and_twenty_characters_and_a_write_keeps_what_it_does_not_bring)
{
    auto& item = tree.app.channels[0]->name;
    item.set("ABCDEFGHIJKLMNOPQRST", 20);
    Bytes expected{20};
    for (char c : std::string("ABCDEFGHIJKLMNOPQRST"))
        expected.push_back(uint8_t(c));
    EXPECT_EQ(encode(item), expected);

    EXPECT_TRUE(decode(item, {3, 'x', 'y', 'z'}).ok);
    EXPECT_EQ(name(), "xyzDEFGHIJKLMNOPQRST");

    Bytes longer{22};
    for (int i = 0; i < 22; ++i)
        longer.push_back(uint8_t('a' + i));
    longer.push_back(0xEE);
    CDS::Remote::Receive_buffer buffer(longer.data(), unsigned(longer.size()));
    uint16_t pos = 0;
    EXPECT_TRUE(static_cast<Data_item&>(item).deserialise(buffer, pos).ok);
    EXPECT_EQ(name(), "abcdefghijklmnopqrst");
    EXPECT_EQ(buffer.remaining(), 1u) << "the two extra characters were read and dropped";

    Data_item::Serial_ret cut = decode(item, {5, '1', '2', '3'});
    EXPECT_FALSE(cut.ok);
    EXPECT_EQ(cut.stop_id, item.get_remote_id());
    EXPECT_EQ(name(), "abcdefghijklmnopqrst") << "a write cut short changes nothing";
}

struct Counting_handler : CDS::Event_handler {
    int calls = 0;
    void signal_event(bool) override { ++calls; }
};

TEST_F(Remote_parameters, a_remote_write_is_heard_by_listeners_and_by_the_handlers_of_the_item_and_its_records)
{
    waiter_descriptor waiter;
    std::vector<std::string> log;
    Logging_listener listener(log, "timeout");
    listener.init(&tree.system.terminal_timeout);
    ASSERT_TRUE(listener.autoreg(waiter, false));
    Counting_handler on_item, on_system, on_root, on_app;
    tree.system.terminal_timeout.set_event_handler(&on_item);
    tree.system.set_event_handler(&on_system);
    tree.set_event_handler(&on_root);
    tree.app.set_event_handler(&on_app);

    EXPECT_TRUE(decode(tree.system.terminal_timeout, {90, 0}).ok);
    EXPECT_EQ(deliver(waiter), 1);
    EXPECT_EQ(log, std::vector<std::string>{"timeout"});
    EXPECT_EQ(on_item.calls, 1);
    EXPECT_EQ(on_system.calls, 1);
    EXPECT_EQ(on_root.calls, 1);
    EXPECT_EQ(on_app.calls, 0);

    EXPECT_TRUE(decode(tree.system.terminal_timeout, {90, 0}).ok);
    EXPECT_EQ(on_item.calls, 1) << "the same value again is no change";
    tree.signal_all();
    EXPECT_EQ(on_item.calls, 2) << "after a reset every handler hears";
    EXPECT_EQ(on_app.calls, 1);
    for (Data_item* item : std::initializer_list<Data_item*>{&tree.system.terminal_timeout, &tree.system, &tree, &tree.app})
        item->set_event_handler(nullptr);
}

}
