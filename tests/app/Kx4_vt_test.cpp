// kx4's Virtual Terminal side: the pool built, loaded, written and shown
// by the fake VT on the in-process bus, and the whole program against the
// fake as processes on can_hub.
#include "app/Main_loop.h"
#include "app/Vt_link.h"
#include "platform/ui/User_interface.h"
#include "platform/io/Binary_message.h"
#include "platform/iso/Working_set_member.h"
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/platform/can/Zev_bench.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Fake_server_name.h"
#include "tests/support/Fake_vt_server.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Iop_check.h"
#include "tests/support/Spawned_process.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/build_seeder_pool.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>

namespace {

// The ISO 11783-6 object types the checks count.
constexpr uint8_t working_set_type = 0, data_mask_type = 1, alarm_mask_type = 2;
constexpr uint16_t first_built_id = 10000;

// The screens write their texts and values into the pool once set up, after
// the file is written and before the upload: the VT gets the same objects in
// the same places, not the same bytes.
void expect_same_objects(const std::vector<uint8_t>& uploaded, const std::vector<uint8_t>& written)
{
    EXPECT_EQ(uploaded.size(), written.size());
    const Iop_check got(uploaded), want(written);
    EXPECT_EQ(got.objects().size(), want.objects().size());
    for (const auto& [id, object] : want.objects()) {
        const auto found = got.objects().find(id);
        ASSERT_NE(found, got.objects().end()) << "object " << id << " was not uploaded";
        EXPECT_EQ(found->second.type, object.type) << "object " << id;
        EXPECT_EQ(found->second.offset, object.offset) << "object " << id;
    }
}

class Kx4_vt_link : public ::testing::Test, public App_fixture {
protected:
    Kx4_vt_link()
    {
        setenv("KX4_ROOT", folder.path().c_str(), 1);
        // Any VT at once: none is preferred yet.
        parameters->system.terminal_timeout.set(0);
    }
    ~Kx4_vt_link() override
    {
        link.reset();
        unsetenv("KX4_ROOT");
    }

    void create(uint32_t writer_size = seeder_pool_writer_size)
    {
        vt = std::make_unique<Fake_vt_server>(&manager, vt_node.stack, Fake_vt_server::Settings());
        ASSERT_TRUE(vt->start_serving());
        link = std::make_unique<Vt_link>(manager, *store, *parameters, client_node.stack, member, *ids, nullptr,
                                         nullptr, writer_size);
    }
    // Moves the clock on in 5 ms steps, running the tasks after each.
    void run_for(int ms)
    {
        for (int t = 0; t < ms; t += 5) {
            bench.run_for(5);
            for (int ran = 1; ran > 0;) {
                bench.settle();
                ran = link->get_pool().run_pending() + link->get_ui().run_pending() + vt->run_pending();
            }
        }
    }
    // Runs until the VT shows the pool (true), or for 20 s of the clock.
    bool run_until_shown()
    {
        for (int t = 0; t < 20000 && !store->head.get(system().vt_uploaded); t += 100)
            run_for(100);
        return store->head.get(system().vt_uploaded);
    }
    std::string file_path() const { return folder.path() + "var/data/kx4/data/object_pool.iop"; }
    uint64_t vt_name() const { return Binary_message::get_uint64_be(vt->get_name().get_bytes()); }

