#include "platform/data/CDS_Head.h"
#include "tests/data_store/Store_fixture.h"
#include "tests/support/Child_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <future>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

// A head that notes, at each signal, the bytes the item holds at that moment.
class Observing_head : public CDS::Head {
public:
    using CDS::Head::Head;

    struct Signal {
        unsigned offset;
        unsigned size;
        std::vector<unsigned char> bytes_at_signal;
    };
    std::vector<Signal> seen;

    void event_signal(const void* item, const void* new_value, unsigned offset, unsigned size,
                      const CDS::Options* options) override
    {
        auto* bytes = static_cast<const unsigned char*>(item);
        seen.push_back({offset, size, std::vector<unsigned char>(bytes, bytes + size)});
        CDS::Head::event_signal(item, new_value, offset, size, options);
    }
};

struct Observed_store {
    module_man manager;
    std::unique_ptr<data_store_body> body = std::make_unique<data_store_body>(initial_data_store_body("v"));
    Observing_head head{&manager, body.get()};
    waiter_descriptor waiter;
};

template <class T>
std::vector<unsigned char> bytes_of(const T& value)
{
    auto* p = reinterpret_cast<const unsigned char*>(&value);
    return std::vector<unsigned char>(p, p + sizeof value);
}

// Writes field := value with the locked write and checks that exactly one
// signal saw the old value at the field's offset and size, that one event
// reached a waiter following the field, and that the new value is stored.
template <class T>
void check_locked_write(Observed_store& s, T& field, const T& value)
{
    const std::vector<unsigned char> old_bytes = bytes_of(field);
    unsigned offset = unsigned(reinterpret_cast<unsigned char*>(&field) - reinterpret_cast<unsigned char*>(s.body.get()));
    uint32_t word = CDS::event_word(&field, sizeof(T));
    s.head.event_register(&s.waiter, offset, sizeof(T), CDS::reg_change, word, nullptr, nullptr);
    s.head.seen.clear();

    s.head.set(field, value);

    ASSERT_EQ(s.head.seen.size(), 1u);
    EXPECT_EQ(s.head.seen[0].offset, offset);
    EXPECT_EQ(s.head.seen[0].size, sizeof(T));
    EXPECT_EQ(s.head.seen[0].bytes_at_signal, old_bytes);
    EXPECT_EQ(bytes_of(field), bytes_of(value));
    std::vector<waiter_event> events = take_events(s.waiter);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].code, word);
    EXPECT_EQ(events[0].module, s.head.get_module_id());
    EXPECT_EQ(s.head.owner_tid(), 0);
    s.head.event_unregister(&s.waiter, offset, sizeof(T), CDS::reg_change, word, nullptr, nullptr);
}

TEST(Head, a_locked_write_signals_once_with_offset_and_size_while_the_old_value_is_in_place)
{
    Observed_store s;
    data_store_body& b = *s.body;
    check_locked_write(s, b.system.alive, false);
    check_locked_write(s, b.system.app_upgrade_command.command, uint8_t(7));
    check_locked_write(s, b.system.initiate_shutdown, int32_t(3));
    check_locked_write(s, b.channels.channels[4].set_period, uint32_t(125000));
    check_locked_write(s, b.vehicle.speed, 2.5f);
    check_locked_write(s, b.channels.channels[9].requested_rate, 12.5);
    check_locked_write(s, b.system.info.receiver_id, ds_system_id{0x12345678, 0x9abc});
    ds_ecu_info info = b.ecu_config.ecu_info[1];
    info.version.v_minor = 4;
    info.iso_name = 0x1122334455667788;
    check_locked_write(s, b.ecu_config.ecu_info[1], info);
}

TEST(Head, a_rewrite_of_the_same_value_still_signals)
{
    Observed_store s;
    s.head.set(s.body->system.reset_tc, true);
    s.head.set(s.body->system.reset_tc, true);
    EXPECT_EQ(s.head.seen.size(), 2u);
}

