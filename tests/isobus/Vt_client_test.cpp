#include "tests/isobus/Vt_client_bench.h"

#include "platform/io/File_util.h"
#include "platform/iso/VT_Command.h"
#include "tests/support/Debug_capture.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

namespace {

constexpr uint32_t tp_cm = 0xEC00, etp_cm = 0xC800, tp_dt = 0xEB00, etp_dt = 0xC700;

int count_lines(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

size_t frames_of(const std::vector<Can_frame>& frames, uint32_t pgn)
{
    size_t n = 0;
    for (const Can_frame& f : frames)
        n += pgn_of(f) == pgn;
    return n;
}

std::vector<uint8_t> image_of(const VT::Object_pool& pool)
{
    pool.lock_pool();
    std::vector<uint8_t> image = pool.serialise();
    pool.unlock_pool();
    return image;
}

TEST_F(Vt_client_bench, a_small_pool_goes_by_tp_arrives_whole_and_is_shown)
{
    bench.hub().set_recording(true);
    Debug_capture capture;
    const std::vector<uint8_t> image = image_of(*pool);
    start();
    EXPECT_EQ(vt->last_pool(), image);
    EXPECT_TRUE(vt->last_errors().empty());
    EXPECT_EQ(vt->active_working_set(), client_address);
    EXPECT_EQ(vt->active_mask(), Small_vt_pool::mask_id);
    EXPECT_EQ(vt->stored_versions(), 1u);
    const std::vector<Can_frame> own = client_frames();
    EXPECT_GT(frames_of(own, tp_dt), 0u);
    EXPECT_EQ(frames_of(own, etp_dt), 0u);
    EXPECT_TRUE(client->is_shown());
    run_for(1000);
    EXPECT_TRUE(client->is_active_working_set());
    EXPECT_EQ(listener.uploaded(), std::vector<uint64_t>{ZEV_name::RAWNAME(vt->get_name()).to_stored()});
    EXPECT_EQ(listener.alive(), std::vector<bool>{true});
    EXPECT_EQ(progress->shown.front(), 0u);
    EXPECT_EQ(progress->shown.back(), 1000u);
    // The full bar reaches the VT once it shows the pool.
    Iop_check::Object bar_value;
    ASSERT_TRUE(vt->object(Small_vt_pool::variable_id, bar_value));
    EXPECT_EQ(bar_value.value, 1000u);
    EXPECT_EQ(count_lines(capture.text(), "VT: the pool is uploaded"), 1);

    // The announcement before the first query; the first maintenance says it
    // initiates, later ones come every second.
    const std::vector<std::string> lines = vt->lines();
    const auto first = [&](const std::string& part) {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(part) != std::string::npos)
                return int(i);
        return -1;
    };
    ASSERT_GE(first("working-set master at 128"), 0);
    EXPECT_LT(first("working-set master at 128"), first("memory request from 128"));
    EXPECT_EQ(vt->lines_with("maintenance from 128, initiating"), 1);
    const int maintenance = vt->lines_with("maintenance from 128");
    run_for(5000);
    EXPECT_EQ(vt->lines_with("maintenance from 128") - maintenance, 5);
}

TEST_F(Vt_client_bench, the_answers_fill_the_capabilities)
{
    start();
    // The fake's: version 4, 256 colours, touch and pointer, 6 physical and
    // 64 virtual soft keys, font sizes FF and 7F, styles 0F.
    const uint8_t expected[VT::Object_pool::capability_count] = {4, 2, 0x03, 6, 64, 0xFF, 0x7F, 0x0F};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), VT::Object_pool::vt_capabilities));
}

