#include "orrvan_comms/private/include/Ecu.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"
#include "tests/orrvan_comms/Debug_channel_on.h"
#include "tests/orrvan_comms/Fake_slave_link.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

using namespace Next_gen;

namespace {

constexpr uint64_t slave_name = 0x5004;
constexpr Ecu_version_info rq73_version{4, 1, 0, 2, 10, 3};

std::vector<std::string> without(std::vector<std::string> written, const std::string& dropped)
{
    written.erase(std::remove(written.begin(), written.end(), dropped), written.end());
    return written;
}

long count(const std::vector<std::string>& written, const std::string& text)
{
    return std::count(written.begin(), written.end(), text);
}

uint32_t float_bits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// One ECU on a scripted slave that reports its mode every 5 ticks.
struct Ecu_fixture : ::testing::Test {
    explicit Ecu_fixture(Ecu_version_info slave_version = rq73_version, Ecu_version_info ecu_version = rq73_version,
                         bool version_fixed = false)
        : link(slave_version), ecu(&link, slave_name, ecu_version, version_fixed)
    {
        ecu.initialise();
        ecu.get_status().register_observer(status_observer);
    }

    void run(unsigned ticks)
    {
        for (unsigned i = 0; i < ticks; ++i) {
            if (++m_ticks % 5 == 0)
                link.report();
            ecu.tick();
        }
    }
    // Runs until the status observers hear of the value; false after max_ticks.
    bool run_until_status(Ecu_status value, unsigned max_ticks = 200)
    {
        for (unsigned i = 0; i < max_ticks; ++i) {
            if (!statuses.empty() && statuses.back() == value)
                return true;
            run(1);
        }
        return false;
    }
    Ecu_pin_digital_input_iface& master_switch()
    {
        return ecu.get_connector(2).get_pin_digital_input(1, "DIG Input 1");
    }

    // What was written, without the heartbeats and the first output word,
    // whose times depend on the tick count alone.
    std::vector<std::string> handshake_and_queue(std::vector<std::string> written) const
    {
        return without(without(std::move(written), Fake_slave_link::heartbeat()), link.outputs(0x3FFFF));
    }

    Fake_slave_link link;
    Ecu ecu;
    std::vector<Ecu_status> statuses;
    Observable_iface<Ecu_iface, Ecu_status>::Observer status_observer =
        std::make_shared<std::function<void(const Ecu_iface&, const Ecu_status&)>>(
            [this](const Ecu_iface&, const Ecu_status& status) { statuses.push_back(status); });

private:
    unsigned m_ticks = 0;
};

TEST_F(Ecu_fixture, a_full_handshake_runs_the_slave_and_then_sends_the_queue_one_message_a_tick)
{
    master_switch().set_active_high(false);
    master_switch().get_value_observer().set_on_time_update_interval(200);

    testing::internal::CaptureStdout();
    const bool running = run_until_status(1);
    const std::string trace = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(running);
    EXPECT_EQ(trace, "TEcu::5004 SlaveState 0->2\n" // the version answer came before state 1 was entered
                     "TEcu::5004 SlaveState 2->3\n"
                     "TEcu::5004 SlaveState 3->4\n"
                     "TEcu::5004 SlaveState 4->5\n"
                     "TEcu::5004 SlaveState 5->6\n"
                     "TEcu::5004 SlaveState 6->7\n"
                     "TEcu::5004 SlaveState 7->8\n"
                     "TEcu::5004 SlaveState 8->9\n");
    EXPECT_EQ(statuses, (std::vector<Ecu_status>{0, 1}));
    EXPECT_EQ(ecu.get_firmware_version(), "2.10.3");
    EXPECT_EQ(ecu.get_hardware_description(), "RQ-73");

    // Connector 2, pin 1 is input bit 10: its polarity field is bits 20-21.
    const std::string polarity = link.polarity(0xFFCFFFFF);
    EXPECT_EQ(handshake_and_queue(link.take_written()),
              (std::vector<std::string>{link.clear_error_comms(), "version?", Fake_slave_link::configuration(3),
                                        Fake_slave_link::configuration(1), Fake_slave_link::configuration(2),
                                        polarity}))
        << "the queue starts to move in the tick in which the status is delivered";
    for (const std::string& queued : {link.input_interval(200), polarity}) {
        run(1);
        EXPECT_EQ(handshake_and_queue(link.take_written()), std::vector<std::string>{queued});
    }
    run(1);
    EXPECT_TRUE(handshake_and_queue(link.take_written()).empty());
}

// The slave never answers: after 200 silent ticks the link counts as lost,
// and from then on each wait for an answer lasts 200 ticks.
TEST_F(Ecu_fixture, a_slave_that_never_answers_is_asked_again_every_two_seconds)
{
    link.set_silent(true);
    const std::vector<std::pair<unsigned, std::string>> steps{
        {199, "TEcu::5004 SlaveState 0->1\n"}, // the request went out in tick 1
        {1, "TEcu::5004 SlaveState 1->0\n"},   // 200 ticks without a message
        {1, "TEcu::5004 SlaveState 0->1\n"},
        {199, ""},
        {1, "TEcu::5004 SlaveState 1->0\n"}, // 200 ticks in state 1
        {1, "TEcu::5004 SlaveState 0->1\n"},
    };
    for (const auto& step : steps) {
        testing::internal::CaptureStdout();
        run(step.first);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), step.second);
    }
    EXPECT_EQ(count(link.take_written(), "version?"), 3);
    EXPECT_EQ(statuses, std::vector<Ecu_status>{0});
}