    Zev_bench bench;
    Zev_bench::Node& client_node = bench.add_claimed_node(Known_names::get_seeder(1), 0x80);
    Zev_bench::Node& vt_node = bench.add_node();
    Debug_capture debug;
    Working_set_member member{Known_names::get_seeder(1)};
    std::unique_ptr<Seeder_pool_ids> ids = std::make_unique<Seeder_pool_ids>();
    std::unique_ptr<Fake_vt_server> vt;
    std::unique_ptr<Vt_link> link;
};

TEST_F(Kx4_vt_link, the_pool_is_built_loaded_and_written_and_the_vt_shows_it)
{
    create();
    ASSERT_TRUE(link->is_ready()) << debug.text();
    EXPECT_GT(link->get_pool().get_loaded_count(), 0u);
    const std::vector<uint8_t> file = read_bytes(file_path());
    EXPECT_EQ(file, link->get_pool().serialise());
    // The interface has its root before any client task could run.
    EXPECT_NE(link->get_ui().get_iface(), nullptr);
    EXPECT_FALSE(link->get_pool().is_running());

    ASSERT_TRUE(run_until_shown()) << debug.text();
    expect_same_objects(vt->last_pool(), file);
    EXPECT_EQ(vt->lines_with("end of pool from 128"), 1) << debug.text();
    EXPECT_EQ(vt->active_working_set(), 0x80);
    EXPECT_TRUE(store->head.get(system().vt_alive));
    EXPECT_EQ(parameters->system.specific_vt_name.get(), vt_name());

    ASSERT_TRUE(vt->run_script_line("press 1240"));
    ASSERT_TRUE(vt->run_script_line("release 1240"));
    run_for(100);
    const std::string key = "UI: key 1240 of mask " + std::to_string(vt->active_mask());
    EXPECT_NE(debug.text().find(key + " pressed, taken by no screen\n"), std::string::npos) << debug.text();
    EXPECT_NE(debug.text().find(key + " released, taken by no screen\n"), std::string::npos) << debug.text();

    // Lost 3500 ms after the last status, which came at most a second before the silence.
    vt->set_silent(true);
    run_for(2000);
    EXPECT_TRUE(store->head.get(system().vt_alive));
    run_for(2600);
    EXPECT_FALSE(store->head.get(system().vt_alive));
}

TEST_F(Kx4_vt_link, a_shutdown_by_code_2_notifies_the_vt_and_its_client_falls_silent)
{
    create();
    ASSERT_TRUE(run_until_shown()) << debug.text();
    Main_loop loop(objects);
    loop.start();
    store->head.set(system().initiate_shutdown, 2);
    ASSERT_EQ(loop.run(), 2);
    EXPECT_EQ(loop.finish(folder.path()), 2);
    link->notify_shutdown();
    EXPECT_EQ(count_of(debug.text(), "Shutting down - notify VT\n"), 1u);
    run_for(100);
    const int kept = vt->lines_with("maintenance from 128");
    run_for(5000);
    EXPECT_EQ(vt->lines_with("maintenance from 128"), kept);
    // The pool goes whole, the interface before it (LeakSanitizer and
    // AddressSanitizer see the rest).
    link.reset();
}

// A product's name of 19 characters, the longest the product menu shows,
// reaches the VT whole: in the pool it uploads and when it changes.
TEST_F(Kx4_vt_link, a_product_name_of_19_characters_reaches_the_vt_whole)
{
    const std::string first = "Spring wheat, bin 1", second = "Canola hybrid 45H29";
    parameters->app.products[0]->name.set(first.c_str(), int(first.size()));
    parameters->app.products[0]->tank.set(9);
    create();
    ASSERT_TRUE(run_until_shown()) << debug.text();
    auto shown = [&](const Output_string_id& id) {
        Iop_check::Object object;
        EXPECT_TRUE(vt->object(id, object)) << id;
        return object.text.substr(0, object.text.find_last_not_of(' ') + 1);
    };
    const Product_settings_menu_ids& menu = ids->product_settings_menu;
    EXPECT_EQ(shown(menu.product_labels[0]), first);
    EXPECT_EQ(shown(menu.tank_labels[0]), "Tank10");

    parameters->app.products[0]->name.set(second.c_str(), int(second.size()));
    for (int t = 0; t < 20000 && shown(menu.product_labels[0]) != second; t += 100)
        run_for(100);
    EXPECT_EQ(shown(menu.product_labels[0]), second) << vt->lines().back();
}

TEST_F(Kx4_vt_link, screens_that_do_not_fit_give_one_line_and_no_client)
{
    create(1000);
    EXPECT_FALSE(link->is_ready());
    EXPECT_EQ(count_of(debug.text(), "No VT interface: the screens do not fit in the 1000 bytes given them\n"), 1u)
        << debug.text();
    EXPECT_FALSE(exists(file_path()));
    run_for(3000);
    EXPECT_EQ(vt->lines_with("from 128"), 0);
}

TEST_F(Kx4_vt_link, a_pool_file_that_cannot_be_written_is_said_once_and_the_pool_still_goes_up)
{
    // A file where the data folder should be.
    std::filesystem::create_directories(folder.path() + "var/data/kx4");
    write_bytes(folder.path() + "var/data/kx4/data", {1});
    create();
    ASSERT_TRUE(link->is_ready());
    EXPECT_EQ(count_of(debug.text(), "Could not write the object pool"), 1u) << debug.text();
    const std::vector<uint8_t> image = link->get_pool().serialise();
    ASSERT_TRUE(run_until_shown()) << debug.text();
    expect_same_objects(vt->last_pool(), image);
}

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

// The parameter file of a kx4 that takes any VT at once; more settings by the caller.
void store_vt_parameters(const Temp_folder& root, bool non_vt_display = false)
{
    NV_quvel::parameters_t stored;
    stored.system.terminal_timeout.set(0);
    stored.system.non_vtt_connected.set(non_vt_display);
    Parameter_file file(stored, root.path() + "var/data/kx4/cache/");
    ASSERT_TRUE(file.create_folder());
    ASSERT_TRUE(file.save());
}

Spawned_process start_kx4(const Temp_folder& root, const Hub_process& hub)
{
    return Spawned_process({KX4_PROGRAM, "-T", "--bus=" + hub.isobus(), "--abus=" + hub.abus()},
                           {"KX4_ROOT=" + root.path()}, Spawned_process::Input::fed);
}

// The operating screen's mask in the pool kx4 builds.
uint16_t main_mask_id()
{
    auto ids = std::make_unique<Seeder_pool_ids>();
    VtWriter writer(seeder_pool_writer_size, nullptr);
    EXPECT_TRUE(build_seeder_pool(*ids, writer, VtSize(240, 240)));
    return ids->main.mask;
}

uint64_t fake_vt_name()
{
    ZEV_name::NAME name;
    set_fake_server_name(name, 29, 2001, 1);
    return Binary_message::get_uint64_be(name.get_bytes());
}

TEST(Kx4_vt, kx4_uploads_its_pool_to_the_fake_vt_shows_its_screens_and_sees_the_vt_go)
{
    Temp_folder root;
    store_vt_parameters(root);
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    const std::string dump = root.path() + "received.iop";
    Spawned_process vt({FAKE_VT_SERVER_PROGRAM, hub.isobus(), "--dump", dump}, {}, Spawned_process::Input::fed);
    ASSERT_TRUE(vt.wait_for_output("fake_vt_server: Virtual Terminal at", timeout_ms)) << vt.output();
    {
        Spawned_process kx4 = start_kx4(root, hub);
        ASSERT_TRUE(vt.wait_for_output("working set 144 active", timeout_ms)) << vt.output() << kx4.output();
        const std::string heard = vt.output();
        for (const char* step : {"working-set master at 144 with 1 member(s)", "maintenance from 144, initiating",
                                 "memory request from 144", "soft key request from 144", "font request from 144",
                                 "hardware request from 144", "versions request from 144: 0 kept",
                                 "pool transfer from 144"})
            EXPECT_NE(heard.find(step), std::string::npos) << step << "\n" << heard;
        EXPECT_NE(wait_for_line(vt, {"end of pool from 144", ", 0 error(s)"}, timeout_ms), "") << heard;
        // The intro mask first, then the operating screen once the pool is up.
        const std::string main_mask = std::to_string(main_mask_id());
        ASSERT_TRUE(vt.wait_for_output("active mask " + main_mask + "\n", timeout_ms)) << vt.output();
        const std::string shown = vt.output();
        EXPECT_LT(shown.find("active mask 1235\n"), shown.find("active mask " + main_mask + "\n")) << shown;

        // The pool as the fake received it, read by the independent checker.
        const std::vector<uint8_t> received = read_bytes(dump);
        const Iop_check check(received);
        EXPECT_TRUE(check.sound()) << check.errors().size() << " error(s), the first: "
                                   << (check.sound() ? "" : check.errors()[0].text);
        EXPECT_EQ(check.count(working_set_type), 1u);
        EXPECT_EQ(check.working_set(), 1230);
        EXPECT_EQ(check.count(alarm_mask_type), 63u);
        size_t built_masks = 0;
        for (const auto& [id, object] : check.objects())
            built_masks += id >= first_built_id && object.type == data_mask_type;
        EXPECT_EQ(built_masks, 47u);
        expect_same_objects(received, read_bytes(root.path() + "var/data/kx4/data/object_pool.iop"));

        EXPECT_TRUE(wait_for_answer(kx4, "get data_store.system.vt_uploaded", "vt_uploaded = 1;")) << kx4.output();
        EXPECT_TRUE(wait_for_answer(kx4, "get data_store.system.vt_alive", "vt_alive = 1;")) << kx4.output();
        // Kept alive: a maintenance message a second.
        const size_t kept = count_of(vt.output(), "maintenance from 144");
        EXPECT_TRUE(wait_for_count(vt, "maintenance from 144", kept + 3, timeout_ms)) << vt.output();


        const auto stopped = std::chrono::steady_clock::now();
        EXPECT_EQ(vt.stop(SIGTERM, timeout_ms), 0) << vt.output();
        EXPECT_TRUE(wait_for_answer(kx4, "get data_store.system.vt_alive", "vt_alive = 0;")) << kx4.output();
        // 3500 ms after the last status, which came at most 1 s before the
        // stop; and some slack for a loaded machine.
        EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::milliseconds(5000 + 4000));
        // Without its VT kx4 runs on.
        EXPECT_TRUE(wait_for_answer(kx4, "get data_store.system.vt_uploaded", "vt_uploaded = 1;")) << kx4.output();

        kx4.send_signal(SIGTERM);
        EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
        EXPECT_NE(kx4.output().find("Shutdown code: 1\n"), std::string::npos);
        EXPECT_NE(kx4.output().find("Shutting down - notify VT\n"), std::string::npos) << kx4.output();
        // The screens and the interface go without a fault.
        for (const char* fault : {"AddressSanitizer", "runtime error", "BUG"})
            EXPECT_EQ(kx4.output().find(fault), std::string::npos) << fault << "\n" << kx4.output();
    }

