// The slave ECU as the program takes it from the communications library,
// and the two observers that bring its status and input into the store.
#include "app/Store_watch.h"
#include "app/slave_ecu.h"
#include "orrvan_comms/include/Ecu_entry_points.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Short_claims.h"
#include "tests/support/Simulated_slave_ecu.h"
#include "tests/support/Wait_until.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr int timeout_ms = 15000;

bool same_bytes(const ds_ecu_info& a, const ds_ecu_info& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A slave ECU of the library's own, reporting that firmware version.
Next_gen::Ecu_iface& slave_with_version(uint8_t major, uint8_t minor, uint8_t patch)
{
    constexpr uint64_t name = 0xA0000A0000000005;
    Next_gen::Ecu_version_info version;
    version.ecu_type = 4;
    version.major = major;
    version.minor = minor;
    version.patch = patch;
    Next_gen::get_test_iface().add_ecu(name, version, true);
    return Next_gen::get_ecu_manager().get_ecu(name);
}

TEST(On_slave_status, a_running_slave_writes_its_version_into_its_record_once)
{
    const struct {
        uint8_t major, minor, patch;
    } versions[] = {{2, 10, 3}, {0, 0, 0}, {255, 0, 17}};
    for (const auto& v : versions) {
        SCOPED_TRACE(testing::Message() << int(v.major) << '.' << int(v.minor) << '.' << int(v.patch));
        App_fixture f;
        ds_ecu_info& record = f.store->body.ecu_config.ecu_info[1];
        record.version = {9, 9, 9};
        record.serial_id.id[0] = 0x42;
        record.iso_name = 0x1122334455667788;
        const ds_ecu_info before = record;
        Store_watch watch(f.store->head, f.waiter);
        watch.add(record);
        Next_gen::Ecu_iface& ecu = slave_with_version(v.major, v.minor, v.patch);

        for (Next_gen::Ecu_status not_running : {0u, 2u, 0xFFFFFFFFu}) {
            on_slave_status(*f.store, ecu, not_running);
            EXPECT_TRUE(same_bytes(record, before)) << "status " << not_running;
            EXPECT_EQ(f.waiter.pending(), 0u) << "status " << not_running;
        }

        on_slave_status(*f.store, ecu, 1);
        EXPECT_EQ(record.version.v_major, v.major);
        EXPECT_EQ(record.version.v_minor, v.minor);
        EXPECT_EQ(record.version.v_patch, v.patch);
        EXPECT_EQ(std::memcmp(&record.serial_id, &before.serial_id, sizeof before.serial_id), 0);
        EXPECT_EQ(record.iso_name, before.iso_name);
        EXPECT_EQ(f.waiter.pending(), 1u) << "one locked write of the whole record";
    }
    Next_gen::get_ecu_manager().finalise();
}

TEST(On_master_switch_input, only_remote_master_mode_3_sets_the_master_switch)
{
    for (uint8_t mode : {0, 1, 2, 3, 4, 255}) {
        for (bool value : {true, false}) {
            SCOPED_TRACE(testing::Message() << "mode " << int(mode) << ", input " << value);
            App_fixture f;
            f.parameters->app.swbox_remote_master_mode.set(mode);
            bool& master = f.store->body.operation.master_switch_active;
            master = !value;
            Store_watch watch(f.store->head, f.waiter);
            watch.add(master);

            on_master_switch_input(*f.store, *f.parameters, value);
            const bool passed = mode == 3;
            EXPECT_EQ(master, passed ? value : !value);
            EXPECT_EQ(f.waiter.pending(), passed ? 1u : 0u);
        }
    }
}

// The manager's task calls observers that hold the fixture's store: it ends first.
struct Finalise_at_end {
    ~Finalise_at_end() { Next_gen::get_ecu_manager().finalise(); }
};

// Waits, on the fixture's waiter, for store changes until the condition holds.
bool wait_for_store(App_fixture& f, const std::function<bool()>& condition)
{
    const Atime deadline = Atime::now() + Rtime(timeout_ms);
    waiter_event event;
    while (!condition())
        if (!f.waiter.wait(event, deadline))
            return condition();
    return true;
}

TEST(Start_slave_ecu, records_the_slave_and_brings_its_version_and_master_switch_into_the_store)
{
    App_fixture f;
    f.parameters->app.swbox_remote_master_mode.set(3);
    ds_ecu_info& record = f.store->body.ecu_config.ecu_info[1];
    bool& master = f.store->body.operation.master_switch_active;
    Store_watch watch(f.store->head, f.waiter);
    watch.add(record);
    watch.add(master);
    Short_claims short_claims;
    Debug_capture capture;
    const std::string bus = "mem,name=start_slave_ecu";
    Simulated_slave_ecu slave(5, 0x22);
    ASSERT_TRUE(slave.start(bus));
    Finalise_at_end finalise;

    start_slave_ecu(bus, "5,4", *f.store, *f.parameters);
    char registered[64];
    std::snprintf(registered, sizeof registered, "Slave ECU %016llx registered\n",
                  static_cast<unsigned long long>(slave.get_name()));
    EXPECT_NE(capture.text().find("Connecting to the slave ECUs on \"mem,name=start_slave_ecu\"\n"),
              std::string::npos)
        << capture.text();
    EXPECT_NE(capture.text().find(registered), std::string::npos) << capture.text();
    EXPECT_EQ(f.store->head.get(record).iso_name, slave.get_name());

    // The simulated slave reports firmware 2.10.3 once its handshake is done.
    EXPECT_TRUE(wait_for_store(f, [&] {
        const ds_version version = f.store->head.get(record).version;
        return version.v_major == 2 && version.v_minor == 10 && version.v_patch == 3;
    })) << "the running slave's version never reached its record";
    EXPECT_EQ(f.store->head.get(record).iso_name, slave.get_name());
    EXPECT_TRUE(wait_until(
        [&] { return slave.seen().polarity == 0xFFCFFFFF && slave.seen().input_interval_ms == 200; }, timeout_ms))
        << "connector 2, pin 1 is input bit 10, active low, reported every 200 ms";

    slave.set_input_mask(1u << 10);
    EXPECT_TRUE(wait_for_store(f, [&] { return f.store->head.get(master); }));
    slave.set_input_mask(0);
    EXPECT_TRUE(wait_for_store(f, [&] { return !f.store->head.get(master); }));
}

}