TEST_F(Ecu_fixture, losing_the_slave_drops_the_status_and_a_returning_one_brings_it_back)
{
    testing::internal::CaptureStdout();
    const bool running = run_until_status(1);
    link.set_silent(true);
    link.take_written();
    const std::vector<Ecu_status> before = statuses;
    run(190); // it last spoke at most 5 ticks before

    const std::vector<Ecu_status> after_190 = statuses;
    const bool lost = run_until_status(0, 20);
    link.set_silent(false);
    const bool back = run_until_status(1);
    const std::string trace = testing::internal::GetCapturedStdout();

    ASSERT_TRUE(running);
    EXPECT_EQ(after_190, before) << "still running 190 ticks after the slave fell silent";
    EXPECT_TRUE(lost);
    EXPECT_TRUE(back);
    EXPECT_EQ(statuses, (std::vector<Ecu_status>{0, 1, 0, 1}));
    EXPECT_NE(trace.find("SlaveState 9->0\n"), std::string::npos);
    EXPECT_EQ(count(link.take_written(), Fake_slave_link::configuration(3)), 1) << "the handshake ran again";
}

// Queued requests wait while the link cannot take them, also once the slave
// runs: the program's input interval must not be lost to a closed link.
TEST_F(Ecu_fixture, a_queued_request_the_link_does_not_take_waits_for_the_next_tick)
{
    ASSERT_TRUE(run_until_status(1));
    run(60);
    link.take_written();
    master_switch().get_value_observer().set_on_time_update_interval(200);
    link.close();
    run(3);
    link.open();
    run(1);
    EXPECT_EQ(without(link.take_written(), Fake_slave_link::heartbeat()),
              std::vector<std::string>{link.input_interval(200)});
}

TEST_F(Ecu_fixture, a_closed_link_has_the_version_request_tried_again_every_tick)
{
    link.close();
    testing::internal::CaptureStdout();
    run(10);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(link.write_attempts(), 20) << "the comms reset and the version request, each tick";
    link.open();
    testing::internal::CaptureStdout();
    run(2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "TEcu::5004 SlaveState 0->2\n");
}

struct Early_model : Ecu_fixture, ::testing::WithParamInterface<uint8_t> {
    Early_model() : Ecu_fixture({GetParam()}, {GetParam()}) {}
};

// Such a slave never runs, so its inputs read inactive, whatever it reports.
TEST_P(Early_model, runs_no_handshake_but_keeps_its_heartbeat_and_reads_the_slave)
{
    Ecu_pin_digital_input_iface& input = ecu.get_connector(0).get_pin_digital_input(3, "in");
    Ecu_pin_analogue_iface& probe = ecu.get_connector(0).get_pin_analogue_input(7, "probe queued for ever");
    link.receive(link.table().get_eid_discreet_inputs(), 0, 1u << ecu.get_digital_input_bit(0, 3));
    link.receive(link.table().get_eid_block_probe(), 0, float_bits(6.25f));

    testing::internal::CaptureStdout();
    run(100);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(link.take_written(), std::vector<std::string>(2, Fake_slave_link::heartbeat()));
    EXPECT_EQ(probe.get_value(), 6.25f);
    EXPECT_FALSE(input.get_value());
    EXPECT_EQ(statuses, std::vector<Ecu_status>{0});
}

TEST_P(Early_model, is_never_asked_for_its_version)
{
    run(2000);
    EXPECT_EQ(count(link.take_written(), "version?"), 0) << "the version poll is for a running slave only";
}

