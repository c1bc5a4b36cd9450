#include "tests/isobus/Tc_client_bench.h"
#include "platform/iso/TC_client_Ddop_writer.h"
#include "platform/iso/TC_client_Task_total_pd_reference.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace TC_client;

namespace {

constexpr uint32_t activated = Controller::event_pool_activated;
constexpr uint32_t deactivated = Controller::event_pool_deactivated;
// Process-data commands a Task Controller sends.
constexpr uint8_t request_value = 2, value_command = 3, time_interval = 4, distance_interval = 5,
                  change_threshold = 8, set_value_and_ack = 0xA;

class Tc_controller_test : public Tc_client_bench {
protected:
    // Started against a Task Controller of version 4 and activated.
    void start_active(const Fake_tc_server::Settings& settings = {})
    {
        start(settings);
        run_for(500);
        ASSERT_TRUE(controller->is_pool_active());
        ASSERT_EQ(client_events(), std::vector<uint32_t>{activated});
    }
    void command(const std::string& element, uint16_t ddi, uint8_t code, int32_t value)
    {
        tc->send_command(client_address, element_of(element), ddi, code, value);
        run_for(20);
    }
    int32_t value_of(const std::string& element, uint16_t ddi)
    {
        int32_t v = -1;
        EXPECT_TRUE(tc->last_value(client_address, element_of(element), ddi, v));
        return v;
    }
};

TEST_F(Tc_controller_test, a_task_controller_of_version_1_gets_no_description_and_it_is_said_once)
{
    Debug_capture debug;
    Fake_tc_server::Settings settings;
    settings.version = 1;
    start(settings);
    run_for(2000);
    controller->signal_model_changed(); // a second exchange
    run_for(2000);
    EXPECT_EQ(lines_with("version request from 128"), 2);

    EXPECT_EQ(lines_with("structure label request"), 0);
    EXPECT_EQ(lines_with("pool from"), 0);
    EXPECT_FALSE(controller->is_pool_active());
    EXPECT_TRUE(client_events().empty());
    size_t said = 0;
    for (size_t at = debug.text().find("no device description"); at != std::string::npos;
         at = debug.text().find("no device description", at + 1))
        ++said;
    EXPECT_EQ(said, 1u);
    EXPECT_EQ(model.rebuilds, 0);
}

TEST_F(Tc_controller_test, the_version_reply_is_prefilled_with_the_command_and_no_boot_time)
{
    start_active();
    EXPECT_EQ(model.last_reply[0], 0x10);
    for (int i : {1, 2, 3, 4, 5, 6, 7})
        EXPECT_EQ(model.last_reply[i], 0xFF) << i;
    EXPECT_EQ(lines_with("version of 128: 3, boot time FF"), 1);
}

TEST_F(Tc_controller_test, announces_uploads_a_sound_pool_and_activates_it)
{
    start_active();

    EXPECT_TRUE(tc->saw("working-set master at 128 with 1 member(s)"));
    EXPECT_EQ(lines_with("delete request"), 0) << "a Task Controller that holds no pool has none to delete";
    EXPECT_EQ(lines_with("pool from 128"), 1);
    EXPECT_EQ(lines_with("pool error"), 0);
    EXPECT_TRUE(tc->is_active(client_address));
    EXPECT_EQ(controller->get_server_rawname(), tc->get_name());

    const Fake_tc_server::Pool& pool = *tc->pool_of(client_address);
    EXPECT_EQ(pool.count("DVC"), 1u);
    EXPECT_EQ(pool.count("DET"), 3u);
    // One DPD per table entry, the two bins sharing theirs, and the request-default one.
    EXPECT_EQ(pool.count("DPD"), 4u);
    EXPECT_EQ(pool.count("DPT"), 1u);
    EXPECT_EQ(pool.count("DVP"), 2u);
    EXPECT_EQ(pool.version, "1.2.3") << "without the NULs that fill its field";
    const Fake_tc_server::Object* root = pool.element_named("Small Root");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->type, 1);
    EXPECT_EQ(pool.ddis_of(*root), (std::vector<uint16_t>{0xDFFF, 141, 134}));
    const Fake_tc_server::Object* bin = pool.element_named("Bin 2");
    ASSERT_NE(bin, nullptr);
    EXPECT_EQ(bin->type, 3);
    EXPECT_EQ(pool.objects.at(bin->parent).designator, "Small Root");
    EXPECT_EQ(pool.ddis_of(*bin), (std::vector<uint16_t>{6, 7}));
}