class Full_image : public Vt_client_bench {
protected:
    Full_image()
    {
        char name[] = "/tmp/kx4_vt_client_XXXXXX";
        if (mkdtemp(name))
            root_ = name;
        setenv("KX4_ROOT", root_.c_str(), 1);
    }
    ~Full_image() override
    {
        seeder.reset();
        unsetenv("KX4_ROOT");
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string root_;
    std::unique_ptr<VT::seeder_ecu_pool> seeder;
};

TEST_F(Full_image, the_seeder_pool_goes_by_etp_and_arrives_as_its_file_holds_it)
{
    seeder = std::make_unique<VT::seeder_ecu_pool>(&manager, nullptr, 0);
    ASSERT_TRUE(seeder->serialise_to_file());
    std::ifstream in(Object_pool_base<VT::VT_obj>::get_file_path(), std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), VT::Object_pool::transfer_bytes); // several messages, each by ETP
    bench.hub().set_recording(true);
    VT::Number_variable_obj bar_value(1, "bar_value", 0); // in no pool: read without a lock
    Recording_progress bar(&bar_value);
    create({}, 0, ZEV_name::RAWNAME::GLOBAL_NAME, seeder.get(), &bar);
    run_for(5000);
    EXPECT_EQ(vt->last_pool(), file);
    const int messages = vt->lines_with("pool transfer from 128");
    EXPECT_GE(messages, int(file.size() / VT::Object_pool::transfer_bytes));
    EXPECT_GT(frames_of(client_frames(), etp_dt), 0u);
    // Empty before the upload, then one step per message, up to full.
    ASSERT_EQ(bar.shown.size(), size_t(messages) + 1);
    EXPECT_EQ(bar.shown.front(), 0u);
    EXPECT_TRUE(std::is_sorted(bar.shown.begin(), bar.shown.end()));
    EXPECT_EQ(std::adjacent_find(bar.shown.begin(), bar.shown.end()), bar.shown.end());
    EXPECT_EQ(bar.shown.back(), 1000u);
    // The whole image is one the VT accepts and shows.
    EXPECT_TRUE(Iop_check(file).sound());
    EXPECT_TRUE(vt->last_errors().empty());
    EXPECT_TRUE(seeder->is_shown());
}

TEST_F(Vt_client_bench, the_preferred_vt_is_taken_when_it_comes_in_time_and_another_after_the_time_out)
{
    add_other_vt();
    create({}, 5, other_vt->get_name());
    run_for(2000);
    EXPECT_EQ(client->get_server_rawname(), ZEV_name::RAWNAME(other_vt->get_name()));
    EXPECT_EQ(other_vt->active_working_set(), client_address);
    EXPECT_EQ(vt->active_working_set(), 0xFF);
}

TEST_F(Vt_client_bench, without_the_preferred_vt_another_is_taken_after_the_time_out)
{
    ZEV_name::NAME absent = Known_names::get_seeder(99);
    absent.set(ZEV_name::Field::function, VT::Object_pool::vt_function);
    create({}, 5, absent);
    run_for(4000);
    EXPECT_EQ(client->get_server_rawname(), ZEV_name::RAWNAME::GLOBAL_NAME);
    EXPECT_EQ(vt->lines_with("memory request"), 0);
    run_for(3000);
    EXPECT_EQ(client->get_server_rawname(), ZEV_name::RAWNAME(vt->get_name()));
    EXPECT_TRUE(client->is_shown());
}

TEST_F(Vt_client_bench, a_vt_short_of_memory_gets_no_pool_and_the_next_vt_is_tried)
{
    Fake_vt_server::Settings settings;
    settings.memory_short = true;
    Debug_capture capture;
    start(settings);
    EXPECT_EQ(count_lines(capture.text(), "has not enough memory for the pool"), 1);
    EXPECT_EQ(vt->lines_with("pool transfer"), 0);
    EXPECT_EQ(vt->active_working_set(), 0xFF);
    EXPECT_TRUE(listener.uploaded().empty());

    add_other_vt();
    run_for(3000);
    EXPECT_EQ(other_vt->active_working_set(), client_address);
    EXPECT_EQ(count_lines(capture.text(), "has not enough memory for the pool"), 1);
}

TEST_F(Vt_client_bench, a_refused_pool_is_said_once_with_the_faulty_object_and_not_shown)
{
    // The bar's variable points at an object the pool lacks: a real fault.
    VT::Linear_bar_graph_obj broken{Small_vt_pool::bar_id, "bar", 180, 14, 0, 0, 49, 0, 0, 1000, 999, 0, 65535, 0, 0,
                                    nullptr};
    VT::VT_obj** table = pool->get_table();
    VT::VT_obj** replaced = std::find(table, table + pool->get_object_count(), &pool->bar);
    ASSERT_NE(replaced, table + pool->get_object_count());
    *replaced = &broken;
    struct Restore {
        VT::VT_obj** slot;
        VT::VT_obj* object;
        ~Restore() { *slot = object; }
    } restore{replaced, &pool->bar};
    Debug_capture capture;
    start();
    EXPECT_EQ(count_lines(capture.text(), "VT: the VT refused the pool"), 1);
    EXPECT_NE(capture.text().find("object 999 (parent 404), pool error 02"), std::string::npos) << capture.text();
    EXPECT_EQ(vt->active_working_set(), 0xFF);
    EXPECT_FALSE(client->is_shown());
    EXPECT_TRUE(listener.uploaded().empty());
    run_for(10000);
    EXPECT_EQ(count_lines(capture.text(), "VT: the VT refused the pool"), 1);
}

