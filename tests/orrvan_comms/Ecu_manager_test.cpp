#include "orrvan_comms/private/include/Ecu_manager.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"
#include "platform/can/Known_names.h"
#include "platform/rtos/Atime.h"
#include "tests/orrvan_comms/Allocation_count.h"
#include "tests/orrvan_comms/Fake_slave_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <numeric>

using namespace Next_gen;
using Tessaryn_slave_spi::Spi_port;

namespace {

constexpr Ecu_version_info spi_version{5, 1, 0, 2, 10, 3};
constexpr int spi_identity = 0x31234;

// The slave processor on the SPI link: it answers each request in the same
// transfer with a valid reply frame. Counts how often it was opened.
class Slave_processor_port : public Spi_port {
public:
    explicit Slave_processor_port(int& opened) : m_opened(opened) {}

    bool open(const char*) override { return ++m_opened, true; }
    bool write_mode(uint8_t) override { return true; }
    bool read_mode(uint8_t&) override { return true; }
    bool write_bits_per_word(uint8_t) override { return true; }
    bool read_bits_per_word(uint8_t&) override { return true; }
    bool write_max_speed_hz(uint32_t) override { return true; }
    bool read_max_speed_hz(uint32_t&) override { return true; }
    bool close() override { return true; }
    bool transfer(const void* tx, void* rx, unsigned length, uint32_t, uint8_t) override
    {
        const auto* request = static_cast<const uint16_t*>(tx);
        uint16_t reply[10] = {0x00A5};
        if (request[1] == 0x0F) {
            const uint16_t identity[] = {0x1F, 0x01, spi_identity & 0xFF, (spi_identity >> 8) & 0xFF,
                                         (spi_identity >> 16) & 0x1F};
            std::copy(std::begin(identity), std::end(identity), reply + 1);
        } else {
            const uint16_t version[] = {0xFE, 0x00, spi_version.ecu_type, spi_version.ecu_series,
                                        spi_version.ecu_firmware_type, spi_version.major, spi_version.minor,
                                        spi_version.patch};
            std::copy(std::begin(version), std::end(version), reply + 1);
        }
        reply[9] = uint16_t(std::accumulate(reply + 1, reply + 9, 0u) & 0xFF);
        std::memcpy(rx, reply, std::min<size_t>(length, sizeof reply));
        return true;
    }

private:
    int& m_opened;
};

// A manager on a scripted link whose SPI link reaches a scripted slave
// processor. The clock stands still, so the task never ticks: the test
// ticks by hand.
struct Manager_fixture : ::testing::Test {
    ~Manager_fixture() override { manager.finalise(); }

    uint64_t slave_name(uint8_t type) const { return Fake_slave_link::slave_name_of_type(type); }