TEST_F(Tc_controller_test, a_pool_the_task_controller_holds_is_activated_without_upload)
{
    start_active();
    controller->signal_model_changed();
    run_for(500);

    EXPECT_EQ(client_events(), (std::vector<uint32_t>{deactivated, activated}));
    EXPECT_EQ(lines_with("pool from"), 1);
    EXPECT_EQ(lines_with("localization label request"), 1);
    EXPECT_EQ(model.rebuilds, 2);
}

TEST_F(Tc_controller_test, a_changed_model_deletes_the_pool_held_and_uploads_the_new_one_whole)
{
    // Fewer bins: a transfer laid over the old pool would leave "Bin 3" in it.
    model.bins = 3;
    start_active();
    const auto first = tc->pool_of(client_address)->structure_label;
    model.bins = 2;
    controller->signal_model_changed();
    run_for(500);

    EXPECT_EQ(client_events(), (std::vector<uint32_t>{deactivated, activated}));
    std::vector<std::string> steps;
    for (const std::string& line : tc->lines())
        for (const char* step : {"delete request from 128: pool deleted", "transfer request", "pool from"})
            if (line.find(step) != std::string::npos)
                steps.push_back(step);
    EXPECT_EQ(steps, (std::vector<std::string>{"transfer request", "pool from", "delete request from 128: pool deleted",
                                               "transfer request", "pool from"}));
    const Fake_tc_server::Pool& pool = *tc->pool_of(client_address);
    EXPECT_NE(pool.structure_label, first);
    EXPECT_EQ(pool.objects.size(), Fake_tc_server::Pool::read(pool.bytes).objects.size())
        << "the pool holds exactly the objects of the new description";
    EXPECT_EQ(pool.element_named("Bin 3"), nullptr);
    EXPECT_NE(pool.element_named("Bin 2"), nullptr);
}

// Small trees on a store of their own, outside any client.
struct Loose_trees {
    module_man manager;
    std::unique_ptr<data_store_body> body = std::make_unique<data_store_body>();
    CDS::Head head{&manager, body.get()};
    Small_tree::Entries entries;
    const ZEV_name::RAWNAME member = Known_names::get_seeder(1);
};

TEST(Fake_tc_pool_update, a_transfer_laid_over_a_pool_keeps_the_objects_it_does_not_name)
{
    // Without the delete, this is what a Task Controller that updates would hold.
    Loose_trees t;
    Small_tree three(t.head, *t.body, t.entries, 3), two(t.head, *t.body, t.entries, 2);
    const Fake_tc_server::Pool old = Fake_tc_server::Pool::read(Ddop::write(three.device, t.member).bytes);
    const Fake_tc_server::Pool fresh = Fake_tc_server::Pool::read(Ddop::write(two.device, t.member).bytes);
    const Fake_tc_server::Pool updated = old.updated_by(fresh);
    EXPECT_GT(updated.objects.size(), fresh.objects.size());
    EXPECT_EQ(updated.structure_label, fresh.structure_label);
}