TEST(Head, a_change_only_write_signals_a_new_value_and_leaves_the_same_one_alone)
{
    Observed_store s;
    double& rate = s.body->channels.channels[2].requested_rate;
    const unsigned offset = unsigned(reinterpret_cast<unsigned char*>(&rate) - reinterpret_cast<unsigned char*>(s.body.get()));
    s.head.event_register(&s.waiter, offset, sizeof rate, CDS::reg_change, CDS::event_word(&rate, sizeof rate), nullptr,
                          nullptr);

    EXPECT_TRUE(s.head.set_changed(rate, 80.0));
    EXPECT_FALSE(s.head.set_changed(rate, 80.0));
    EXPECT_TRUE(s.head.set_changed(rate, -0.0)) << "another bit pattern is another value";
    EXPECT_FALSE(s.head.set_changed(rate, -0.0));

    EXPECT_EQ(s.head.seen.size(), 2u);
    EXPECT_EQ(take_events(s.waiter).size(), 2u);
    EXPECT_EQ(bytes_of(rate), bytes_of(-0.0));
    EXPECT_EQ(s.head.owner_tid(), 0) << "the lock is free after a write that changed nothing";
}

TEST(Head, a_destroyed_store_gives_its_module_id_back)
{
    module_man manager;
    auto body = std::make_unique<data_store_body>(initial_data_store_body("v"));
    // More stores one after the other than the registry holds ids.
    for (int i = 0; i < 2 * module_man::max_modules; ++i) {
        CDS::Head head(&manager, body.get());
        ASSERT_GT(head.get_module_id(), 0) << "store " << i;
    }
}

