#pragma once
#include "platform/iso/VT_Pool_listener.h"
#include "platform/iso/VT_Upload_bar_progress.h"
#include "platform/iso/Working_set_member.h"
#include "tests/platform/can/Zev_bench.h"
#include "tests/support/Fake_vt_server.h"
#include "tests/support/Small_vt_pool.h"

#include <memory>
#include <mutex>
#include <vector>

// What the client told its listener, kept for the test (any thread).
class Recording_listener : public VT::Pool_listener {
public:
    void handle_activation(const Activation& activation) override;
    void handle_pool_uploaded(uint64_t vt_name) override;
    void handle_terminal_alive(bool alive) override;
    void handle_units_system(Units_system system) override;

    std::vector<Activation> activations() const;
    std::vector<uint64_t> uploaded() const;
    std::vector<bool> alive() const;
    std::vector<Units_system> units() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<Activation> activations_;
    std::vector<uint64_t> uploaded_;
    std::vector<bool> alive_;
    std::vector<Units_system> units_;
};

// The upload bar, with each value it showed kept.
class Recording_progress : public VT::Upload_bar_progress {
public:
    explicit Recording_progress(VT::Number_variable_obj* variable)
        : Upload_bar_progress(variable), variable_(variable)
    {
    }
    void report(size_t sent, size_t total) override;

    std::vector<uint32_t> shown;

private:
    VT::Number_variable_obj* variable_;
};

// A client pool (address 0x80) and a fake VT (0x26) on the in-process bus,
// run on the test's thread against the manual clock.
class Vt_client_bench : public testing::Test {
protected:
    static constexpr uint8_t client_address = 0x80, vt_address = 0x26, other_vt_address = 0x27;

    Vt_client_bench();
    ~Vt_client_bench() override;

    // The fake VT serving, the client given the bus; start also runs them
    // for 2 s, by which the small pool is shown.
    // A client given is reported to with the progress given.
    void create(const Fake_vt_server::Settings& settings = {}, uint16_t timeout_s = 0,
                ZEV_name::RAWNAME preferred = ZEV_name::RAWNAME::GLOBAL_NAME, VT::Object_pool* client = nullptr,
                VT::Upload_progress* client_progress = nullptr);
    void start(const Fake_vt_server::Settings& settings = {});
    // A second fake VT (0x27, identity 2), serving.
    void add_other_vt();
    // Moves the clock on in 5 ms steps, running every task after each.
    void run_for(int ms);
    void settle();
    // The client's own frames heard since recording began.
    std::vector<Can_frame> client_frames() const;
    // Runs a line of the fake's script and lets the answer come back.
    void script(const std::string& line);

    Zev_bench bench;
    module_man manager;
    Zev_bench::Node& client_node = bench.add_claimed_node(Known_names::get_seeder(1), client_address);
    Zev_bench::Node& vt_node = bench.add_node();
    Zev_bench::Node& other_vt_node = bench.add_node();
    Working_set_member member{Known_names::get_seeder(1)};
    std::unique_ptr<Small_vt_pool> pool;
    std::unique_ptr<Recording_progress> progress;
    VT::Object_pool* client = nullptr; // the small pool unless a test gives another
    Recording_listener listener;
    std::unique_ptr<Fake_vt_server> vt;
    std::unique_ptr<Fake_vt_server> other_vt;
};