TEST_F(Tc_controller_test, a_set_value_lands_decoded_with_one_change_event_and_is_reported_back)
{
    start_active();
    waiter_descriptor other;
    head.event_register(&other, head.offset_of(&rate(1)), sizeof(double), CDS::reg_change,
                        CDS::event_word(&rate(1), sizeof(double)), nullptr, nullptr);
    command("Bin 2", 6, change_threshold, 1);
    command("Bin 2", 6, value_command, 15000);

    EXPECT_EQ(rate(1), 150.0);
    EXPECT_EQ(other.pending(), 1u);
    EXPECT_EQ(value_of("Bin 2", 6), 15000);
    EXPECT_EQ(lines_with("acknowledge"), 0);
    head.event_unregister(&other, head.offset_of(&rate(1)), sizeof(double), CDS::reg_change,
                          CDS::event_word(&rate(1), sizeof(double)), nullptr, nullptr);
}

TEST_F(Tc_controller_test, a_change_in_the_store_is_reported_on_change_and_by_time)
{
    start_active();
    command("Bin 1", 7, change_threshold, 100);
    head.set(body->channels.channels[0].actual_rate, 2.5);
    run_for(10);
    EXPECT_EQ(value_of("Bin 1", 7), 250);
    head.set(body->channels.channels[0].actual_rate, 2.5 + 0.5); // 50 raw: below the threshold
    run_for(10);
    EXPECT_EQ(value_of("Bin 1", 7), 250);

    const int before = lines_with("DDI 7 =");
    command("Bin 1", 7, time_interval, 500);
    run_for(2000);
    EXPECT_NEAR(lines_with("DDI 7 =") - before, 4, 1);
    EXPECT_EQ(value_of("Bin 1", 7), 300);

    // An interval below the client's tick is served at the tick.
    const int fast = lines_with("DDI 7 =");
    command("Bin 1", 7, time_interval, 10);
    run_for(1000);
    EXPECT_NEAR(lines_with("DDI 7 =") - fast, 1000 / Controller::tick_ms, 2);
}

TEST_F(Tc_controller_test, a_distance_interval_follows_the_speed_source)
{
    double speed = 0;
    Fake_tc_server::Settings settings;
    start(settings);
    controller->set_speed_source([&] { return speed; });
    run_for(500);
    ASSERT_TRUE(controller->is_pool_active());
    model.entries.actual.set_triggers(Process_data_element::trigger_distance);
    command("Bin 1", 7, distance_interval, 1000); // every metre
    const int before = lines_with("DDI 7 =");
    run_for(2000);
    EXPECT_EQ(lines_with("DDI 7 ="), before);
    speed = std::nan(""); // not known: no distance, and none lost for later
    run_for(500);
    EXPECT_EQ(lines_with("DDI 7 ="), before);
    speed = 2.0; // m/s: 4 m in 2 s
    run_for(2000);
    EXPECT_NEAR(lines_with("DDI 7 =") - before, 4, 1);
}

TEST_F(Tc_controller_test, a_request_value_and_the_default_request_answer_with_current_values)
{
    start_active();
    body->channels.channels[1].requested_rate = 42.0;
    command("Bin 2", 6, request_value, 0);
    EXPECT_EQ(value_of("Bin 2", 6), 4200);

    body->operation.master_switch_active = true;
    const int before = lines_with("value from");
    command("Small Root", 0xDFFF, request_value, 0);
    // Default-set entries: the work state and the two bins' rates.
    EXPECT_EQ(lines_with("value from") - before, 3);
    EXPECT_EQ(value_of("Small Root", 141), 1);
}