    Manual_clock clock;
    int spi_opened = 0;
    Fake_slave_link link;
    Ecu_manager manager{[this] { return std::make_unique<Slave_processor_port>(spi_opened); }};
};

struct Override_case {
    const char* text;
    bool reads_spi;
    int identity;
    uint64_t name; // 1: the next-generation slave NAME with identity 5
    bool malformed;
};

struct Identity_override : Manager_fixture, ::testing::WithParamInterface<Override_case> {};

TEST_P(Identity_override, decides_the_identity_the_model_and_so_the_slave_name)
{
    const uint64_t nextgen_5 = Known_names::get_tessaryn_nextgen_slave(5).get_value();
    link.set_nodes({0x1234, nextgen_5});
    testing::internal::CaptureStderr();
    manager.initialise(link, "mem,name=x", GetParam().text);
    const std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_EQ(spi_opened, GetParam().reads_spi ? 1 : 0);
    EXPECT_EQ(link.slave_id(), GetParam().identity);
    EXPECT_EQ(link.bus(), "mem,name=x");
    const uint64_t name = GetParam().name == 1 ? nextgen_5 : GetParam().name;
    EXPECT_EQ(manager.get_iso_names(), std::vector<uint64_t>{name});
    EXPECT_TRUE(manager.get_ecu(name).is_valid());
    EXPECT_EQ(errors.find("bad identity override") != std::string::npos, GetParam().malformed) << errors;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Identity_override,
    ::testing::Values(Override_case{"", true, spi_identity, Fake_slave_link::slave_name_of_type(5), false},
                      Override_case{"5,4", false, 5, Fake_slave_link::slave_name_of_type(4), false},
                      Override_case{"5,0", false, 5, 1, false}, // found among the link's nodes
                      Override_case{"-1,4", true, spi_identity, Fake_slave_link::slave_name_of_type(5), false},
                      Override_case{"0,4", false, 0, 0, false}, // no model, and no node with identity 0
                      // Malformed: reported, then read as no override.
                      Override_case{"5", true, spi_identity, Fake_slave_link::slave_name_of_type(5), true},
                      Override_case{"5,x", true, spi_identity, Fake_slave_link::slave_name_of_type(5), true},
                      Override_case{" 5,4", true, spi_identity, Fake_slave_link::slave_name_of_type(5), true},
                      Override_case{"5,4,x", true, spi_identity, Fake_slave_link::slave_name_of_type(5), true},
                      Override_case{"99999999999,4", true, spi_identity, Fake_slave_link::slave_name_of_type(5),
                                    true}));

TEST_F(Manager_fixture, a_malformed_override_says_what_was_expected)
{
    testing::internal::CaptureStderr();
    manager.initialise(link, "bus", "five,four");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "orrvan_comms: bad identity override \"five,four\", expected \"<identity>,<type>\"; "
              "reading the slave processor instead\n");
}

TEST_F(Manager_fixture, a_detection_runs_1499_ticks_and_is_not_restarted_while_it_runs)
{
    manager.initialise(link, "bus", "5,4");
    Observable_iface<Ecu_manager_iface, Ecu_detect_status>& detecting = manager.get_detect_status();
    EXPECT_EQ(detecting.get_value(), 0u);
    manager.detect_ecus();
    EXPECT_EQ(detecting.get_value(), 1u);
    manager.tick(1000);
    manager.detect_ecus();
    manager.tick(498);
    EXPECT_EQ(detecting.get_value(), 1u);
    manager.tick(1);
    EXPECT_EQ(detecting.get_value(), 0u);
    manager.detect_ecus();
    manager.tick(1498);
    EXPECT_EQ(detecting.get_value(), 1u);
    manager.tick(1);
    EXPECT_EQ(detecting.get_value(), 0u);
}

TEST_F(Manager_fixture, name_0_finds_the_slave_and_unknown_names_the_null_ecu)
{
    manager.initialise(link, "bus", "5,4");
    EXPECT_EQ(&manager.get_ecu(0), &manager.get_ecu(slave_name(4)));
    EXPECT_TRUE(manager.get_ecu(0).is_valid());
    EXPECT_EQ(&manager.get_ecu(0x999), &get_ecu_invalid());
}

TEST_F(Manager_fixture, finalise_closes_the_link_ends_the_task_and_drops_every_ecu)
{
    manager.initialise(link, "bus", "5,4");
    EXPECT_TRUE(manager.is_running());
    EXPECT_STREQ(manager.get_name(), "EcuManager");
    manager.finalise();
    EXPECT_FALSE(manager.is_running());
    EXPECT_FALSE(link.is_open());
    EXPECT_TRUE(manager.get_iso_names().empty());
    EXPECT_EQ(&manager.get_ecu(0), &get_ecu_invalid());
    EXPECT_EQ(&manager.get_ecu(slave_name(4)), &get_ecu_invalid());
}