INSTANTIATE_TEST_SUITE_P(Types_1_to_3, Early_model, ::testing::Values(1, 2, 3));

TEST_F(Ecu_fixture, an_output_word_the_slave_does_not_confirm_is_sent_again_every_50_ticks)
{
    link.set_confirm_outputs(false);
    ASSERT_TRUE(run_until_status(1));
    do
        run(1);
    while (count(link.take_written(), Fake_slave_link::heartbeat()) == 0);

    // Output 0 of connector 0 is bits 0-1; the others stay "not used".
    ecu.get_connector(0).get_pin_digital_output(0, "out").set_value(Digital_output_value::high);
    run(151);
    EXPECT_EQ(count(link.take_written(), link.outputs(0x3FFFD)), 4) << "once when set, then every 50 ticks";
    link.set_confirm_outputs(true);
    run(50);
    EXPECT_EQ(count(link.take_written(), link.outputs(0x3FFFD)), 1);
    run(100);
    EXPECT_EQ(count(link.take_written(), link.outputs(0x3FFFD)), 0);
}

// Until the slave runs, the word waits in the queue once: the 50-tick
// synchronisation is for a running slave only.
TEST_F(Ecu_fixture, an_output_word_set_before_the_slave_runs_is_queued_once)
{
    link.set_silent(true);
    link.set_confirm_outputs(false);
    ecu.get_connector(0).get_pin_digital_output(0, "out").set_value(Digital_output_value::high);
    run(500);
    link.set_silent(false);
    ASSERT_TRUE(run_until_status(1, 500));
    run(20);
    EXPECT_LE(count(link.take_written(), link.outputs(0x3FFFD)), 2)
        << "the word queued when set, and at most one synchronisation since the slave runs";
}

TEST_F(Ecu_fixture, a_running_slave_is_asked_for_its_version_every_1000_ticks)
{
    ASSERT_TRUE(run_until_status(1));
    link.take_written();
    std::vector<unsigned> asked_at;
    for (unsigned tick = 1; tick <= 2100; ++tick) {
        run(1);
        if (count(link.take_written(), "version?") != 0)
            asked_at.push_back(tick);
    }
    ASSERT_EQ(asked_at.size(), 2u);
    EXPECT_EQ(asked_at[1] - asked_at[0], 1000u);
}

struct Version_case {
    bool fixed;
    const char* firmware;
    const char* hardware;
};

struct Version_response : ::testing::TestWithParam<Version_case> {};

// The answer arrives while the ECU waits in state 1.
TEST_P(Version_response, updates_the_version_unless_it_is_fixed_and_moves_the_handshake_on)
{
    Fake_slave_link link;
    link.set_silent(true);
    Ecu ecu(&link, slave_name, {5, 0, 0, 1, 2, 3}, GetParam().fixed);
    testing::internal::CaptureStdout();
    ecu.tick();
    ecu.tick();
    link.receive_raw(PGN_PROPRIETARY_A, {0xFE, 0x00, 4, 1, 0, 2, 10, 3});
    ecu.tick();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "TEcu::5004 SlaveState 0->1\n"
              "TEcu::5004 SlaveState 1->2\n");
    EXPECT_EQ(ecu.get_firmware_version(), GetParam().firmware);
    EXPECT_EQ(ecu.get_hardware_description(), GetParam().hardware);
}

INSTANTIATE_TEST_SUITE_P(Fixed_or_not, Version_response,
                         ::testing::Values(Version_case{false, "2.10.3", "RQ-73"},
                                           Version_case{true, "1.2.3", "DV-18"}));

TEST_F(Ecu_fixture, discrete_input_masks_reach_every_digital_input_pin)
{
    Ecu_pin_digital_input_iface& master = master_switch();
    Ecu_pin_digital_input_iface& other = ecu.get_connector(1).get_pin_digital_input(9, "in");
    ecu.get_connector(0).get_pin_analogue_input(7, "not a digital input");
    const unsigned eid = link.table().get_eid_discreet_inputs();
    ASSERT_TRUE(run_until_status(1));
    link.set_silent(true);

    link.receive(eid, 0, 1u << 10);
    run(1);
    EXPECT_TRUE(master.get_value());
    EXPECT_FALSE(other.get_value());
    link.receive(eid, 0, 1u << 9);
    run(1);
    EXPECT_FALSE(master.get_value());
    EXPECT_TRUE(other.get_value());
    link.receive(eid, 5, 0xFFFFFFFF);
    run(1);
    EXPECT_FALSE(master.get_value()) << "another data ID carries no mask";
}