TEST_F(Tc_controller_test, bad_commands_are_acknowledged_with_their_error_and_change_nothing)
{
    start_active();
    rate(0) = 10.0;
    const uint16_t bin1 = element_of("Bin 1");
    struct Case {
        const char* what;
        uint16_t element;
        uint16_t ddi;
        uint8_t command;
        int32_t value;
        const char* ack;
    } cases[] = {
        {"unknown element", 40, 6, value_command, 1, "element 40 DDI 6 errors 02 command 3"},
        {"DDI not on the element", bin1, 141, value_command, 1, "DDI 141 errors 04 command 3"},
        {"set on a non-settable entry", bin1, 7, set_value_and_ack, 5, "DDI 7 errors 10 command A"},
        {"unsupported trigger", bin1, 6, distance_interval, 100, "DDI 6 errors 08 command 5"},
        {"negative interval", bin1, 6, time_interval, -5, "DDI 6 errors 20 command 4"},
        {"peer control", bin1, 6, 9, 0, "DDI 6 errors 01 command 9"},
    };
    for (const Case& c : cases) {
        tc->send_command(client_address, c.element, c.ddi, c.command, c.value);
        run_for(20);
        EXPECT_EQ(lines_with(c.ack), 1) << c.what;
    }
    // A frame shorter than a process-data message is not one: no answer, nothing written.
    const uint8_t short_set[4] = {uint8_t(value_command | (bin1 << 4)), uint8_t(bin1 >> 4), 6, 0};
    ZEV_header header(tc_address, client_address, Controller::process_data_pgn, 5, 0, sizeof short_set);
    ASSERT_EQ(tc_node.stack.write(header, short_set, sizeof short_set, nullptr, 0), 0);
    run_for(20);
    EXPECT_EQ(lines_with("acknowledge"), int(std::size(cases)));
    EXPECT_EQ(rate(0), 10.0);
    EXPECT_EQ(body->channels.channels[0].actual_rate, 0.0);

    tc->send_command(client_address, bin1, 6, set_value_and_ack, 20000);
    run_for(20);
    EXPECT_EQ(lines_with("DDI 6 errors 00 command A"), 1);
    EXPECT_EQ(rate(0), 200.0);
}

TEST_F(Tc_controller_test, a_task_controller_silent_for_6_s_deactivates_and_its_return_reactivates)
{
    start_active();
    tc->set_silent(true);
    run_for(5000);
    EXPECT_TRUE(client_events().empty());
    run_for(1200);
    EXPECT_EQ(client_events(), std::vector<uint32_t>{deactivated});
    EXPECT_FALSE(controller->is_pool_active());
    EXPECT_EQ(controller->get_server_rawname(), ZEV_name::RAWNAME::GLOBAL_NAME);

    tc->set_silent(false);
    run_for(3000);
    EXPECT_EQ(client_events(), std::vector<uint32_t>{activated});
    EXPECT_EQ(lines_with("pool from"), 1);
}

TEST_F(Tc_controller_test, disabled_the_client_deactivates_and_falls_silent)
{
    start_active();
    controller->set_enabled(false);
    run_for(20);
    EXPECT_EQ(client_events(), std::vector<uint32_t>{deactivated});
    EXPECT_EQ(lines_with("deactivation from 128"), 1);
    const size_t lines = tc->lines().size();
    run_for(10000);
    EXPECT_EQ(tc->lines().size(), lines);

    controller->set_enabled(true);
    run_for(3000);
    EXPECT_EQ(client_events(), std::vector<uint32_t>{activated});
}

TEST_F(Tc_controller_test, disabled_the_client_arms_no_tick)
{
    create();
    controller->set_enabled(false);
    run_for(5);
    int ran = 0;
    for (int t = 0; t < 3000; t += 5) {
        bench.run_for(5);
        bench.settle();
        ran += controller->run_pending();
    }
    EXPECT_EQ(ran, 0) << "nothing wakes the task";
    EXPECT_EQ(lines_with("from 128"), 0);

    controller->set_enabled(true);
    run_for(1000);
    EXPECT_TRUE(controller->is_pool_active());
}

TEST_F(Tc_controller_test, the_client_task_message_echoes_the_task_status_with_reserved_zeros)
{
    Fake_tc_server::Settings settings;
    settings.task_status = 1;
    start(settings);
    run_for(4000);
    EXPECT_GE(lines_with("client task from 128: status 01, reserved 00 00 00"), 1);
    EXPECT_EQ(lines_with("client task from 128"), lines_with("client task from 128: status 01, reserved 00 00 00"));
}