TEST(Head, the_owner_words_name_the_holder_and_are_cleared_on_release)
{
    Store_fixture f;
    EXPECT_EQ(f.head().owner_tid(), 0);
    EXPECT_EQ(f.head().owner_thread(), nullptr);

    std::promise<std::pair<pid_t, Qt::HANDLE>> holding;
    std::promise<void> release;
    std::thread holder([&] {
        pid_t returned = f.head().lock();
        EXPECT_EQ(returned, pid_t(syscall(SYS_gettid)));
        holding.set_value({returned, QThread::currentThreadId()});
        release.get_future().wait();
        f.head().unlock();
    });
    auto held = holding.get_future();
    ASSERT_EQ(held.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    auto [tid, thread] = held.get();
    EXPECT_EQ(f.head().owner_tid(), tid);
    EXPECT_EQ(f.head().owner_thread(), thread);
    EXPECT_NE(tid, pid_t(syscall(SYS_gettid)));
    release.set_value();
    holder.join();
    EXPECT_EQ(f.head().owner_tid(), 0);
    EXPECT_EQ(f.head().owner_thread(), nullptr);
}

TEST(Head, misuse_of_the_lock_is_reported_as_a_bug_instead_of_hanging_or_racing)
{
    struct Case {
        const char* name;
        std::function<void(CDS::Head&, data_store_body&)> misuse;
    } cases[] = {
        {"lock taken twice", [](CDS::Head& h, data_store_body&) { h.lock(); h.lock(); }},
        {"release without the lock", [](CDS::Head& h, data_store_body&) { h.unlock(); }},
        {"signal without the lock",
         [](CDS::Head& h, data_store_body& b) { h.event_signal(&b.system.alive, nullptr, h.offset_of(&b.system.alive), 1, nullptr); }},
    };
    for (const Case& c : cases) {
        Child_result r = run_in_child([&] {
            Store_fixture f;
            c.misuse(f.head(), f.body());
        });
        EXPECT_EQ(r.output.rfind("BUG: ", 0), 0u) << c.name << ": " << r.output;
        EXPECT_EQ(r.signal, SIGABRT) << c.name;
    }
}

// Registrations, as (item, size, word) each, then one write; the words of
// the events that arrive, in order.
struct Matching_case {
    const char* name;
    std::function<void(Store_fixture&)> act;
    std::function<std::vector<uint32_t>(Store_fixture&)> expected;
};

uint32_t word(const void* item, unsigned size)
{
    return CDS::event_word(item, size);
}

const Matching_case matching_cases[] = {
    {"a group registration sees a write inside the group",
     [](Store_fixture& f) {
         f.follow(&f.body().alarms, 865, word(&f.body().alarms, 865));
         f.head().set(f.body().alarms.tank_empty[3].active, true);
     },
     [](Store_fixture& f) { return std::vector<uint32_t>{word(&f.body().alarms, 865)}; }},
    {"a registration on another field sees nothing",
     [](Store_fixture& f) {
         f.follow(&f.body().system.alive, 1, word(&f.body().system.alive, 1));
         f.head().set(f.body().system.vt_alive, true);
     },
     [](Store_fixture&) { return std::vector<uint32_t>{}; }},
    {"the range ends before the next field",
     [](Store_fixture& f) {
         f.follow(&f.body().system.hardware_id, 4, 1);
         f.head().set(f.body().system.alive, false);
     },
     [](Store_fixture&) { return std::vector<uint32_t>{}; }},
    {"the range starts after the written field",
     [](Store_fixture& f) {
         f.follow(&f.body().system.alive, 1, 1);
         f.head().set(f.body().system.hardware_id, 2u);
     },
     [](Store_fixture&) { return std::vector<uint32_t>{}; }},
    {"two registrations see one write in registration order",
     [](Store_fixture& f) {
         f.follow(&f.body().alarms.tank_empty[3], 5, word(&f.body().alarms.tank_empty[3], 5));
         f.follow(&f.body().alarms, 865, word(&f.body().alarms, 865));
         f.head().set(f.body().alarms.tank_empty[3].acknowledged, true);
     },
     [](Store_fixture& f) {
         return std::vector<uint32_t>{word(&f.body().alarms.tank_empty[3], 5), word(&f.body().alarms, 865)};
     }},
    {"an identical registration is kept once",
     [](Store_fixture& f) {
         f.follow(&f.body().system.reset_tc, 1, 0x10001);
         f.follow(&f.body().system.reset_tc, 1, 0x10001);
         f.head().set(f.body().system.reset_tc, true);
     },
     [](Store_fixture&) { return std::vector<uint32_t>{0x10001}; }},
    {"an unregistered waiter sees nothing",
     [](Store_fixture& f) {
         f.follow(&f.body().system.reset_tc, 1, 0x10001);
         f.head().event_unregister(&f.waiter, f.offset_of(&f.body().system.reset_tc), 1, CDS::reg_change, 0x10001,
                                   nullptr, nullptr);
         f.head().set(f.body().system.reset_tc, true);
     },
     [](Store_fixture&) { return std::vector<uint32_t>{}; }},
    {"a whole-record write reaches a registration on one field inside it",
     [](Store_fixture& f) {
         ds_ecu_info& info = f.body().ecu_config.ecu_info[1];
         f.follow(&info.version.v_minor, 1, word(&info.version.v_minor, 1));
         ds_ecu_info changed = info;
         changed.version.v_minor = 9;
         f.head().set(info, changed);
     },
     [](Store_fixture& f) {
         return std::vector<uint32_t>{word(&f.body().ecu_config.ecu_info[1].version.v_minor, 1)};
     }},
    {"the registered word is delivered unchanged",
     [](Store_fixture& f) {
         // An offset-based word, as some subsystems register with.
         f.follow(&f.body().alarms, 865, (865u << 16) | (f.offset_of(&f.body().alarms) & 0xFFFF));
         f.head().set(f.body().alarms.no_comms.active, true);
     },
     [](Store_fixture& f) {
         return std::vector<uint32_t>{(865u << 16) | (f.offset_of(&f.body().alarms) & 0xFFFF)};
     }},
};

TEST(Head, registrations_match_every_write_that_overlaps_their_range)
{
    for (const Matching_case& c : matching_cases) {
        Store_fixture f;
        c.act(f);
        std::vector<uint32_t> codes;
        for (const waiter_event& e : take_events(f.waiter)) {
            codes.push_back(e.code);
            EXPECT_EQ(e.module, f.head().get_module_id()) << c.name;
            EXPECT_EQ(e.listener, nullptr) << c.name;
        }
        EXPECT_EQ(codes, c.expected(f)) << c.name;
    }
}

TEST(Head, posting_never_waits_for_a_receiver_that_does_not_drain)
{
    Store_fixture f;
    f.follow(&f.body().vehicle.speed, 4, 1);
    for (int i = 0; i < 10000; ++i)
        f.head().set(f.body().vehicle.speed, float(i));
    EXPECT_EQ(f.waiter.pending(), 10000u);
}

TEST(Head, the_event_word_is_the_size_over_the_low_address_bits)
{
    auto at = [](uintptr_t address) { return reinterpret_cast<const void*>(address); };
    EXPECT_EQ(CDS::event_word(at(0x7f0012341234), 865), (865u << 16) | 0x1234u);
    EXPECT_EQ(CDS::event_word(at(0x10004), 4), (4u << 16) | 0x0004u);
}

}