TEST_F(Manager_fixture, a_test_version_wins_over_the_slave_processor_and_over_the_slave)
{
    manager.set_spi_version({4, 0, 0, 9, 8, 7});
    manager.initialise(link, "bus", "");
    EXPECT_EQ(spi_opened, 1) << "the identity is still read";
    Ecu_iface& ecu = manager.get_ecu(slave_name(4));
    ASSERT_TRUE(ecu.is_valid());
    manager.tick(300); // the slave reports version 2.10.3 during the handshake
    EXPECT_EQ(ecu.get_status().get_value(), 1u);
    EXPECT_EQ(ecu.get_firmware_version(), "9.8.7");
}

TEST_F(Manager_fixture, a_second_initialise_starts_afresh)
{
    manager.initialise(link, "bus", "5,4");
    manager.add_ecu(0x77, {4}, false);
    manager.initialise(link, "bus", "6,5");
    EXPECT_EQ(link.times_initialised(), 2);
    EXPECT_EQ(manager.get_iso_names(), std::vector<uint64_t>{slave_name(5)});
    EXPECT_TRUE(manager.is_running());
}

// The ECUs a second initialise drops take their observers with them, and
// letting an observer go runs the client's code, which may ask the manager.
TEST_F(Manager_fixture, ecus_dropped_by_a_second_initialise_go_outside_the_managers_lock)
{
    struct Asks_when_released {
        Asks_when_released(Ecu_manager& manager, std::vector<uint64_t>& names, bool& released)
            : m_manager(manager), m_names(names), m_released(released)
        {
        }
        ~Asks_when_released()
        {
            m_names = m_manager.get_iso_names();
            m_released = true;
        }
        Ecu_manager& m_manager;
        std::vector<uint64_t>& m_names;
        bool& m_released;
    };
    manager.initialise(link, "bus", "5,4");
    std::vector<uint64_t> names{1};
    bool released = false;
    auto asks = std::make_shared<Asks_when_released>(manager, names, released);
    manager.get_ecu(0).get_status().register_observer(
        std::make_shared<std::function<void(const Ecu_iface&, const Ecu_status&)>>(
            [asks](const Ecu_iface&, const Ecu_status&) {}));
    asks.reset();

    manager.initialise(link, "bus", "6,5");
    EXPECT_TRUE(released);
    EXPECT_TRUE(names.empty()) << "the old ECU was already out of the map";
}

TEST_F(Manager_fixture, forced_pin_values_reach_the_pins_that_take_their_type)
{
    constexpr uint64_t name = 0x77;
    manager.add_ecu(name, {4}, false);
    Ecu_connector_iface& chan1 = manager.get_ecu(name).get_connector(0);
    Ecu_pin_analogue_iface& analogue = chan1.get_pin_analogue_input(7, "a");
    Ecu_pin_encoder_input_iface& encoder = chan1.get_pin_encoder_input(3, "e");
    Ecu_pin_digital_input_iface& input = manager.get_ecu(name).get_connector(2).get_pin_digital_input(1, "d");
    const auto status = Ecu_pin_value_status(1);

    manager.set_pin(name, 0, 7, status, 2.5f);
    manager.set_pin(name, 0, 3, status, 40u);
    manager.set_pin(name, 0, 3, status, 12.5f);
    manager.set_pin(name, 2, 1, status, true);
    EXPECT_EQ(analogue.get_value(), 2.5f);
    EXPECT_EQ(encoder.get_value_string(), "Period 12.5, Count 40");
    EXPECT_TRUE(input.get_value());
    EXPECT_EQ(analogue.get_status(), status);
    EXPECT_EQ(input.get_status(), status);

    manager.set_pin(name, 2, 1, Ecu_pin_value_status(2), 0.0f);
    EXPECT_TRUE(input.get_value()) << "a digital input takes no float";
    EXPECT_EQ(input.get_status(), Ecu_pin_value_status(2));
    manager.set_pin(name, 2, 9, status, false);
    manager.set_pin(name, 7, 1, status, false);
    manager.set_pin(0x78, 2, 1, status, false);
    EXPECT_TRUE(input.get_value()) << "no such pin, connector or ECU";
}

