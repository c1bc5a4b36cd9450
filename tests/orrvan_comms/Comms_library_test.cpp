// The shared library as the program uses it: only its exported entry points
// and public interfaces, against a simulated slave ECU on an in-process bus,
// on the real clock.
#include "orrvan_comms/include/Ecu_entry_points.h"
#include "platform/rtos/Debug_base.h"
#include "tests/support/Child_process.h"
#include "tests/support/Short_claims.h"
#include "tests/support/Simulated_slave_ecu.h"
#include "tests/support/Wait_until.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <dirent.h>
#include <fstream>
#include <mutex>

using namespace Next_gen;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int slave_identity = 5;
constexpr uint8_t slave_address = 0x22;
constexpr int timeout_ms = 15000;

// What an observer was called with, and when.
template <class I, class T>
class Recorder {
public:
    struct Call {
        Clock::time_point at;
        T value;
    };

    typename Observable_iface<I, T>::Observer observer()
    {
        return std::make_shared<std::function<void(const I&, const T&)>>([this](const I&, const T& value) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_calls.push_back({Clock::now(), value});
            m_called.notify_all();
        });
    }
    // Waits for a call with the value after the first `after` calls; its index, or -1.
    int wait_for(T value, size_t after = 0)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        int found = -1;
        m_called.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] {
            for (size_t i = after; i < m_calls.size(); ++i)
                if (m_calls[i].value == value)
                    return found = int(i), true;
            return false;
        });
        return found;
    }
    bool wait_for_calls(size_t count)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_called.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return m_calls.size() >= count; });
    }
    std::vector<Call> calls() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_called;
    std::vector<Call> m_calls;
};

// Whether a thread of this process carries the name.
bool has_thread(const std::string& name)
{
    DIR* tasks = opendir("/proc/self/task");
    bool found = false;
    while (dirent* entry = readdir(tasks)) {
        std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
        std::string thread_name;
        found = found || (std::getline(comm, thread_name) && thread_name == name);
    }
    closedir(tasks);
    return found;
}

long long ms_between(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

TEST(Comms_library, runs_the_programs_slave_ecu_road_against_a_simulated_slave)
{
    Short_claims short_claims;
    const std::string bus = "mem,name=comms_library";
    Simulated_slave_ecu slave(slave_identity, slave_address);
    ASSERT_TRUE(slave.start(bus));

    // As the program starts it.
    Ecu_comms_iface& link = get_default_comms_iface();
    Ecu_manager_iface& manager = get_ecu_manager();
    manager.initialise(link, bus, "5,4");
    link.open();
    manager.detect_ecus();
    EXPECT_EQ(manager.get_detect_status().get_value(), 1u);
    const std::vector<uint64_t> names = manager.get_iso_names();
    ASSERT_EQ(names, std::vector<uint64_t>{slave.get_name()});
    Ecu_iface& ecu = manager.get_ecu(names[0]);
    ASSERT_TRUE(ecu.is_valid());

    Recorder<Ecu_iface, Ecu_status> status;
    ecu.get_status().register_observer(status.observer());
    Ecu_pin_digital_input_iface& input = ecu.get_connector(2).get_pin_digital_input(1, "DIG Input 1");
    input.set_active_high(false);
    input.get_value_observer().set_on_time_update_interval(200);
    Recorder<Ecu_pin_digital_input_iface, bool> level;
    input.get_value_observer().register_observer(level.observer());

    // The handshake.
    ASSERT_GE(status.wait_for(1), 0) << "the slave never ran";
    EXPECT_EQ(ecu.get_firmware_version(), "2.10.3");
    EXPECT_EQ(ecu.get_hardware_description(), "RQ-73");
    EXPECT_TRUE(wait_until(
        [&] { return slave.seen().polarity == 0xFFCFFFFF && slave.seen().input_interval_ms == 200; }, timeout_ms))
        << "connector 2, pin 1 is input bit 10, active low";

    // The input follows the slave's mask, delivered every 200 ms.
    slave.set_input_mask(1u << 10);
    const int high = level.wait_for(true);
    ASSERT_GE(high, 0);
    ASSERT_TRUE(level.wait_for_calls(size_t(high) + 6));
    const auto calls = level.calls();
    for (size_t i = size_t(high) + 1; i < calls.size(); ++i)
        EXPECT_GE(ms_between(calls[i - 1].at, calls[i].at), 150) << "deliveries come at the interval, no sooner";
    EXPECT_LE(ms_between(calls[size_t(high)].at, calls.back().at), 6 * 1000) << "and keep coming";
    slave.set_input_mask(0);
    EXPECT_GE(level.wait_for(false, size_t(high)), 0);

    // A silent slave is lost after 200 ticks, and the input it reported on
    // with it; a returning one runs again.
    slave.set_input_mask(1u << 10);
    ASSERT_GE(level.wait_for(true, level.calls().size()), 0);
    const size_t before_silence = status.calls().size();
    const Clock::time_point silent_from = Clock::now();
    slave.set_silent(true);
    const int lost = status.wait_for(0, before_silence);
    ASSERT_GE(lost, 0) << "a silent slave was never lost";
    EXPECT_GE(ms_between(silent_from, status.calls()[size_t(lost)].at), 1500);
    const size_t reports_when_lost = level.calls().size();
    ASSERT_TRUE(level.wait_for_calls(reports_when_lost + 1));
    EXPECT_FALSE(level.calls()[reports_when_lost].value) << "the input stayed active with the slave gone";
    slave.set_silent(false);
    EXPECT_GE(status.wait_for(1, size_t(lost)), 0) << "the returning slave never ran again";
    EXPECT_GE(slave.seen().heartbeats, 1);

    // As the program ends it.
    EXPECT_TRUE(has_thread("vrm.EcuManager"));
    manager.finalise();
    EXPECT_FALSE(has_thread("vrm.EcuManager"));
    EXPECT_TRUE(manager.get_iso_names().empty());
    EXPECT_FALSE(manager.get_ecu(names[0]).is_valid());
}

// A process may end without finalise, and may take the manager before the
// link, as a test harness does with get_test_iface(). Its statics then go in
// the reverse order of their making: the manager must still end its task
// before the link that the task ticks goes.
TEST(Comms_library, a_process_ending_without_finalise_ends_the_managers_task_before_its_link)
{
    const Child_result child = run_in_child([] {
        Debug_base::set_filters("7a");
        Short_claims short_claims;
        const std::string bus = "mem,name=comms_library_exit";
        get_test_iface();
        Ecu_manager_iface& manager = get_ecu_manager();
        Ecu_comms_iface& link = get_default_comms_iface();
        manager.initialise(link, bus, "5,4");
        link.open();
        std::exit(0);
    });
    ASSERT_TRUE(child.exited && child.exit_status == 0) << child.output;
    const size_t manager_ended = child.output.find("Ecu_manager::diner_stop()\n");
    const size_t link_ended = child.output.find("TSlaveComms::diner_stop()\n");
    ASSERT_NE(manager_ended, std::string::npos) << child.output;
    ASSERT_NE(link_ended, std::string::npos) << child.output;
    EXPECT_LT(manager_ended, link_ended) << child.output;
}

}