    // The VT that took the pool is the one kx4 prefers from now on.
    Spawned_process kx4 = start_kx4(root, hub);
    EXPECT_TRUE(wait_for_answer(kx4, "get params.system.specific_vt_name",
                                "specific_vt_name = " + std::to_string(fake_vt_name())))
        << kx4.output();
    ASSERT_TRUE(kx4.write_input("shutdown\n"));
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
}

TEST(Kx4_vt, with_the_non_vt_display_kx4_makes_no_pool_and_no_vt_client)
{
    Temp_folder root;
    store_vt_parameters(root, true);
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    Spawned_process vt({FAKE_VT_SERVER_PROGRAM, hub.isobus()});
    ASSERT_TRUE(vt.wait_for_output("fake_vt_server: Virtual Terminal at", timeout_ms)) << vt.output();
    Spawned_process kx4 = start_kx4(root, hub);
    ASSERT_TRUE(kx4.wait_for_output("Looking for Solvane...", timeout_ms)) << kx4.output();
    ASSERT_TRUE(kx4.write_input("set data_store.system.non_vtt_connected=1\n"));
    ASSERT_TRUE(kx4.wait_for_output("Starting in Solvane Mode", timeout_ms)) << kx4.output();
    // Made after the pool would have been.
    ASSERT_TRUE(kx4.wait_for_output("**** TC POOL enabled", timeout_ms)) << kx4.output();
    ASSERT_TRUE(kx4.write_input("shutdown\n"));
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    EXPECT_EQ(kx4.output().find("Shutting down - notify VT"), std::string::npos) << kx4.output();
    EXPECT_FALSE(exists(root.path() + "var/data/kx4/data/object_pool.iop"));
    EXPECT_EQ(vt.stop(SIGTERM, timeout_ms), 0);
    EXPECT_EQ(vt.output().find("from 144"), std::string::npos) << vt.output();
}

}