// As get_ecu does, set_pin takes NAME 0 for the slave ECU.
TEST_F(Manager_fixture, forced_pin_values_for_name_0_reach_the_slave_ecu)
{
    manager.initialise(link, "bus", "5,4");
    Ecu_connector_iface& chan1 = manager.get_ecu(slave_name(4)).get_connector(0);
    Ecu_pin_analogue_iface& analogue = chan1.get_pin_analogue_input(7, "a");
    Ecu_pin_encoder_input_iface& encoder = chan1.get_pin_encoder_input(3, "e");
    Ecu_pin_digital_input_iface& input = manager.get_ecu(slave_name(4)).get_connector(2).get_pin_digital_input(1, "d");
    const auto status = Ecu_pin_value_status(1);

    manager.set_pin(0, 0, 7, status, 2.5f);
    manager.set_pin(0, 0, 3, status, 40u);
    manager.set_pin(0, 2, 1, status, true);
    EXPECT_EQ(analogue.get_value(), 2.5f);
    EXPECT_EQ(encoder.get_value_string(), "Period 0, Count 40");
    EXPECT_TRUE(input.get_value());
    EXPECT_EQ(input.get_status(), status);
}

// The 10 ms tick of a running slave ECU with nothing to receive or send is
// the task's steady work: it must not go to the heap. The program's road:
// the master switch input, reported every 200 ms.
TEST_F(Manager_fixture, an_idle_tick_allocates_no_memory)
{
    manager.initialise(link, "bus", "5,4");
    Ecu_iface& ecu = manager.get_ecu(0);
    Ecu_pin_digital_input_iface& input = ecu.get_connector(2).get_pin_digital_input(1, "DIG Input 1");
    input.set_active_high(false);
    input.get_value_observer().set_on_time_update_interval(200);
    int reports = 0;
    input.get_value_observer().register_observer(
        std::make_shared<std::function<void(const Ecu_pin_digital_input_iface&, const bool&)>>(
            [&reports](const Ecu_pin_digital_input_iface&, const bool&) { ++reports; }));
    testing::internal::CaptureStdout();
    manager.tick(300);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(ecu.get_status().get_value(), 1u);
    link.set_silent(true);
    link.take_written();
    auto heartbeat_sent = [this] {
        const std::vector<std::string> written = link.take_written();
        return std::find(written.begin(), written.end(), Fake_slave_link::heartbeat()) != written.end();
    };
    do
        manager.tick(1);
    while (!heartbeat_sent());

    reports = 0;
    unsigned long allocations;
    {
        Allocation_count count;
        manager.tick(49);
        allocations = count.count();
    }
    EXPECT_EQ(allocations, 0u);
    EXPECT_GE(reports, 2) << "the input was reported meanwhile";
    EXPECT_EQ(link.take_written(), std::vector<std::string>()) << "nothing was sent";
}

TEST_F(Manager_fixture, test_operations_reach_the_ecu_of_their_name_and_ignore_others)
{
    constexpr uint64_t name = 0x77;
    manager.add_ecu(name, {4}, false);
    manager.add_connector(name, "Extra");
    EXPECT_EQ(manager.get_ecu(name).get_connector(3).get_name(), "Extra");
    EXPECT_EQ(manager.add_fault_category(name, "Power", 1), 0);
    manager.add_fault(name, 0, "Low supply", 10);
    manager.set_fault_status(name, 10, true);
    ASSERT_EQ(manager.get_ecu(name).get_all_supported_faults().size(), 1u);
    EXPECT_TRUE(manager.get_ecu(name).get_all_supported_faults()[0].get().get_status().get_value());

    EXPECT_EQ(manager.add_fault_category(0x78, "Power", 1), -1);
    manager.add_connector(0x78, "nowhere");
    manager.add_fault(0x78, 0, "nowhere", 10);
    manager.set_fault_status(0x78, 10, true);
    EXPECT_EQ(manager.get_iso_names(), std::vector<uint64_t>{name});
}