TEST_F(Ecu_fixture, a_probe_value_reaches_its_pin_through_the_input_index)
{
    Ecu_pin_analogue_iface& pin = ecu.get_connector(0).get_pin_analogue_input(7, "pressure");
    link.set_silent(true);
    link.receive(link.table().get_eid_block_probe(), 0, float_bits(3.5f));
    run(1);
    EXPECT_EQ(pin.get_value(), 3.5f);
}

struct Connector_count_case {
    uint8_t type;
    unsigned count;
};

struct Connector_count : ::testing::TestWithParam<Connector_count_case> {};

TEST_P(Connector_count, depends_on_the_model_and_grows_with_each_initialise)
{
    Ecu ecu(nullptr, slave_name, {GetParam().type}, false);
    const unsigned n = GetParam().count;
    ecu.initialise();
    ASSERT_EQ(ecu.get_connectors().size(), n);
    EXPECT_EQ(ecu.get_connector(0).get_name(), "Chan 1");
    EXPECT_EQ(ecu.get_connector(n - 1).get_name(), QString("Chan %1").arg(n));
    EXPECT_FALSE(ecu.get_connector(n).is_valid());
    ecu.initialise();
    ASSERT_EQ(ecu.get_connectors().size(), 2 * n);
    EXPECT_EQ(ecu.get_connector(n).get_index(), n);
    EXPECT_EQ(ecu.get_connector(n).get_name(), "Chan 1");
}

INSTANTIATE_TEST_SUITE_P(Models, Connector_count,
                         ::testing::Values(Connector_count_case{4, 3}, Connector_count_case{1, 6},
                                           Connector_count_case{5, 6}, Connector_count_case{0, 6}));

TEST_F(Ecu_fixture, an_input_set_active_low_can_be_set_active_high_again)
{
    master_switch().set_active_high(false);
    master_switch().set_active_high(true);
    ASSERT_TRUE(run_until_status(1));
    run(3);
    const std::vector<std::string> written = handshake_and_queue(link.take_written());
    ASSERT_GE(written.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(written.end() - 3, written.end()),
              (std::vector<std::string>{link.polarity(0xFFCFFFFF), link.polarity(0xFFDFFFFF),
                                        link.polarity(0xFFDFFFFF)}));
}

struct Unknown_model : Ecu_fixture {
    Unknown_model() : Ecu_fixture({9, 0, 0, 3, 0, 1}, {4}) {}
};

// A model beyond the known ones still has element IDs to use.
TEST_F(Unknown_model, reported_by_the_slave_is_run_with_the_newest_table)
{
    ASSERT_TRUE(run_until_status(1));
    EXPECT_EQ(ecu.get_ecu_type(), 9u);
    EXPECT_EQ(ecu.get_hardware_description(), "Unknown (9)");
    EXPECT_EQ(ecu.get_adc_eid(0, 7), 24u);
}

TEST(Ecu, each_ecu_counts_its_own_ticks_for_its_heartbeat)
{
    Fake_slave_link first_link;
    Fake_slave_link second_link;
    Ecu first(&first_link, 1, {1}, false);
    Ecu second(&second_link, 2, {1}, false);
    for (int i = 0; i < 100; ++i) {
        first.tick();
        second.tick();
    }
    EXPECT_EQ(count(first_link.take_written(), Fake_slave_link::heartbeat()), 2);
    EXPECT_EQ(count(second_link.take_written(), Fake_slave_link::heartbeat()), 2);
}

TEST(Ecu, fault_status_changes_reach_their_observers_on_the_next_tick)
{
    Ecu ecu(nullptr, slave_name, {4}, false);
    EXPECT_EQ(ecu.add_fault_category("Power", 7), 0);
    ecu.add_fault(0, "Low supply", 70);
    ecu.add_fault(1, "no such category", 71);
    ASSERT_EQ(ecu.get_all_supported_faults().size(), 1u);
    std::vector<bool> seen;
    ecu.get_all_supported_faults()[0].get().get_status().register_observer(
        std::make_shared<std::function<void(const Ecu_fault_iface&, const bool&)>>(
            [&](const Ecu_fault_iface&, const bool& active) { seen.push_back(active); }));
    ecu.tick();
    ecu.set_fault_status(70, true);
    ecu.tick();
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
    ecu.finalise();
    EXPECT_TRUE(ecu.get_all_supported_faults().empty());
}

