#include "tests/vt_pool/Lifecycle_log.h"

#include "platform/iso/VT_Object_deserial.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace VT;
using Event = Lifecycle_log::Event;
using Texts = std::vector<std::string>;

// The seeder pool, counting the releases of its storage and their size.
struct Counted_pool : seeder_ecu_pool {
    Counted_pool() : seeder_ecu_pool(nullptr, nullptr, 0) {}
    static void operator delete(void* storage, size_t size)
    {
        ++releases;
        released_size = size;
        ::operator delete(storage);
    }
    static inline int releases = 0;
    static inline size_t released_size = 0;
};

// A code-built number variable 10000, which the pool keeps with its library base.
const uint8_t loaded_record[] = {0x10, 0x27, 21, 1, 0, 0, 0};

// True when `gone` begins with the events of `made` in reverse order, the same
// objects and records at the same addresses.
bool begins_with_reverse(const std::vector<Event>& gone, const std::vector<Event>& made)
{
    return gone.size() >= made.size()
           && std::equal(made.rbegin(), made.rend(), gone.begin(), [](const Event& m, const Event& g) {
                  return m.where == g.where && m.kind == g.kind;
              });
}

// Makes a pool with one loaded object, takes it apart as `destroy` does, and
// returns what went, in order. Every member must go in exact reverse of its
// making, the loaded object after them all, and the storage once.
Texts taken_apart(void (*destroy)(Counted_pool*))
{
    Lifecycle_log log;
    auto* pool = new Counted_pool;
    const std::vector<Event> members = log.alive();
    Object_deserial loader;
    loader.init(pool);
    EXPECT_TRUE(loader.run(loaded_record, sizeof loaded_record));
    log.clear_gone();
    Counted_pool::releases = 0;

    destroy(pool);

    const std::vector<Event>& gone = log.gone_list();
    EXPECT_TRUE(begins_with_reverse(gone, members));
    EXPECT_EQ(Lifecycle_log::texts(gone.begin() + long(members.size()), gone.end()), Texts{"10000"});
    EXPECT_TRUE(log.alive().empty()); // nothing made was left, nothing went twice
    EXPECT_EQ(Counted_pool::releases, 1);
    EXPECT_EQ(Counted_pool::released_size, sizeof(Counted_pool));
    return Lifecycle_log::texts(gone.begin(), gone.end());
}

TEST(Seeder_pool_teardown, takes_every_object_and_record_apart_in_exact_reverse_through_either_interface)
{
    const Texts through_pool = taken_apart([](Counted_pool* p) { delete static_cast<Object_pool_base<VT_obj>*>(p); });
    const Texts through_event_loop = taken_apart([](Counted_pool* p) { delete static_cast<Diner*>(p); });
    EXPECT_EQ(through_event_loop, through_pool);

    // The frame of the alarm masks first, each owner before its list, then the last alarm.
    const Texts first = {"1551", "p1547", "p1550", "1550", "p1549", "1549", "1548", "1547", "p1546", "p1545",
                         "p1544", "p1543", "1546", "1545", "1544", "1543", "1542", "1541", "1540", "p1539",
                         "p1548", "p1551", "1539", "1538"};
    ASSERT_GT(through_pool.size(), first.size());
    EXPECT_EQ(Texts(through_pool.begin(), through_pool.begin() + long(first.size())), first);

    // "keys_working" before its six keys, the sixth first.
    auto keys_working = std::find(through_pool.begin(), through_pool.end(), "1271");
    ASSERT_NE(keys_working, through_pool.end());
    EXPECT_EQ(Texts(keys_working, keys_working + 8),
              (Texts{"1271", "r1270", "r1268", "r1266", "r1264", "r1262", "r1260", "1270"}));

    // The last fixed object, then the common pool from its last object to its first.
    auto designator = std::find(through_pool.begin(), through_pool.end(), "1229");
    ASSERT_NE(designator, through_pool.end());
    EXPECT_EQ(*(designator - 1), "p1229"); // the working set's one placement
    EXPECT_EQ(*(designator + 1), "1228");
    EXPECT_EQ(through_pool[through_pool.size() - 2], "256");
}

TEST(Seeder_pool_teardown, a_failure_half_way_takes_apart_exactly_what_was_made_and_reaches_the_caller)
{
    const struct Case {
        const char* what;
        Lifecycle_watch::Kind kind;
        int n;
        uint16_t after;
        Texts first_gone; // then the common pool, from 1228 down
    } cases[] = {
        {"the second placement of mask_intro", Lifecycle_watch::placement, 2, 1234,
         // the placements are still empty
         {"p65535", "1234", "1233", "1232", "1231", "1230", "p65535", "1229", "1228"}},
        {"skpic_seeder", Lifecycle_watch::object, 1, 1228, {"1228"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lifecycle_log log;
        log.fail_at(c.kind, c.n, c.after);
        EXPECT_THROW(new seeder_ecu_pool(nullptr, nullptr, 0), Lifecycle_log::Construction_failed);

        const std::vector<Event>& gone = log.gone_list();
        EXPECT_EQ(gone.size(), log.alive_at_failure().size());
        EXPECT_TRUE(begins_with_reverse(gone, log.alive_at_failure()));
        EXPECT_TRUE(log.alive().empty());
        ASSERT_GT(gone.size(), c.first_gone.size());
        EXPECT_EQ(Lifecycle_log::texts(gone.begin(), gone.begin() + long(c.first_gone.size())), c.first_gone);
        EXPECT_EQ(Lifecycle_log::text(gone.back()), "256");
    }
}

}