TEST_F(Vt_client_bench, a_pool_the_vt_refuses_for_its_own_reasons_is_said_once)
{
    Fake_vt_server::Settings settings;
    settings.refuse_pool = true;
    Debug_capture capture;
    start(settings);
    EXPECT_EQ(count_lines(capture.text(), "VT: the VT refused the pool"), 1);
    EXPECT_FALSE(client->is_shown());
    EXPECT_EQ(vt->stored_versions(), 0u);
}

TEST_F(Vt_client_bench, an_aborted_transfer_fails_the_upload_once_and_it_is_tried_again_after_a_pause)
{
    // The VT hears none of the pool's data frames: its stack gives the transfer up.
    bench.hub().set_drop_rule([](const Can_frame& f) { return pgn_of(f) == tp_dt && (f.id & 0xFF) == client_address; });
    Debug_capture capture;
    const std::vector<uint8_t> image = image_of(*pool);
    start();
    EXPECT_EQ(count_lines(capture.text(), "VT: the pool transfer failed"), 1) << capture.text();
    EXPECT_FALSE(client->is_shown());
    EXPECT_EQ(vt->active_working_set(), 0xFF);
    EXPECT_EQ(vt->lines_with("end of pool"), 0);
    bench.hub().set_drop_rule(nullptr);
    run_for(VT::Object_pool::retry_pause_ms + 1000);
    EXPECT_TRUE(client->is_shown());
    EXPECT_EQ(vt->last_pool(), image);
}