TEST(Ecu, each_block_request_makes_a_new_block_that_the_ecu_holds_too)
{
    Ecu ecu(nullptr, slave_name, {4}, false);
    ecu.initialise();
    Ecu_pin_analogue_iface& pin = ecu.get_connector(0).get_pin_analogue_input(7, "a");
    std::weak_ptr<Ecu_input_pin_block_iface> held = ecu.get_pin_block(pin);
    EXPECT_FALSE(held.expired()) << "the controller holds it";
    EXPECT_EQ(&held.lock()->get_pin(), &pin);
    EXPECT_NE(ecu.get_prop_control_algorithm_block(), ecu.get_prop_control_algorithm_block());
    ecu.get_block_controller().clear();
    EXPECT_TRUE(held.expired());
}

TEST_F(Ecu_fixture, after_finalise_the_pins_a_client_still_holds_reach_nothing)
{
    Ecu_pin_analogue_iface& pin = ecu.get_connector(0).get_pin_analogue_input(7, "kept by the input map");
    ecu.finalise();
    EXPECT_TRUE(ecu.get_connectors().empty());
    EXPECT_FALSE(ecu.get_connector(0).is_valid());
    pin.get_value_observer().set_on_time_update_interval(100);
    ASSERT_TRUE(run_until_status(1));
    run(3);
    const std::vector<std::string> written = handshake_and_queue(link.take_written());
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(written.end() - 2, written.end()),
              (std::vector<std::string>{Fake_slave_link::process_data(3, 4071, 64, 24u << 16),
                                        link.polarity(0xFFFFFFFF)}))
        << "the probe queued before finalise, and no interval after it";
}

struct Junk_case {
    const char* kind;
    uint32_t pgn;
    std::vector<uint8_t> data;
    uint64_t sender;
};

void PrintTo(const Junk_case& junk, std::ostream* out) { *out << junk.kind; }

struct Junk : Ecu_fixture, ::testing::WithParamInterface<Junk_case> {};

// Whatever the slave link brings, even what the ECU cannot use, shows that
// the slave is there: one kind of junk alone keeps a running slave running.
TEST_P(Junk, is_dropped_but_shows_the_slave_is_there)
{
    ASSERT_TRUE(run_until_status(1));
    link.set_silent(true);
    for (unsigned i = 0; i < 300; ++i) {
        link.receive_raw(GetParam().pgn, GetParam().data, GetParam().sender);
        run(1);
    }
    EXPECT_EQ(statuses.back(), 1u);
    run(202);
    EXPECT_EQ(statuses.back(), 0u) << "lost once it stops";
}

INSTANTIATE_TEST_SUITE_P(
    One_kind_each, Junk,
    ::testing::Values(Junk_case{"unknown_pgn", 0xFECA, {1, 2, 3, 4, 5, 6, 7, 8}, 0},
                      Junk_case{"empty", PGN_PROCESS_DATA, {}, 0},
                      Junk_case{"short_process_data", PGN_PROCESS_DATA, {0x33, 0x00, 0x00}, 0},
                      Junk_case{"short_proprietary_a", PGN_PROPRIETARY_A, {0xFE}, 0},
                      Junk_case{"no_version_answer", PGN_PROPRIETARY_A, {0x12, 0x34, 0, 0, 0, 0, 0, 0}, 0},
                      Junk_case{"slave_control", PGN_PROCESS_DATA, {0x0E, 0xE0, 0, 0, 0, 0, 0, 0}, 0},
                      Junk_case{"unknown_element", PGN_PROCESS_DATA, {0xF3, 0x7F, 0, 0, 0, 0, 0, 0}, 0},
                      Junk_case{"unknown_data_id", PGN_PROCESS_DATA, {0x03, 0xFF, 7, 0, 0, 0, 0, 0}, 0},
                      Junk_case{"other_sender", PGN_PROCESS_DATA, {0x03, 0xFF, 6, 0, 0, 0, 0, 0}, 0x7777}),
    [](const ::testing::TestParamInfo<Junk_case>& info) { return std::string(info.param.kind); });

// The application creates pins and sets outputs while the task ticks.
TEST_F(Ecu_fixture, clients_may_create_pins_and_set_outputs_while_the_ecu_ticks)
{
    std::atomic<bool> done{false};
    std::thread task([&] {
        while (!done)
            run(1);
    });
    for (unsigned i = 0; i < 200; ++i) {
        Ecu_connector_iface& connector = ecu.get_connector(i % 3);
        connector.get_pin_digital_input(100 + i, "in").set_active_high(i % 2 == 0);
        connector.get_pin_digital_output(300 + i, "out").set_value(Digital_output_value::low);
        connector.get_pin_analogue_input(500 + i, "an").get_value_observer().set_on_time_update_interval(100);
    }
    done = true;
    task.join();
    size_t pins = 0;
    for (Ecu_connector_iface& connector : ecu.get_connectors())
        pins += connector.get_pins().size();
    EXPECT_EQ(pins, 600u);
}