TEST_F(Tc_controller_test, a_request_for_the_working_set_master_message_is_answered_with_it)
{
    start_active();
    Frame_peer tool(bench);
    const uint8_t tool_address = 0x30;
    struct Case {
        uint8_t to;
        bool answered;
    } cases[] = {{client_address, true}, {0xFF, true}, {0x81, false}};
    for (const Case& c : cases) {
        tool.heard.clear();
        tool.send(6u << 26 | 0xEAu << 16 | uint32_t(c.to) << 8 | tool_address, {0x0D, 0xFE, 0x00});
        run_for(20);
        int announcements = 0, acknowledgements = 0;
        for (const Can_frame& frame : tool.heard) {
            if (pgn_of(frame) == Working_set_member::working_set_master_pgn && (frame.id & 0xFF) == client_address) {
                ++announcements;
                EXPECT_EQ(frame.data[0], 1) << "one member";
            }
            acknowledgements += pgn_of(frame) == 0xE800;
        }
        EXPECT_EQ(announcements, c.answered ? 1 : 0) << int(c.to);
        EXPECT_EQ(acknowledgements, 0) << "no NACK, " << int(c.to);
    }
}

TEST_F(Tc_controller_test, an_absurd_speed_stops_the_distance_at_its_end)
{
    double speed = 0;
    start();
    controller->set_speed_source([&] { return speed; });
    run_for(500);
    ASSERT_TRUE(controller->is_pool_active());
    model.entries.actual.set_triggers(Process_data_element::trigger_distance);
    command("Bin 1", 7, distance_interval, 1000);
    const int before = lines_with("DDI 7 =");
    for (double absurd : {1e300, 1e17, HUGE_VAL}) {
        speed = absurd;
        run_for(200);
    }
    EXPECT_EQ(lines_with("DDI 7 =") - before, 1) << "the distance reached its end once, and stays there";
    speed = 2.0;
    run_for(2000);
    EXPECT_EQ(lines_with("DDI 7 =") - before, 1);
}

TEST_F(Tc_controller_test, a_refused_pool_is_said_once_and_retried_at_the_next_version_exchange)
{
    Debug_capture debug;
    Fake_tc_server::Settings settings;
    settings.refuse_pool = true;
    start(settings);
    run_for(15000);
    EXPECT_EQ(lines_with("pool from"), 1);
    EXPECT_NE(debug.text().find("refused the pool"), std::string::npos);
    EXPECT_TRUE(client_events().empty());

    controller->signal_model_changed();
    run_for(500);
    EXPECT_EQ(lines_with("pool from"), 2);
}

TEST_F(Tc_controller_test, a_refused_activation_leaves_the_pool_inactive)
{
    Fake_tc_server::Settings settings;
    settings.refuse_activation = true;
    start(settings);
    run_for(2000);
    EXPECT_EQ(lines_with("activation request from 128: refused"), 1);
    EXPECT_FALSE(controller->is_pool_active());
    EXPECT_TRUE(client_events().empty());
}

TEST_F(Tc_controller_test, a_rebuild_with_change_events_still_queued_is_clean)
{
    start_active();
    controller->signal_model_changed();
    // Queued behind the change of model, for adaptors the rebuild destroys.
    head.set(body->channels.channels[0].actual_rate, 1.0);
    head.set(body->channels.channels[1].requested_rate, 2.0);
    run_for(500);
    EXPECT_EQ(client_events(), (std::vector<uint32_t>{deactivated, activated}));
    EXPECT_TRUE(controller->is_pool_active());
}

TEST_F(Tc_controller_test, a_large_description_goes_by_extended_transport)
{
    model.bins = 10;
    Small_tree::Entries& e = model.entries;
    static const Literal_designator long_name("A designator of more than thirty-two bytes, cut");
    e.rate.set_designator(&long_name);
    start_active();
    const Fake_tc_server::Pool& pool = *tc->pool_of(client_address);
    EXPECT_TRUE(pool.errors.empty());
    EXPECT_EQ(pool.count("DET"), 11u);
    EXPECT_EQ(pool.objects.at(pool.element_named("Bin 1")->children[0]).designator.size(), 32u);

    model.bins = 100; // over the 1785 bytes of TP
    controller->signal_model_changed();
    run_for(2000);
    ASSERT_TRUE(controller->is_pool_active());
    EXPECT_GT(tc->pool_of(client_address)->bytes.size(), 1785u);
    EXPECT_TRUE(tc->pool_of(client_address)->errors.empty());
    EXPECT_EQ(tc->pool_of(client_address)->count("DET"), 101u);
}