TEST_F(Manager_fixture, ticks_its_link_once_a_tick_once_it_has_one)
{
    manager.add_ecu(0x77, {4}, false);
    manager.tick(3);
    EXPECT_EQ(link.ticks(), 0) << "no link before initialise";
    manager.initialise(link, "bus", "5,4");
    manager.tick(3);
    EXPECT_EQ(link.ticks(), 3);
}

// Without a device the link takes its failure path and the manager goes on
// with no identity: its one ECU has NAME 0.
TEST(Ecu_manager, without_the_slave_processor_goes_on_with_no_identity)
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "kx4_no_spidev";
    std::filesystem::create_directories(root);
    ::setenv("KX4_ROOT", root.c_str(), 1);
    Manual_clock clock;
    Fake_slave_link link;
    Ecu_manager manager;
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    manager.initialise(link, "bus", "");
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string errors = testing::internal::GetCapturedStderr();
    ::unsetenv("KX4_ROOT");
    manager.finalise();

    EXPECT_NE(errors.find("can't open device: No such file or directory"), std::string::npos) << errors;
    EXPECT_NE(out.find("SPI data retrieval success=0\n"), std::string::npos) << out;
    EXPECT_EQ(link.slave_id(), -1);
}

// On the real clock: the task ticks the link and the ECU every 10 ms and
// calls the ECU's observers, while a test harness adds ECUs beside it.
TEST(Ecu_manager, its_task_runs_the_handshake_and_calls_observers_on_its_own)
{
    Fake_slave_link link;
    Ecu_manager manager{[] { return std::unique_ptr<Spi_port>(); }};
    manager.initialise(link, "bus", "5,4");
    std::promise<std::thread::id> running;
    manager.get_ecu(0).get_status().register_observer(
        std::make_shared<std::function<void(const Ecu_iface&, const Ecu_status&)>>(
            [&running](const Ecu_iface&, const Ecu_status& status) {
                if (status == 1)
                    running.set_value(std::this_thread::get_id());
            }));
    // After the slave in NAME order, so that it reads its messages first:
    // messages go to whichever ECU reads the link first.
    for (uint64_t name = 0x6000; name < 0x6050; ++name)
        manager.add_ecu(name, {1}, false);
    auto ran = running.get_future();
    ASSERT_EQ(ran.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    EXPECT_NE(ran.get(), std::this_thread::get_id());
    manager.finalise();
    EXPECT_FALSE(manager.is_running());
}

// A link whose first tick stays inside for a while, and notes whether
// another tick came in meanwhile.
class Overlap_probe_link : public Fake_slave_link {
public:
    void tick() override
    {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            const bool first = m_entered++ == 0;
            ++m_inside;
            m_overlapped = m_overlapped || m_inside > 1;
            m_changed.notify_all();
            if (first)
                m_changed.wait_for(lock, std::chrono::seconds(1), [this] { return m_inside > 1; });
            --m_inside;
        }
        Fake_slave_link::tick();
    }
    bool wait_for_first_tick()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(20), [this] { return m_entered > 0; });
    }
    bool overlapped() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_overlapped;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_entered = 0;
    int m_inside = 0;
    bool m_overlapped = false;
};

// A harness ticking by hand while the task runs must not tick the link and
// the ECUs at the same time as the task does.
TEST(Ecu_manager, manual_ticks_wait_for_the_tasks_tick)
{
    Overlap_probe_link link;
    Ecu_manager manager{[] { return std::unique_ptr<Spi_port>(); }};
    manager.initialise(link, "bus", "5,4");
    ASSERT_TRUE(link.wait_for_first_tick());
    manager.tick(1);
    manager.finalise();
    EXPECT_FALSE(link.overlapped());
}

}