// Setup mode and the configured state are only taken as reached when the
// slave's device information reports them: 1 in state 5, 2 in state 7.
TEST(Ecu, the_configuration_waits_for_the_slave_to_report_each_mode)
{
    Fake_slave_link link;
    link.set_silent(true);
    Ecu ecu(&link, slave_name, rq73_version, false);
    const unsigned device_info = link.table().get_eid_device_info();
    const struct {
        const char* sent; // "version" or "device info"
        uint32_t value;
        const char* trace;
    } steps[] = {
        {"version", 0, "TEcu::5004 SlaveState 1->2\nTEcu::5004 SlaveState 2->3\n"},
        {"device info", 0, "TEcu::5004 SlaveState 3->4\nTEcu::5004 SlaveState 4->5\n"},
        {"device info", 0, ""},
        {"device info", 2, ""},
        {"device info", 1, "TEcu::5004 SlaveState 5->6\nTEcu::5004 SlaveState 6->7\n"},
        {"device info", 0, ""},
        {"device info", 1, ""},
        {"device info", 2, "TEcu::5004 SlaveState 7->8\nTEcu::5004 SlaveState 8->9\n"},
    };
    testing::internal::CaptureStdout();
    ecu.tick();
    ecu.tick();
    ASSERT_EQ(testing::internal::GetCapturedStdout(), "TEcu::5004 SlaveState 0->1\n");
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.sent << " " << step.value);
        if (std::string(step.sent) == "version")
            link.receive_raw(PGN_PROPRIETARY_A, {0xFE, 0x00, 4, 1, 0, 2, 10, 3});
        else
            link.receive(device_info, 0, step.value);
        testing::internal::CaptureStdout();
        ecu.tick();
        ecu.tick();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), step.trace);
    }
}

// A slave that answers every request in the next tick: each answer counts for
// the state that waits for it, though that state is not entered yet.
TEST(Ecu, a_slave_that_answers_each_request_at_once_completes_the_handshake)
{
    Fake_slave_link link;
    link.set_answer_at_once(true);
    Ecu ecu(&link, slave_name, rq73_version, false);
    testing::internal::CaptureStdout();
    for (int i = 0; i < 7; ++i)
        ecu.tick();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "TEcu::5004 SlaveState 0->2\n"
                                                      "TEcu::5004 SlaveState 2->4\n"
                                                      "TEcu::5004 SlaveState 4->6\n"
                                                      "TEcu::5004 SlaveState 6->8\n"
                                                      "TEcu::5004 SlaveState 8->9\n");
    EXPECT_EQ(ecu.get_status().get_value(), 1u);
}

// Each answer arrives in the tick right after its request, before the state
// that waits for it is entered; a wrong one moves nothing.
TEST(Ecu, an_early_answer_is_checked_against_the_state_that_waits_for_it)
{
    Fake_slave_link link;
    link.set_silent(true);
    Ecu ecu(&link, slave_name, rq73_version, false);
    const unsigned device_info = link.table().get_eid_device_info();
    const struct {
        const char* sent; // "version", "device info" or "nothing"
        uint32_t value;
        const char* trace;
    } steps[] = {
        {"nothing", 0, ""},
        {"version", 0, "TEcu::5004 SlaveState 0->2\n"},
        {"device info", 2, "TEcu::5004 SlaveState 2->4\n"}, // state 3 takes any value
        {"device info", 2, "TEcu::5004 SlaveState 4->5\n"}, // state 5 waits for 1
        {"device info", 1, "TEcu::5004 SlaveState 5->6\n"},
        {"device info", 1, "TEcu::5004 SlaveState 6->7\n"}, // state 7 waits for 2
        {"device info", 2, "TEcu::5004 SlaveState 7->8\n"},
        {"nothing", 0, "TEcu::5004 SlaveState 8->9\n"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.sent << " " << step.value);
        if (std::string(step.sent) == "version")
            link.receive_raw(PGN_PROPRIETARY_A, {0xFE, 0x00, 4, 1, 0, 2, 10, 3});
        else if (std::string(step.sent) == "device info")
            link.receive(device_info, 0, step.value);
        testing::internal::CaptureStdout();
        ecu.tick();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), step.trace);
    }
}

struct Waiting_case {
    Slave_state state; // 1 or 3
    uint32_t value;
};

struct Any_device_info : ::testing::TestWithParam<Waiting_case> {};