TEST_F(Tc_controller_test, each_client_waiter_hears_once)
{
    waiter_descriptor second;
    start_active();
    EXPECT_TRUE(controller->add_client_waiter(&client_waiter));
    EXPECT_TRUE(controller->add_client_waiter(&second));
    controller->signal_model_changed();
    run_for(500);
    EXPECT_EQ(client_events(), (std::vector<uint32_t>{deactivated, activated}));
    EXPECT_EQ(second.pending(), 2u);
    EXPECT_TRUE(controller->remove_client_waiter(&second));
    EXPECT_FALSE(controller->remove_client_waiter(&second));
}

// A device whose root holds one task total (DDI 119, settable) of the
// store's lifetime effective time, built anew at every version message as
// the seeder's is.
class Total_model : public Model {
public:
    Total_model(CDS::Head& head, data_store_body& body) : head_(head), body_(body) {}
    Device_element* handle_version(const uint8_t* request, uint8_t* reply) override
    {
        reply[1] = request[1] >= 3 ? 3 : 2;
        tree_.reset();
        tree_ = std::make_unique<Tree>(head_, body_, entry_);
        return &tree_->device;
    }

private:
    struct Tree {
        Tree(CDS::Head& head, data_store_body& body, Process_data_element& entry)
            : lifetime(&head, &body.interface.lifetime_effective_time)
        {
            total.set_element(entry);
            total.set_lifetime_total_pd_adaptor(&lifetime);
            refs.append(&total);
            root.set_type(Device_element_element::type_device);
            root.set_designator(&name);
            root.set_ddi_list(&refs);
            device.set_det_0(&root);
        }
        Literal_designator name{"Totals Root"};
        Cds_pd_adaptor<int, false> lifetime;
        Task_total_pd_reference total;
        QList_list_facade<Ddi_reference> refs;
        Device_element_element root;
        Device_element device;
    };
    struct Entry : Process_data_element {
        Entry()
        {
            set_ddi(119);
            set_setable();
            set_triggers(trigger_time | trigger_on_change | trigger_total);
        }
    };
    CDS::Head& head_;
    data_store_body& body_;
    Entry entry_;
    std::unique_ptr<Tree> tree_;
};

class Tc_task_totals_test : public Tc_controller_test {
protected:
    Tc_task_totals_test() { model_in_use = &totals; }
    // The controller goes before the model whose tree it serves.
    ~Tc_task_totals_test() override { controller.reset(); }
    void lifetime(int32_t seconds) { head.set(body->interface.lifetime_effective_time, seconds); }
    int32_t total()
    {
        command("Totals Root", 119, request_value, 0);
        return value_of("Totals Root", 119);
    }

    Total_model totals{head, *body};
};

TEST_F(Tc_task_totals_test, a_total_goes_on_from_where_it_was_whenever_the_pool_is_activated_again)
{
    lifetime(1000);
    start_active();
    EXPECT_EQ(total(), 0) << "the task starts at the first activation";
    lifetime(1100);
    EXPECT_EQ(total(), 100);

    struct Case {
        const char* what;
        std::function<void()> away;
    } cases[] = {
        {"a Task Controller silent for 7 s", [&] { tc->set_silent(true); run_for(7000); tc->set_silent(false); }},
        {"a rebuilt device", [&] { controller->signal_model_changed(); }},
        {"a disabled client", [&] { controller->set_enabled(false); run_for(100); controller->set_enabled(true); }},
    };
    int32_t expected = 100;
    for (const Case& c : cases) {
        c.away();
        lifetime(1000 + expected + 30); // the machine went on working meanwhile
        expected += 30;
        run_for(4000);
        ASSERT_TRUE(controller->is_pool_active()) << c.what;
        EXPECT_EQ(total(), expected) << c.what;
    }

    command("Totals Root", 119, value_command, 0); // the Task Controller starts a task
    lifetime(1000 + expected + 5);
    EXPECT_EQ(total(), 5);
    controller->signal_model_changed();
    run_for(1000);
    EXPECT_EQ(total(), 5) << "the set base outlives the rebuild";
}

