#include "orrvan_comms/private/include/Ecu_fault_list.h"
#include "tests/orrvan_comms/Debug_channel_on.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

using namespace Next_gen;

namespace {

constexpr uint64_t ecu_name = 0xa00082000a0005ULL;

using Status_observer = Observable_iface<Ecu_fault_iface, bool>::Observer;

struct Status_recorder {
    std::vector<std::pair<const Ecu_fault_iface*, bool>> seen;

    Status_observer observer()
    {
        return std::make_shared<std::function<void(const Ecu_fault_iface&, const bool&)>>(
            [this](const Ecu_fault_iface& fault, const bool& active) { seen.emplace_back(&fault, active); });
    }
};

TEST(Ecu_fault_list, categories_are_numbered_from_0_and_faults_keep_their_category_and_order)
{
    Ecu_fault_list list(ecu_name);
    EXPECT_EQ(list.add_fault_category("Power", 100), 0);
    EXPECT_EQ(list.add_fault_category("Sensors", 200), 1);
    list.add_fault(1, "Fan speed lost", 7);
    list.add_fault(0, "Supply low", 3);
    list.add_fault(1, "Fan speed lost", 7);

    auto faults = list.get_all_supported_faults();
    ASSERT_EQ(faults.size(), 3u);
    struct Expected {
        const char* name;
        unsigned id;
        const char* category;
        unsigned category_id;
    };
    const Expected expected[] = {
        {"Fan speed lost", 7, "Sensors", 200}, {"Supply low", 3, "Power", 100}, {"Fan speed lost", 7, "Sensors", 200}};
    for (size_t i = 0; i < faults.size(); ++i) {
        Ecu_fault_iface& fault = faults[i];
        EXPECT_EQ(fault.get_name(), expected[i].name);
        EXPECT_EQ(fault.get_id(), expected[i].id);
        EXPECT_EQ(fault.get_fault_category().get_name(), expected[i].category);
        EXPECT_EQ(fault.get_fault_category().get_id(), expected[i].category_id);
        EXPECT_FALSE(fault.get_status().get_value());
    }
    // Two faults of one category share the category object.
    EXPECT_EQ(&faults[0].get().get_fault_category(), &faults[2].get().get_fault_category());
}

TEST(Ecu_fault_list, a_category_index_that_names_no_category_adds_nothing_and_says_so)
{
    Debug_channel_on channel;
    Debug_capture capture;
    Ecu_fault_list list(ecu_name);
    list.add_fault_category("Power", 100);
    list.add_fault_category("Sensors", 200);

    list.add_fault(2, "Beyond the end", 1);
    list.add_fault(-1, "Negative", 2);
    EXPECT_TRUE(list.get_all_supported_faults().empty());
    EXPECT_EQ(capture.text(),
              "TEcu::a00082000a0005 add_fault(2, Beyond the end, 1): no such fault category\n"
              "TEcu::a00082000a0005 add_fault(-1, Negative, 2): no such fault category\n");

    Ecu_fault_list empty(ecu_name);
    empty.add_fault(0, "No categories", 3);
    EXPECT_TRUE(empty.get_all_supported_faults().empty());
}

TEST(Ecu_fault_list, status_changes_reach_observers_on_the_next_tick)
{
    Ecu_fault_list list(ecu_name);
    list.add_fault_category("Power", 100);
    list.add_fault(0, "Supply low", 3);
    list.add_fault(0, "Supply high", 4);
    auto faults = list.get_all_supported_faults();
    Status_recorder recorder;
    faults[0].get().get_status().register_observer(recorder.observer());
    faults[1].get().get_status().register_observer(recorder.observer());

    list.tick();
    const Ecu_fault_iface* low = &faults[0].get();
    const Ecu_fault_iface* high = &faults[1].get();
    EXPECT_EQ(recorder.seen, (decltype(recorder.seen){{low, false}, {high, false}}));

    recorder.seen.clear();
    list.set_fault_status(4, true);
    EXPECT_TRUE(recorder.seen.empty()) << "observers hear of a change only on a tick";
    EXPECT_TRUE(faults[1].get().get_status().get_value());
    list.tick();
    EXPECT_EQ(recorder.seen, (decltype(recorder.seen){{high, true}}));

    // Setting the status it already has delivers nothing.
    recorder.seen.clear();
    list.set_fault_status(4, true);
    list.tick();
    EXPECT_TRUE(recorder.seen.empty());
}

TEST(Ecu_fault_list, set_fault_status_changes_only_the_first_fault_of_that_id_and_ignores_unknown_ids)
{
    Debug_channel_on channel;
    Debug_capture capture;
    Ecu_fault_list list(ecu_name);
    list.add_fault_category("Power", 100);
    list.add_fault(0, "First", 5);
    list.add_fault(0, "Second", 5);

    list.set_fault_status(5, true);
    list.set_fault_status(6, true);
    auto faults = list.get_all_supported_faults();
    EXPECT_TRUE(faults[0].get().get_status().get_value());
    EXPECT_FALSE(faults[1].get().get_status().get_value());
    EXPECT_EQ(capture.text(), "");
}

TEST(Ecu_fault_list, clear_leaves_no_faults_and_no_categories)
{
    Ecu_fault_list list(ecu_name);
    list.add_fault_category("Power", 100);
    list.add_fault(0, "Supply low", 3);
    list.clear();
    EXPECT_TRUE(list.get_all_supported_faults().empty());
    // The categories went too: index 0 names nothing until a new one is added.
    list.add_fault(0, "Supply low", 3);
    EXPECT_TRUE(list.get_all_supported_faults().empty());
    EXPECT_EQ(list.add_fault_category("Sensors", 200), 0);
}

// Letting a fault's observer go runs the client's code, which may look at
// the list again, here from another thread.
TEST(Ecu_fault_list, clear_lets_the_faults_go_outside_its_lock)
{
    struct Looks_when_released {
        Looks_when_released(Ecu_fault_list& list, std::future<size_t>& look, bool& answered)
            : m_list(list), m_look(look), m_answered(answered)
        {
        }
        ~Looks_when_released()
        {
            m_look = std::async(std::launch::async, [&list = m_list] { return list.get_all_supported_faults().size(); });
            m_answered = m_look.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
        }
        Ecu_fault_list& m_list;
        std::future<size_t>& m_look; // outlives the release, so that a look still waiting cannot block it
        bool& m_answered;
    };
    Ecu_fault_list list(ecu_name);
    list.add_fault_category("Power", 100);
    list.add_fault(0, "Supply low", 3);
    std::future<size_t> look;
    bool answered = false;
    auto looks = std::make_shared<Looks_when_released>(list, look, answered);
    list.get_all_supported_faults()[0].get().get_status().register_observer(
        std::make_shared<std::function<void(const Ecu_fault_iface&, const bool&)>>(
            [looks](const Ecu_fault_iface&, const bool&) {}));
    looks.reset();

    list.clear();
    EXPECT_TRUE(answered);
    EXPECT_EQ(look.get(), 0u);
}

TEST(Ecu_fault_list, faults_declared_on_another_thread_while_the_list_ticks_are_safe)
{
    Ecu_fault_list list(ecu_name);
    list.add_fault_category("Power", 100);
    std::atomic<bool> done{false};
    std::thread declaring([&list, &done] {
        for (unsigned id = 0; id < 2000; ++id) {
            list.add_fault(0, "Fault", id);
            list.set_fault_status(id / 2, true);
        }
        done = true;
    });
    // Ticks for as long as the faults are being declared.
    while (!done)
        list.tick();
    declaring.join();
    EXPECT_EQ(list.get_all_supported_faults().size(), 2000u);
}

}