// States 1 and 3 wait for device information of any value.
TEST_P(Any_device_info, moves_the_waiting_state_on)
{
    Fake_slave_link link;
    link.set_silent(true);
    Ecu ecu(&link, slave_name, rq73_version, false);
    testing::internal::CaptureStdout();
    ecu.tick();
    ecu.tick();
    if (GetParam().state == 3) {
        link.receive_raw(PGN_PROPRIETARY_A, {0xFE, 0x00, 4, 1, 0, 2, 10, 3});
        ecu.tick();
        ecu.tick();
    }
    testing::internal::GetCapturedStdout();
    link.receive(link.table().get_eid_device_info(), 0, GetParam().value);
    testing::internal::CaptureStdout();
    ecu.tick();
    const std::string trace = testing::internal::GetCapturedStdout();
    EXPECT_EQ(trace.substr(0, trace.find('\n') + 1), "TEcu::5004 SlaveState " + std::to_string(GetParam().state) +
                                                         "->" + std::to_string(GetParam().state + 1) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Values, Any_device_info,
                         ::testing::Values(Waiting_case{1, 0}, Waiting_case{1, 7}, Waiting_case{3, 0},
                                           Waiting_case{3, 1}, Waiting_case{3, 2}, Waiting_case{3, 0xFFFFFFFF}));

// The master switch must not stay on with the slave gone: until the slave
// runs, and from the moment it is lost, every digital input reads inactive.
TEST_F(Ecu_fixture, while_the_slave_does_not_run_its_digital_inputs_read_inactive)
{
    Ecu_pin_digital_input_iface& input = master_switch();
    input.get_value_observer().set_on_time_update_interval(200);
    std::vector<bool> reported;
    input.get_value_observer().register_observer(
        std::make_shared<std::function<void(const Ecu_pin_digital_input_iface&, const bool&)>>(
            [&](const Ecu_pin_digital_input_iface&, const bool& level) { reported.push_back(level); }));
    const unsigned eid = link.table().get_eid_discreet_inputs();

    link.receive(eid, 0, 1u << 10);
    run(1);
    EXPECT_FALSE(input.get_value()) << "not running yet";
    ASSERT_TRUE(run_until_status(1));
    link.receive(eid, 0, 1u << 10);
    run(21);
    EXPECT_TRUE(input.get_value());
    ASSERT_FALSE(reported.empty());
    EXPECT_TRUE(reported.back());

    link.set_silent(true);
    ASSERT_TRUE(run_until_status(0, 300));
    EXPECT_FALSE(input.get_value()) << "lost";
    run(20);
    EXPECT_FALSE(reported.back()) << "and the on-time report says so";
    link.receive(eid, 0, 1u << 10);
    run(1);
    EXPECT_FALSE(input.get_value()) << "the slave speaks again but runs no more yet";
}

struct Reported_early_model : Ecu_fixture, ::testing::WithParamInterface<uint8_t> {};

// A running slave that then reports a model of type 0 to 3 runs no new
// handshake, but silence still takes it out of the running state.
TEST_P(Reported_early_model, a_running_slave_is_still_lost_to_silence)
{
    Ecu_pin_digital_input_iface& input = master_switch();
    ASSERT_TRUE(run_until_status(1));
    link.set_silent(true);
    link.take_written();
    link.receive(link.table().get_eid_discreet_inputs(), 0, 1u << 10);
    link.receive_raw(PGN_PROPRIETARY_A, {0xFE, 0x00, GetParam(), 1, 0, 2, 10, 3});
    testing::internal::CaptureStdout();
    run(1);
    ASSERT_EQ(ecu.get_ecu_type(), GetParam());
    ASSERT_TRUE(input.get_value());
    const bool lost = run_until_status(0, 300);
    run(500);
    const std::string trace = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(lost);
    EXPECT_EQ(trace, "TEcu::5004 SlaveState 9->0\n");
    EXPECT_FALSE(input.get_value());
    EXPECT_EQ(count(link.take_written(), "version?"), 0) << "no new handshake for such a model";
}

INSTANTIATE_TEST_SUITE_P(Types_0_to_3, Reported_early_model, ::testing::Values(0, 1, 2, 3));

// A burst from the slave is handled in the tick it waits for, not one
// message a tick: the last of 5000 counts at once.
TEST_F(Ecu_fixture, every_waiting_message_is_handled_in_one_tick)
{
    Ecu_pin_digital_input_iface& input = master_switch();
    ASSERT_TRUE(run_until_status(1));
    link.set_silent(true);
    for (int i = 0; i < 4999; ++i)
        link.receive_raw(0xFECA, {});
    link.receive(link.table().get_eid_discreet_inputs(), 0, 1u << 10);
    run(1);
    EXPECT_EQ(link.get_available_message_count(), 0);
    EXPECT_TRUE(input.get_value());
}

// Requests wait for the running state in a bounded queue: what comes while
// it is full is refused, counted and said.
TEST(Ecu, a_full_send_queue_refuses_requests_and_counts_them)
{
    Fake_slave_link link;
    link.set_silent(true);
    Ecu ecu(&link, slave_name, rq73_version, false);
    Ecu_slave_message_iface& slave = ecu;
    for (unsigned i = 0; i < Ecu::tx_queue_limit; ++i)
        ASSERT_TRUE(slave.send_message_probe_time_interval(uint16_t(i), 100)) << i;
    Debug_channel_on channel;
    Debug_capture capture;
    EXPECT_FALSE(slave.send_message_probe_time_interval(999, 100));
    EXPECT_FALSE(slave.send_message_poll_digital_inputs());
    EXPECT_NE(capture.text().find("TEcu::5004 send queue full; 2 requests refused\n"), std::string::npos)
        << capture.text();

    link.set_silent(false);
    link.set_answer_at_once(true);
    testing::internal::CaptureStdout();
    for (unsigned i = 0; i < 100 + Ecu::tx_queue_limit; ++i)
        ecu.tick();
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(ecu.get_status().get_value(), 1u);
    const std::vector<std::string> written = link.take_written();
    EXPECT_EQ(std::count_if(written.begin(), written.end(),
                            [&](const std::string& w) { return w.rfind("4/", 0) == 0; }),
              long(Ecu::tx_queue_limit));
    EXPECT_EQ(count(written, Fake_slave_link::process_data(4, link.table().get_eid_block_probe(), 999, 100)), 0);
}

// The model the ECU was made with decides its connectors and whether it is
// a legacy one; the slave's answers change only its tables and description.
TEST(Ecu, its_connectors_and_legacy_flag_follow_the_model_it_was_made_with)
{
    const struct {
        uint8_t made_as;
        uint8_t reported;
        bool legacy;
        size_t connectors;
    } cases[] = {{1, 4, true, 6}, {4, 1, false, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "made as " << int(c.made_as) << ", reported " << int(c.reported));
        Fake_slave_link link;
        link.set_silent(true);
        Ecu ecu(&link, slave_name, {c.made_as}, false);
        link.receive_raw(PGN_PROPRIETARY_A, {0xFE, 0x00, c.reported, 1, 0, 2, 10, 3});
        testing::internal::CaptureStdout();
        ecu.tick();
        testing::internal::GetCapturedStdout();
        ASSERT_EQ(ecu.get_ecu_type(), c.reported);
        EXPECT_EQ(ecu.is_legacy(), c.legacy);
        ecu.initialise();
        EXPECT_EQ(ecu.get_connectors().size(), c.connectors);
    }
}

TEST(Ecu_invalid, is_one_shared_null_ecu_whose_connectors_and_pins_are_null_too)
{
    Ecu_iface& ecu = get_ecu_invalid();
    EXPECT_EQ(&get_ecu_invalid(), &ecu);
    EXPECT_FALSE(ecu.is_valid());
    EXPECT_EQ(ecu.get_iso_name(), 0xFFFFFFFFFFFFFFFFull);
    Ecu_connector_iface& connector = ecu.get_connector(0);
    EXPECT_EQ(&connector, &get_ecu_connector_invalid());
    EXPECT_EQ(connector.get_ecu(), &ecu);
    EXPECT_FALSE(connector.is_valid());
    EXPECT_EQ(&connector.get_pin(0), &get_ecu_pin_invalid_analogue());
    EXPECT_FALSE(connector.get_pin(0).is_valid());
    EXPECT_EQ(&static_cast<const Ecu_iface&>(ecu).get_connector(5), &get_ecu_connector_invalid());
}

TEST(Ecu_invalid, has_no_link_so_requests_sent_at_once_fail)
{
    auto& slave = dynamic_cast<Ecu_slave_message_iface&>(get_ecu_invalid());
    EXPECT_FALSE(slave.send_message_get_version());
    EXPECT_FALSE(slave.send_message_clear_config());
    EXPECT_FALSE(slave.send_message_setup_mode());
    EXPECT_FALSE(slave.send_message_configured());
    EXPECT_FALSE(slave.send_message_request_device_config());
    EXPECT_FALSE(slave.send_message_clear_error_comms());
}

}