TEST_F(Vt_client_bench, a_silent_vt_is_lost_and_on_its_return_the_stored_version_is_loaded)
{
    start();
    ASSERT_EQ(vt->lines_with("pool transfer"), 1);
    vt->set_silent(true);
    run_for(2400);
    EXPECT_TRUE(client->is_shown()); // the last status came less than 3500 ms ago
    run_for(1200);
    EXPECT_FALSE(client->is_shown());
    EXPECT_EQ(listener.alive(), (std::vector<bool>{true, false}));
    vt->set_silent(false);
    run_for(3000);
    EXPECT_TRUE(client->is_shown());
    EXPECT_EQ(listener.alive(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(vt->lines_with("pool transfer"), 1); // loaded, not sent again
    EXPECT_EQ(vt->lines_with("loaded"), 1);
    EXPECT_EQ(listener.uploaded().size(), 2u);
}

// While no VT speaks the client has nothing to do: its task runs nothing
// until a status comes, and then takes the VT on its tick as before.
TEST_F(Vt_client_bench, with_no_vt_speaking_the_client_task_runs_nothing_until_a_status_comes)
{
    start();
    vt->set_silent(true);
    run_for(3600);
    ASSERT_FALSE(client->is_shown());
    int ran = 0;
    for (int t = 0; t < 1000; t += 5) {
        bench.run_for(5);
        ran += client->run_pending();
        vt->run_pending();
    }
    EXPECT_EQ(ran, 0);
    vt->set_silent(false);
    run_for(3000);
    EXPECT_TRUE(client->is_shown());
    EXPECT_EQ(listener.alive(), (std::vector<bool>{true, false, true}));
}

TEST_F(Vt_client_bench, each_change_reaches_the_vt_and_changes_its_object)
{
    start();
    struct Case {
        const char* what;
        std::function<void(Small_vt_pool&)> change;
        std::function<bool(Fake_vt_server&)> holds;
    };
    const auto object = [](Fake_vt_server& vt, uint16_t id) {
        Iop_check::Object o;
        EXPECT_TRUE(vt.object(id, o)) << id;
        return o;
    };
    const auto attribute = [](Fake_vt_server& vt, uint16_t id, uint8_t aid) {
        uint32_t value = 0xFFFFFFFF;
        vt.attribute(id, aid, value);
        return value;
    };
    const Case cases[] = {
        {"number variable", [](Small_vt_pool& p) { p.variable.set_value(500); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::variable_id).value == 500; }},
        {"input number", [](Small_vt_pool& p) { p.number.set_value(42); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::number_id).value == 42; }},
        {"hidden container", [](Small_vt_pool& p) { p.container.set_hidden(true); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::container_id).hidden; }},
        {"string", [](Small_vt_pool& p) { p.string.__set_string("XY"); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::string_id).text == "XY      "; }},
        {"list item", [](Small_vt_pool& p) { p.list.set_child_objects_val(1, Small_vt_pool::item_a_id, false); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::list_id).children.at(1).id == Small_vt_pool::item_a_id; }},
        {"fill", [](Small_vt_pool& p) { p.rectangle.set_fill_attributes(Small_vt_pool::other_fill_id); },
         [&](Fake_vt_server& vt) { return attribute(vt, Small_vt_pool::rectangle_id, 5) == Small_vt_pool::other_fill_id; }},
        {"decimals", [](Small_vt_pool& p) { p.output_number.set_no_decimals(2); },
         [&](Fake_vt_server& vt) { return attribute(vt, Small_vt_pool::output_number_id, 9) == 2; }},
        {"output offset", [](Small_vt_pool& p) { p.output_number.set_offset(-3); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::output_number_id).number_offset == -3; }},
        {"output scale", [](Small_vt_pool& p) { p.output_number.set_scale(0.5f); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::output_number_id).scale == 0.5f; }},
        {"input minimum", [](Small_vt_pool& p) { p.number.set_min_value(5); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::number_id).min_value == 5; }},
        {"input maximum", [](Small_vt_pool& p) { p.number.set_max_value(2000); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::number_id).max_value == 2000; }},
        {"input offset", [](Small_vt_pool& p) { p.number.set_offset(-10); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::number_id).number_offset == -10; }},
        {"input scale", [](Small_vt_pool& p) { p.number.set_scale(0.01f); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::number_id).scale == 0.01f; }},
        {"input decimals", [](Small_vt_pool& p) { p.number.set_no_decimals(2); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::number_id).decimals == 2; }},
        {"soft key mask", [](Small_vt_pool& p) { p.mask.set_soft_key_mask(Small_vt_pool::other_keys_id); },
         [&](Fake_vt_server& vt) { return object(vt, Small_vt_pool::mask_id).soft_key_mask == Small_vt_pool::other_keys_id; }},
        {"active data mask", [](Small_vt_pool& p) { p.activate_data_mask(Small_vt_pool::other_mask_id); },
         [&](Fake_vt_server& vt) { return vt.active_mask() == Small_vt_pool::other_mask_id; }},
        {"active alarm mask", [](Small_vt_pool& p) { p.activate_alarm_mask(Small_vt_pool::alarm_mask_id); },
         [&](Fake_vt_server& vt) { return vt.active_mask() == Small_vt_pool::alarm_mask_id; }},
    };
    Debug_capture capture;
    for (const Case& c : cases) {
        const int responses = vt->lines_with("error 00");
        pool->lock_pool();
        c.change(*pool);
        pool->unlock_pool();
        run_for(100);
        EXPECT_TRUE(c.holds(*vt)) << c.what;
        EXPECT_EQ(vt->lines_with("error 00"), responses + 1) << c.what;
    }
    EXPECT_EQ(vt->lines_with("active mask 201"), 1);
    EXPECT_EQ(capture.text().find("failed"), std::string::npos) << capture.text();
}

TEST_F(Vt_client_bench, a_change_the_vt_refuses_is_said_once_with_its_error)
{
    start();
    Debug_capture capture;
    pool->lock_pool();
    pool->activate_data_mask(Small_vt_pool::keys_id); // a soft key mask is no mask to show
    pool->mask.set_soft_key_mask(Small_vt_pool::key_id);
    pool->unlock_pool();
    run_for(200);
    EXPECT_EQ(count_lines(capture.text(), "VT: command 173 for object 300 failed (error 02)"), 1) << capture.text();
    EXPECT_EQ(count_lines(capture.text(), "VT: command 174 for object 200 failed (error 02)"), 1) << capture.text();
    EXPECT_EQ(vt->active_mask(), Small_vt_pool::mask_id);
}

TEST_F(Vt_client_bench, a_command_unanswered_is_said_once_and_the_queue_goes_on)
{
    start();
    Debug_capture capture;
    vt->set_silent(true);
    pool->lock_pool();
    pool->variable.set_value(1);
    pool->unlock_pool();
    run_for(VT::Object_pool::answer_timeout_ms + 200);
    EXPECT_EQ(count_lines(capture.text(), "VT: no response to command 168 for object 403"), 1);
}

