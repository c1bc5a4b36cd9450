#include "params/parameters_t.h"
#include "tests/params/Tree_helpers.h"
#include "tests/support/Child_process.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

using namespace NV_quvel;
using NV_store::NV_item;

TEST(Tree_search, follows_names_and_array_indexes)
{
    parameters_t tree;
    struct Case {
        const char* path;
        const NV_item* found;
    } cases[] = {
        {"app/channels/3/enabled", &tree.app.channels[3]->enabled},
        {"/app//channels/3/enabled/", &tree.app.channels[3]->enabled},
        {"system/specific_tc_name", &tree.system.specific_tc_name},
        {"app/booms/booms/5/sections/9", tree.app.booms.booms[5]->sections[9]},
        {"app/monitor_ecus/monitor_inputs_sections/159/boom_section",
         &tree.app.monitor_ecus.monitor_inputs_sections[159]->boom_section},
        {"", &tree},
        {"app/channels/10", nullptr},
        {"app/channels/channel_t", nullptr},
        {"app/channels/-1", nullptr},
        {"app/channels/3x", nullptr},
        {"app/nothing", nullptr},
        {"app/channels/3/enabled/more", nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tree._search(c.path, '/'), c.found) << c.path;
    EXPECT_EQ(tree._search("app.fans.4", '.'), tree.app.fans[4]);
}

TEST(Tree_text, a_scalar_is_set_from_text_with_a_notification_or_not_at_all)
{
    parameters_t tree;
    Listener_log watch;
    watch.listen(tree.app, "app", true);

    NV_item* item = tree._search("app/swbox_mapping/2/channel", '/');
    ASSERT_NE(item, nullptr);
    EXPECT_NE(item->_from_string("-5"), nullptr);
    EXPECT_EQ(tree.app.swbox_mapping[2]->channel.get(), -5);
    EXPECT_TRUE(*item == "-5");
    EXPECT_FALSE(*item == "5");
    EXPECT_EQ(watch.heard().size(), 1u);

    EXPECT_EQ(item->_from_string("200"), nullptr); // out of an i8's range
    EXPECT_EQ(item->_from_string("ten"), nullptr);
    EXPECT_EQ(tree.app.swbox_mapping[2]->channel.get(), -5);
    EXPECT_EQ(watch.heard().size(), 0u);
    EXPECT_EQ(tree.app._from_string("1"), nullptr); // a record has no text
}

TEST(Tree_values, compare_with_numbers_as_their_own_type)
{
    parameters_t tree;
    EXPECT_TRUE(tree.app.using_keltu == true);
    EXPECT_TRUE(tree.app.num_channels == 1);
    EXPECT_TRUE(tree.app.personality == 0);
    EXPECT_TRUE(tree.app.speed_filter_factor == 0.9); // the float nearest 0.9
    EXPECT_TRUE(tree.system.specific_vt_name == 0xFFFFFFFFFFFFFE7Full);
    EXPECT_FALSE(tree.app.calibration_drive_channel == 0);
}

TEST(Tree_print, hands_every_value_to_the_dumper_with_array_elements_by_index)
{
    struct Collect : Debug::Dumper {
        std::string seen;
        void value(const char* name, const char* text) override { seen += std::string(name) + "=" + text + " "; }
        bool open_list(const char* name) override
        {
            seen += std::string(name) + "{ ";
            return true;
        }
        void close_list(const char*) override { seen += "} "; }
    } dumper;
    volumes_t volumes;
    volumes.volume[0]->total.set(2.5f);
    volumes.volume._print(dumper);
    can_t can;
    can._print(dumper);
    EXPECT_EQ(dumper.seen, "volume{ 0{ total=2.5 } } "
                           "can_t{ vtt_throttling{ delay_ms=0 pkts_between_delay=0 } "
                           "non_vtt_throttling{ delay_ms=40 pkts_between_delay=5 } } ");
}

TEST(Tree_print, a_refused_list_is_skipped)
{
    struct Refuse : Debug::Dumper {
        int values = 0;
        void value(const char*, const char*) override { ++values; }
        bool open_list(const char*) override { return false; }
    } dumper;
    can_t can;
    can._print(dumper);
    EXPECT_EQ(dumper.values, 0);
}

TEST(Item_array, elements_are_reached_by_index_and_reset_together)
{
    application_t app;
    EXPECT_EQ(app.channels[9]->get_id(), 9);
    EXPECT_EQ(app.channels[9], app.channels.find_child(9));
    EXPECT_EQ(app.channels.size(), 10u);
    EXPECT_EQ(app.channels.get_type(), Data_item::type_item_array);
    EXPECT_FALSE(app.channels.children_have_unique_names());

    for (int i = 0; i < 16; ++i) {
        app.products[i]->tank.set(uint8_t(i));
        app.products[i]->name.set("Seed", 5);
    }
    EXPECT_TRUE(app.products.set_default(true));
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(app.products[i]->tank.get(), 10);
        EXPECT_EQ(app.products[i]->name.at(0), '\0');
    }
}

TEST(Item_array, an_index_outside_the_array_stops_the_program)
{
    for (int index : {10, -1, 1000}) {
        Child_result r = run_in_child([index] {
            application_t app;
            app.channels[index]->enabled.set(true);
        });
        EXPECT_EQ(r.output, "BUG: index < SIZE\r\n") << index;
        EXPECT_EQ(r.signal, SIGABRT) << index;
    }
    Child_result r = run_in_child([] {
        booms_t booms;
        booms.booms[5]->sections[10]->width.set(1.0);
    });
    EXPECT_EQ(r.output, "BUG: index < SIZE\r\n");
}

class bad_order_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(bad_order_t)

    nv_u8 second{this, 2, 0, "second"};
    nv_u8 first{this, 1, 0, "first"};
};

TEST(Record_building, a_record_whose_ids_do_not_ascend_is_a_bug)
{
    Child_result r = run_in_child([] { bad_order_t record; });
    EXPECT_EQ(r.output, "BUG: NV_container: child ids must ascend\r\n");
    EXPECT_EQ(r.signal, SIGABRT);
}

}
