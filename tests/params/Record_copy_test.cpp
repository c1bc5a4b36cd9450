#include "params/parameters_t.h"
#include "platform/rtos/module_man.h"
#include "tests/params/Tree_helpers.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace NV_quvel;
using NV_store::NV_item;

// Listeners that each hear only their own item.
class Copy_notifications : public testing::Test, protected Listener_log {
protected:
    void listen(NV_item& item, const std::string& label) { Listener_log::listen(item, label, false); }
};

// Those who save or refresh on a copy hear of it even when it changed
// nothing; the fields that stayed as they were stay quiet.
TEST_F(Copy_notifications, an_equal_copy_changes_nothing_and_still_announces_every_record)
{
    alarms_t source, destination;
    listen(destination, "alarms");
    listen(*destination.tank_low[3], "tank_low 3");
    listen(destination.tank_low[3]->threshold, "threshold");

    EXPECT_FALSE(destination.assign_locked(source));
    EXPECT_EQ(heard(), (std::vector<std::string>{"tank_low 3", "alarms"}));
    EXPECT_EQ(code_heard_by("tank_low 3"), NV_store::notify_locked);
    EXPECT_EQ(code_heard_by("alarms"), NV_store::notify_locked);
}

TEST(Record_copy, an_equal_copy_into_the_live_tree_reaches_a_listener_of_the_whole_tree)
{
    module_man modules;
    parameters_t tree(&modules, 0, "PS");
    const application_t same(tree.app);
    Listener_log watch;
    Logging_listener& listener = watch.listen(tree, "tree", true);

    EXPECT_FALSE(tree.app.assign_locked(same));
    EXPECT_FALSE(watch.heard().empty());
    EXPECT_EQ(listener.last_event.module, tree.get_module_id());
    EXPECT_EQ(watch.code_heard_by("tree"), NV_store::notify_locked);
}

TEST_F(Copy_notifications, a_changed_element_announces_itself_and_the_records_above_it_after_its_fields)
{
    alarms_t source, destination;
    source.tank_low[3]->threshold.set(5.0f);
    listen(destination, "alarms");
    listen(destination.tank_low, "tank_low");
    listen(*destination.tank_low[2], "tank_low 2");
    listen(*destination.tank_low[3], "tank_low 3");
    listen(destination.tank_low[3]->threshold, "threshold");

    EXPECT_TRUE(destination.assign_locked(source));
    EXPECT_EQ(destination.tank_low[3]->threshold.get(), 5.0f);
    // The array announces nothing of its own; each element announces its copy.
    EXPECT_EQ(heard(), (std::vector<std::string>{"tank_low 2", "threshold", "tank_low 3", "alarms"}));
    EXPECT_EQ(code_heard_by("threshold"), NV_store::notify_field);
    EXPECT_EQ(code_heard_by("tank_low 3"), NV_store::notify_locked);
    EXPECT_EQ(code_heard_by("alarms"), NV_store::notify_locked);
}

TEST_F(Copy_notifications, a_copy_with_mode_none_copies_and_announces_only_the_fields)
{
    alarms_t source, destination;
    source.tank_low[3]->threshold.set(5.0f);
    source.temperature.enabled.set(true);
    listen(destination, "alarms");
    listen(*destination.tank_low[3], "tank_low 3");
    listen(destination.tank_low[3]->threshold, "threshold");
    listen(destination.temperature.enabled, "enabled");

    EXPECT_TRUE(destination.assign(source, NV_store::notify_none));
    EXPECT_EQ(destination.tank_low[3]->threshold.get(), 5.0f);
    EXPECT_TRUE(destination.temperature.enabled.get());
    EXPECT_EQ(heard(), (std::vector<std::string>{"threshold", "enabled"}));
}

TEST_F(Copy_notifications, notifications_follow_the_field_order)
{
    channel_t source, destination;
    source.current_rate.set(1.0f);
    source.rate_filter[1]->rate_filter_coefficient.set(2.0f);
    source.name.set("Oats", 5);
    source.motor_shaft_sensor_ratio.set(3.0f);
    listen(destination, "channel");
    listen(destination.current_rate, "current_rate");
    listen(destination.name, "name");
    listen(*destination.rate_filter[1], "rate_filter 1");
    listen(destination.rate_filter[1]->rate_filter_coefficient, "coefficient");
    listen(destination.motor_shaft_sensor_ratio, "motor_shaft_sensor_ratio");

    EXPECT_TRUE(destination.assign_locked(source));
    EXPECT_EQ(heard(), (std::vector<std::string>{"current_rate", "name", "coefficient", "rate_filter 1",
                                                 "motor_shaft_sensor_ratio", "channel"}));
    EXPECT_EQ(code_heard_by("name"), NV_store::notify_field);
}