TEST(Ddop_test, a_value_without_a_table_entry_is_left_out_with_one_line)
{
    Loose_trees t;
    Small_tree with(t.head, *t.body, t.entries, 1, true), without(t.head, *t.body, t.entries, 1, false);
    const ZEV_name::RAWNAME& member = t.member;

    Debug_capture debug;
    const Ddop a = Ddop::write(with.device, member);
    EXPECT_NE(debug.text().find("without a table entry"), std::string::npos);
    const Ddop b = Ddop::write(without.device, member);
    EXPECT_EQ(a.bytes, b.bytes);
    EXPECT_EQ(a.values.size(), b.values.size());
    EXPECT_TRUE(Fake_tc_server::Pool::read(a.bytes).errors.empty());
}

TEST(Ddop_test, the_structure_label_follows_the_bytes)
{
    Loose_trees t;
    Small_tree::Entries& entries = t.entries;
    Small_tree one(t.head, *t.body, entries, 2), two(t.head, *t.body, entries, 2);
    const ZEV_name::RAWNAME& member = t.member;
    const Ddop a = Ddop::write(one.device, member);
    EXPECT_EQ(a.structure_label, Ddop::write(two.device, member).structure_label);
    EXPECT_EQ(Fake_tc_server::Pool::read(a.bytes).structure_label, a.structure_label);
    entries.offset.set_value(751);
    EXPECT_NE(Ddop::write(two.device, member).structure_label, a.structure_label);
}

TEST(Fake_tc_pool_test, the_reader_finds_what_is_wrong)
{
    auto det = [](uint16_t id, uint16_t element, uint16_t parent, std::vector<uint16_t> children) {
        std::vector<uint8_t> b{'D', 'E', 'T', uint8_t(id), uint8_t(id >> 8), 1, 1, 'E', uint8_t(element),
                               uint8_t(element >> 8), uint8_t(parent), uint8_t(parent >> 8),
                               uint8_t(children.size()), 0};
        for (uint16_t c : children) {
            b.push_back(uint8_t(c));
            b.push_back(uint8_t(c >> 8));
        }
        return b;
    };
    std::vector<uint8_t> dvc{'D', 'V', 'C', 0, 0, 1, 'D', 0};
    dvc.insert(dvc.end(), 8, 0);
    dvc.push_back(0);
    dvc.insert(dvc.end(), 14, 0xFF);
    auto pool = [&](std::initializer_list<std::vector<uint8_t>> records) {
        std::vector<uint8_t> b = dvc;
        for (const auto& r : records)
            b.insert(b.end(), r.begin(), r.end());
        return Fake_tc_server::Pool::read(b);
    };
    EXPECT_TRUE(pool({det(1, 0, 0, {})}).errors.empty());
    EXPECT_FALSE(pool({det(1, 0, 0, {}), det(1, 1, 0, {})}).errors.empty());  // id twice
    EXPECT_FALSE(pool({det(1, 0, 0, {}), det(2, 0, 1, {})}).errors.empty());  // element number twice
    EXPECT_FALSE(pool({det(1, 0, 9, {})}).errors.empty());                     // no parent
    EXPECT_FALSE(pool({det(1, 0, 0, {7})}).errors.empty());                    // no child
    std::vector<uint8_t> cut = det(1, 0, 0, {});
    cut.pop_back();
    EXPECT_FALSE(pool({cut}).errors.empty());
}

}