TEST_F(Vt_client_bench, each_activation_is_answered_applied_and_delivered_once)
{
    start();
    listener.clear();
    script("press 310");
    script("release 600");
    script("number 400 55");
    script("string 401 HELLO");
    const std::vector<VT::Pool_listener::Activation> got = listener.activations();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].function, VT::Command::soft_key_activation);
    EXPECT_EQ(got[0].object, Small_vt_pool::key_id);
    EXPECT_EQ(got[0].parent, Small_vt_pool::mask_id);
    EXPECT_EQ(got[0].code, 1);
    EXPECT_EQ(got[1].function, VT::Command::button_activation);
    EXPECT_EQ(got[1].object, Small_vt_pool::button_id);
    EXPECT_EQ(got[1].code, 0);
    EXPECT_EQ(got[2].function, VT::Command::vt_change_numeric_value);
    EXPECT_EQ(got[2].value, 55u);
    EXPECT_EQ(got[3].function, VT::Command::vt_change_string_value);
    EXPECT_EQ(got[3].text, "HELLO");
    pool->lock_pool();
    EXPECT_EQ(pool->number.get_value(), 55u);
    EXPECT_EQ(std::string(pool->string.get_value(), Small_vt_pool::string_length), "HELLO   ");
    pool->unlock_pool();
    // Answered, and the VT's own changes not sent back as commands.
    EXPECT_EQ(vt->lines_with("response 0 from 128: object 310"), 1);
    EXPECT_EQ(vt->lines_with("response 1 from 128: object 600"), 1);
    EXPECT_EQ(vt->lines_with("response 5 from 128: object 400"), 1);
    EXPECT_EQ(vt->lines_with("response 8 from 128: object 401"), 1);
    EXPECT_EQ(vt->lines_with("numeric value 400"), 0);
    EXPECT_EQ(vt->lines_with("string 401 ="), 0);
}