TEST(Record_copy, records_with_a_name_report_whether_anything_changed)
{
    channel_t channel_a, channel_b;
    products_t product_a, product_b;
    EXPECT_FALSE(channel_b.assign_locked(channel_a));
    EXPECT_FALSE(product_b.assign_locked(product_a));
    application_t app_a, app_b;
    EXPECT_FALSE(app_b.assign_locked(app_a));

    product_a.name.set("Peas", 5);
    EXPECT_TRUE(product_b.assign_locked(product_a));
    EXPECT_FALSE(product_b.assign_locked(product_a));
}

TEST(Record_copy, a_name_that_differs_after_its_terminator_is_copied_whole)
{
    channel_t source, destination;
    source.name.set("Tank1\0xyz", 9);
    destination.name.set("Tank1\0abc", 9);
    EXPECT_TRUE(destination.assign_locked(source));
    char chars[20];
    destination.name.get(chars, 20);
    EXPECT_EQ(std::string(chars, 9), std::string("Tank1\0xyz", 9));
}

TEST(Record_copy, a_copy_of_the_live_group_is_a_standalone_record_with_its_values)
{
    parameters_t tree;
    scribble(tree.app, 9);
    std::vector<uint8_t> source_values = values_of(tree.app);
    Listener_log watch;
    watch.listen(tree, "tree", true);

    application_t copy(tree.app);
    EXPECT_STREQ(copy.get_name(), "application_t");
    EXPECT_EQ(copy.get_id(), 0);
    EXPECT_EQ(copy.get_parent(), nullptr);
    EXPECT_EQ(copy._get_root(), nullptr);
    EXPECT_EQ(values_of(copy), source_values);
    EXPECT_EQ(values_of(tree.app), source_values);
    EXPECT_EQ(watch.waiter.pending(), 0u);

    application_t assigned;
    assigned = tree.app;
    EXPECT_EQ(values_of(assigned), source_values);
}

TEST(Record_copy, a_private_copy_announces_its_changes_with_no_module)
{
    module_man modules;
    parameters_t tree(&modules, 0, "PS");
    tree.app.channels[2]->enabled.set(true);
    application_t copy;
    Listener_log watch;
    Logging_listener& listener = watch.listen(copy, "copy", true);

    EXPECT_TRUE(copy.assign_locked(tree.app));
    ASSERT_FALSE(watch.heard().empty());
    EXPECT_EQ(listener.last_event.module, 0);
    EXPECT_EQ(listener.last_event.data, &copy);
}

TEST(Root_copy, a_copied_tree_holds_the_values_of_its_source)
{
    parameters_t source;
    scribble(source, 10);
    std::vector<uint8_t> before = image_of(source);
    parameters_t copy(source);
    EXPECT_STREQ(copy.get_name(), "parameters_t");
    EXPECT_EQ(image_of(copy), before);
    EXPECT_EQ(image_of(source), before);

    parameters_t assigned;
    EXPECT_TRUE(assigned.assign_locked(source));
    EXPECT_FALSE(assigned.assign_locked(source));
    assigned = copy;
    EXPECT_EQ(image_of(assigned), before);
}

TEST(Root_copy, whole_tree_copies_from_several_threads_neither_dead_lock_nor_mix)
{
    parameters_t first, second, destination, reader;
    scribble(first, 11);
    scribble(second, 12);
    auto copy_into = [](parameters_t& to, const parameters_t& from) {
        return std::thread([&to, &from] {
            for (int i = 0; i < 20; ++i)
                to = from;
        });
    };
    std::thread a = copy_into(destination, first);
    std::thread b = copy_into(destination, second);
    std::thread c = copy_into(reader, destination);
    a.join();
    b.join();
    c.join();
    std::vector<uint8_t> result = image_of(destination);
    EXPECT_TRUE(result == image_of(first) || result == image_of(second));
}

}
