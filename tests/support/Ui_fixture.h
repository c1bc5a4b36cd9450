#pragma once
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/Working_set_member.h"
#include "platform/ui/Setup_config.h"
#include "platform/ui/User_interface.h"
#include "platform/ui/User_interface_iface.h"
#include "tests/platform/can/Zev_bench.h"
#include "tests/support/Fake_vt_server.h"
#include "tests/support/Store_probe.h"
#include "tests/support/Ui_test_pool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The application side of a user interface under test: it sets up what the
// test asks, keeps the VT's news and answers ui_enabled as told.
class Test_ui_iface : public UI::User_interface_iface {
public:
    explicit Test_ui_iface(NV_quvel::parameters_t& parameters)
        : parameters_(parameters)
    {
    }

    // Run by setup_screens with the pool and the configuration.
    std::function<void(VT::vtui_pool&, UI::Setup_config&)> on_setup;
    std::function<void()> on_register_listeners;
    bool enabled = true;

    bool setup_screens(VT::vtui_pool* pool, UI::Setup_config& config) override;
    void register_listeners() override;
    NV_quvel::parameters_t* get_parameters() override { return &parameters_; }
    bool ui_enabled() override { return enabled; }
    void handle_pool_uploaded(uint64_t vt_name) override { uploaded.push_back(vt_name); }
    void handle_terminal_alive(bool alive) override { alive_news.push_back(alive); }

    std::vector<uint64_t> uploaded;
    std::vector<bool> alive_news;

private:
    NV_quvel::parameters_t& parameters_;
};

// Screens on a user interface of their own: a fresh data store and parameter
// tree, a test pool, and the pool's VT client with the fake VT on the
// in-process bus. Everything runs on the test's thread against the manual
// clock: pump runs every task until none has anything left, advance moves
// the clock on. The operator's actions go through the fake VT as the VT
// sends them.
class Ui_fixture : public testing::Test {
protected:
    static constexpr uint8_t client_address = 0x80, vt_address = 0x26;

    Ui_fixture();
    ~Ui_fixture() override;

    // Sets the interface up with the iface's screens on the pool as made so
    // far, and has the fake VT show the pool: the home screen is up after it.
    void start();
    // Sets the interface up without a VT: no pool is shown, keys and values
    // come through the client's listener (inject).
    void start_without_vt();

    void pump();
    void advance(int ms);

    // A key or button pressed and released; held for a time (the VT repeats
    // the held code every 200 ms), then released; pressed and then aborted.
    void press(uint16_t id);
    void hold(uint16_t id, int ms);
    void press_and_abort(uint16_t id);
    // The VT's message with one activation code.
    void key_code(uint16_t id, uint8_t code);
    void enter_number(uint16_t id, uint32_t value);
    void pick(uint16_t list, uint8_t item);
    void enter_text(uint16_t id, const std::string& text);
    // What the VT client would hand the interface, straight to it.
    void inject(const VT::Pool_listener::Activation& activation);

    // The number of Change Active Mask commands the fake VT handled since
    // the last call.
    int take_mask_changes();

    Zev_bench bench; // the manual clock; made first, gone last
    module_man manager;
    Zev_bench::Node& client_node = bench.add_claimed_node(Known_names::get_seeder(1), client_address);
    Zev_bench::Node& vt_node = bench.add_node();
    Working_set_member member{Known_names::get_seeder(1)};
    std::unique_ptr<Data_store> store = std::make_unique<Data_store>(&manager, "1.0");
    std::unique_ptr<NV_quvel::parameters_t> parameters = std::make_unique<NV_quvel::parameters_t>(&manager, 0, "PS");
    std::unique_ptr<Ui_test_pool> pool = std::make_unique<Ui_test_pool>(&manager);
    std::unique_ptr<UI::User_interface> ui = std::make_unique<UI::User_interface>(&manager, *pool);
    Test_ui_iface iface{*parameters};
    // The fake VT's settings for start (its address is the fixture's).
    Fake_vt_server::Settings vt_settings;
    std::unique_ptr<Fake_vt_server> vt;

    CDS::Head& head() { return store->head; }
    data_store_body& body() { return store->body; }
    Screen_man& man() { return ui->get_screen_man(); }

private:
    void vt_line(const std::string& line);
    bool vt_started_ = false;
};