TEST_F(Vt_client_bench, bad_input_from_the_bus_delivers_nothing)
{
    start();
    listener.clear();
    Frame_peer peer(bench);
    // From the VT's address to the client, on the VT-to-ECU PGN.
    const uint32_t id = 0x14000000u | (VT::Object_pool::vt_to_ecu_pgn + client_address) << 8 | vt_address;
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
    };
    const Case cases[] = {
        {"short", {0, 1, 0x36, 0x01, 0xC8, 0x00}},
        {"unknown key", {0, 1, 0x0F, 0x27, 0xC8, 0x00, 0, 0xFF}},
        {"a number taken for a key", {0, 1, 0x90, 0x01, 0xC8, 0x00, 0, 0xFF}},
        {"a button taken for a key", {0, 1, 0x58, 0x02, 0xC8, 0x00, 0, 0xFF}},
        {"a key taken for a button", {1, 1, 0x36, 0x01, 0xC8, 0x00, 0, 0xFF}},
        {"activation code 4", {0, 4, 0x36, 0x01, 0xC8, 0x00, 0, 0xFF}},
        {"number above the range", {5, 0x90, 0x01, 0xFF, 101, 0, 0, 0}},
        {"number of a string", {5, 0x91, 0x01, 0xFF, 1, 0, 0, 0}},
        {"list index past the items", {5, 0x92, 0x01, 0xFF, 2, 0, 0, 0}},
        {"string of a number", {8, 0x90, 0x01, 2, 'A', 'B', 0xFF, 0xFF}},
        {"string longer than its message", {8, 0x91, 0x01, 9, 'A', 'B', 'C', 'D'}},
        {"unasked response", {VT::Command::get_memory, 4, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    Debug_capture capture;
    for (const Case& c : cases) {
        peer.send(id, c.data);
        run_for(50);
        EXPECT_TRUE(listener.activations().empty()) << c.what;
    }
    // A string longer than the object, by TP from the VT itself.
    ASSERT_TRUE(vt->run_script_line("string 401 NINE CHARS"));
    run_for(100);
    EXPECT_TRUE(listener.activations().empty());
    pool->lock_pool();
    EXPECT_EQ(pool->number.get_value(), 10u);
    EXPECT_EQ(std::string(pool->string.get_value(), Small_vt_pool::string_length), "ABCDEFGH");
    pool->unlock_pool();
    EXPECT_TRUE(client->is_shown());
    EXPECT_EQ(vt->lines_with("response"), 0);
    EXPECT_EQ(count_lines(capture.text(), "ignored"), 11) << capture.text();
}

TEST_F(Vt_client_bench, a_status_from_a_node_that_is_no_vt_is_ignored)
{
    Frame_peer peer(bench);
    create({});
    vt->set_silent(true);
    run_for(100);
    // From an address no NAME holds.
    for (int i = 0; i < 20; ++i) {
        peer.send(0x18E6FF30, {254, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0xFF});
        run_for(100);
    }
    EXPECT_EQ(client->get_server_rawname(), ZEV_name::RAWNAME::GLOBAL_NAME);
}

TEST_F(Vt_client_bench, disabled_the_client_falls_silent_and_enabled_it_comes_back)
{
    start();
    client->set_enabled(false);
    EXPECT_TRUE(client->is_disabled());
    run_for(100);
    EXPECT_EQ(listener.alive(), (std::vector<bool>{true, false}));
    bench.hub().set_recording(true);
    pool->lock_pool();
    pool->variable.set_value(77);
    pool->unlock_pool();
    script("press 310");
    run_for(5000);
    EXPECT_TRUE(client_frames().empty());
    EXPECT_TRUE(listener.activations().empty());
    client->set_enabled(true);
    EXPECT_FALSE(client->is_disabled());
    run_for(2000);
    EXPECT_TRUE(client->is_shown());
    EXPECT_FALSE(client_frames().empty());
}

TEST_F(Vt_client_bench, switch_next_server_moves_the_pool_to_the_other_vt)
{
    add_other_vt();
    start();
    const ZEV_name::RAWNAME first = client->get_server_rawname();
    const bool on_first = first == ZEV_name::RAWNAME(vt->get_name());
    const uint8_t other = on_first ? other_vt_address : vt_address;
    EXPECT_EQ(client->get_next_server_addr(), other);
    EXPECT_EQ(client->switch_next_server(), 0);
    run_for(2000);
    EXPECT_NE(client->get_server_rawname(), first);
    EXPECT_EQ((on_first ? other_vt : vt)->active_working_set(), client_address);
    EXPECT_EQ(listener.uploaded().size(), 2u);
    EXPECT_TRUE(client->is_shown());
}

TEST_F(Vt_client_bench, the_units_of_the_vt_in_use_reach_the_listener_and_another_vts_do_not)
{
    using Units = VT::Pool_listener::Units_system;
    add_other_vt();
    start();
    const bool on_first = client->get_server_rawname() == ZEV_name::RAWNAME(vt->get_name());
    Fake_vt_server& in_use = on_first ? *vt : *other_vt;
    Fake_vt_server& other = on_first ? *other_vt : *vt;
    // Asked for once the VT was chosen; the fakes start metric.
    EXPECT_EQ(in_use.lines_with("language request from 128"), 1);
    EXPECT_EQ(other.lines_with("language request"), 0);
    EXPECT_EQ(listener.units(), std::vector<Units>{Units::metric});
    listener.clear();

    ASSERT_TRUE(other.run_script_line("units imperial"));
    run_for(200);
    EXPECT_TRUE(listener.units().empty());

    ASSERT_TRUE(in_use.run_script_line("units us"));
    ASSERT_TRUE(in_use.run_script_line("units imperial"));
    run_for(200);
    EXPECT_EQ(listener.units(), (std::vector<Units>{Units::us, Units::imperial}));
}

TEST_F(Vt_client_bench, switch_next_server_with_one_vt_stays)
{
    start();
    EXPECT_EQ(client->get_next_server_addr(), vt_address);
    EXPECT_EQ(client->switch_next_server(), -1);
    run_for(1000);
    EXPECT_TRUE(client->is_shown());
}

TEST_F(Vt_client_bench, changes_from_another_thread_while_activations_arrive_are_clean)
{
    start();
    listener.clear();
    // A bounded run, so that the bench's tasks settle once it is over.
    std::thread screens([&] {
        for (uint32_t i = 0; i < 3000; ++i) {
            pool->lock_pool();
            pool->variable.set_value(i % 1000);
            pool->container.set_hidden(i % 2 == 0);
            pool->string.__set_string(i % 2 ? "ODD" : "EVEN");
            (void)pool->number.get_value();
            pool->unlock_pool();
        }
    });
    for (int i = 0; i < 50; ++i) {
        script("number 400 " + std::to_string(i));
        script("string 401 S" + std::to_string(i));
    }
    screens.join();
    run_for(500);
    EXPECT_EQ(listener.activations().size(), 100u);
    pool->lock_pool();
    EXPECT_EQ(pool->number.get_value(), 49u);
    pool->unlock_pool();
}

}
