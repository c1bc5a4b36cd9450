#include "control_logic/Ecu_poller.h"
#include "control_logic/Packet_interface.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/io/Memory_data_stream.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Poll_engine_probe {
public:
    static void place(Ecu_poller& p, uint32_t slot) { p.poll_index_ = slot; }
    static void set_mask(Ecu_poller& p, uint32_t mask) { p.no_comms_mask_ = mask; }
    static void clear_first_failure(Ecu_poller& p) { p.first_failure_pending_ = 0; }
};

namespace {

using Bytes = std::vector<uint8_t>;

// A binary frame with its sum, written here rather than by the link.
Bytes frame(uint8_t destination, uint8_t source, uint8_t command, const Bytes& data)
{
    Bytes f{destination, uint8_t(4 + data.size()), source, command};
    f.insert(f.end(), data.begin(), data.end());
    uint8_t sum = 0;
    for (uint8_t b : f)
        sum = uint8_t(sum + b);
    f.push_back(sum);
    return f;
}

struct Poller : ::testing::Test {
    Debug_capture capture;
    Data_store store{nullptr, "0.1.0"};
    NV_quvel::parameters_t parameters;
    Memory_data_stream stream;
    Packet_interface link{stream};
    std::unique_ptr<Ecu_poller> poller;

    void create()
    {
        poller = std::make_unique<Ecu_poller>(link, store, parameters);
        stream.take_written();
    }
    Bytes send_slot(uint32_t slot)
    {
        Poll_engine_probe::place(*poller, slot);
        poller->poll_next();
        return stream.take_written();
    }
    void reply(const Bytes& bytes)
    {
        stream.feed(bytes);
        Packet p;
        const bool ascii = poller->get_outstanding_slot() == Ecu_poller::scale_slot;
        if (ascii)
            p.init_ascii();
        ASSERT_TRUE(link.receive(p, ascii));
        poller->on_reply(p);
    }
    template <class T>
    T read(const T& item)
    {
        store.head.lock();
        T v = item;
        store.head.unlock();
        return v;
    }
};

TEST_F(Poller, golden_request_frames)
{
    struct Case {
        const char* what;
        uint32_t slot;
        std::function<void(Poller&)> setup;
        Bytes expected;
        uint32_t expected_length;
    };
    const std::vector<Case> cases = {
        {"status", 0, {}, frame(50, 0x31, 1, {1}), 10},
        {"motor drive target, period halved", 1,
         [](Poller& t) {
             t.parameters.app.channels[0]->granular_controller_type.set(0);
             t.store.head.set(t.store.body.channels.channels[0].set_period, 2000u);
         },
         frame(50, 0x31, 2, {1, 0xE8, 0x03, 0x00, 0}), 10},
        {"a period beyond the field is clamped", 2,
         [](Poller& t) {
             t.parameters.app.channels[1]->granular_controller_type.set(0);
             t.store.head.set(t.store.body.channels.channels[1].set_period, 0xFFFFFFFFu);
         },
         frame(50, 0x31, 2, {2, 0xFE, 0xFF, 0xFF, 0}), 10},
        {"fan 1", 9, {}, frame(50, 0x31, 1, {0}), 10},
        {"spray input read", 12, [](Poller& t) { t.parameters.app.ecu_config.set(5); },
         frame(52, 0x31, 73, {0, 1}), 6},
        {"pressure", 14, {}, frame(50, 0x31, 4, {1}), 7},
        {"temperature", 25, {}, frame(50, 0x31, 72, {7}), 6},
        {"spray sections", 27, [](Poller& t) { t.parameters.app.ecu_config.set(2); },
         frame(60, 0x31, 3, {2, 0, 0, 0, 0, 0, 0}), 12},
        {"frame switch box", 31, {}, frame(54, 0x31, 73, {71, 0}), 9},
        {"spray version", 32, [](Poller& t) { t.parameters.app.ecu_config.set(2); }, frame(60, 0x31, 255, {0}), 13},
        {"drill configuration", 33, {}, frame(55, 0x31, 200, {1, 7, 32, 0, 0}), 11},
        {"drill set point", 34,
         [](Poller& t) {
             t.store.head.set(t.store.body.downforces.channels[0].rate_control_mode, int32_t(0));
             t.store.head.set(t.store.body.downforces.channels[0].set_period, 0x123456u);
         },
         frame(55, 0x31, 2, {1, 0x56, 0x34, 0x12, 128}), 10},
        {"drill read", 35, {}, frame(55, 0x31, 8, {1}), 7},
        {"scale", 37,
         [](Poller& t) {
             t.store.head.set(t.store.body.operation.calibration_scales_mode, int32_t(1));
             t.store.head.set(t.store.body.operation.calibration_scales[0].scale_enabled, true);
         },
         Bytes{'S', '2', '0', '1', '1', '0', '0', '2', '6', ':', '\r', '\n', 3}, 21},
        {"actuator configuration of channel 2", 38, {}, frame(51, 0x31, 200, {1, 1, 128, 0, 0}), 11},
        {"power box", 39, {}, frame(59, 0x31, 83, {80, 1}), 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        parameters.app.set_default(true);
        if (c.setup)
            c.setup(*this);
        create();
        EXPECT_EQ(send_slot(c.slot), c.expected);
        EXPECT_EQ(poller->get_expected_length(), c.expected_length);
    }
}

TEST_F(Poller, ecu_config_decides_the_drive_slots_sent)
{
    for (auto [config, drives] : {std::pair{0, 4}, std::pair{4, 8}}) {
        parameters.app.ecu_config.set(uint8_t(config));
        create();
        int sent = 0;
        do {
            poller->poll_next();
            const Bytes f = stream.take_written();
            if (f.size() > 3 && f[3] == 2 && f[0] != 55)
                ++sent;
        } while (poller->get_poll_index() != 0);
        EXPECT_EQ(sent, drives) << "ecu_config " << config;
    }
}

TEST_F(Poller, health_rule_first_miss_clears_fourth_sets_good_reply_clears_wrong_length_counts_nothing)
{
    create();
    send_slot(0);
    const uint32_t bit = 1u << 0;
    poller->record_result(false);
    EXPECT_FALSE(poller->first_failure_pending());
    for (int miss = 1; miss <= 3; ++miss) {
        poller->record_result(false);
        EXPECT_EQ(poller->get_no_comms_mask(), 0u) << "miss " << miss;
    }
    reply(frame(0x31, 50, 1, {0, 0}));
    EXPECT_EQ(read(store.body.diagnostics.comms.valid_messages), 0u) << "a wrong length counts nothing";
    poller->record_result(false);
    EXPECT_EQ(poller->get_no_comms_mask(), bit);
    EXPECT_EQ(read(store.body.system.ECU_status), bit);
    EXPECT_EQ(read(store.body.diagnostics.comms.system_count), 5u);
    EXPECT_EQ(read(store.body.diagnostics.comms.ecu_count[0]), 5u);
    EXPECT_EQ(read(store.body.diagnostics.comms.poll_id_count_0), 5u);
    EXPECT_NE(capture.text().find("Check failed! idx = 0 Exp: 10 Act: 7"), std::string::npos) << capture.text();
    reply(frame(0x31, 50, 1, {0, 0, 0, 0, 0}));
    EXPECT_EQ(poller->get_no_comms_mask(), 0u);
    EXPECT_EQ(read(store.body.system.ECU_status), 0u);
}

TEST_F(Poller, the_scale_outside_mode_2_never_counts_past_ecu_count_21)
{
    store.head.set(store.body.operation.calibration_scales_mode, int32_t(1));
    store.head.set(store.body.operation.calibration_scales[0].scale_enabled, true);
    create();
    send_slot(Ecu_poller::scale_slot);
    EXPECT_EQ(poller->get_slave_index(), 22u);
    poller->record_result(false);
    poller->record_result(false);
    EXPECT_EQ(read(store.body.diagnostics.comms.poll_id_count_0), 0u);
    EXPECT_EQ(read(store.body.diagnostics.comms.system_count), 2u);
}

TEST_F(Poller, the_cycle_end_publishes_ecu_status_without_never_polled_slaves)
{
    create();
    Poll_engine_probe::set_mask(*poller, 1u << 0 | 1u << 9);
    do
        poller->poll_next();
    while (poller->get_poll_index() != 0);
    EXPECT_EQ(read(store.body.system.ECU_status), 1u << 0);
}

TEST_F(Poller, the_scale_reply_is_read_as_text_into_gross_weight)
{
    store.head.set(store.body.operation.calibration_scales_mode, int32_t(1));
    store.head.set(store.body.operation.calibration_scales[0].scale_enabled, true);
    store.head.set(store.body.operation.calibration_scale_dec_places, int32_t(1));
    create();
    send_slot(Ecu_poller::scale_slot);
    const std::string text = "S81110026:000004D2\r\n\x03";
    reply(Bytes(text.begin(), text.end()));
    EXPECT_FLOAT_EQ(read(store.body.operation.calibration_scales[0].gross_weight), 123.4f);
}

TEST_F(Poller, each_configuration_trigger_resets_ecu_status_and_the_first_failure)
{
    struct Case {
        const char* message;
        std::function<void(NV_quvel::application_t&)> before, after;
    };
    const std::vector<Case> cases = {
        {"Detected ECU config changed from 0 to 2!", {}, [](auto& a) { a.ecu_config.set(2); }},
        {"Detected tank 3 enabled changed from 0 to 1!", {}, [](auto& a) { a.channels[3]->enabled.set(true); }},
        {"Detected drill control disabled!", [](auto& a) { a.drill_control_enabled.set(true); },
         [](auto& a) { a.drill_control_enabled.set(false); }},
        {"Detected switchbox disabled!", [](auto& a) { a.swbox_external_swbox_type.set(1); },
         [](auto& a) { a.swbox_external_swbox_type.set(0); }},
        {"Detected frame switchbox disabled!", [](auto& a) { a.swbox_cal_swbox_type.set(2); },
         [](auto& a) { a.swbox_cal_swbox_type.set(1); }},
        {"Detected blocked head monitoring disabled!", [](auto& a) { a.monitor_ecus.monitoring_config.set(1); },
         [](auto& a) { a.monitor_ecus.monitoring_config.set(0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        parameters.app.set_default(true);
        if (c.before)
            c.before(parameters.app);
        create();
        Poll_engine_probe::clear_first_failure(*poller);
        Poll_engine_probe::set_mask(*poller, 5);
        store.head.set(store.body.system.ECU_status, 5u);
        capture.clear();
        c.after(parameters.app);
        poller->check_ecu_config(parameters);
        EXPECT_NE(capture.text().find(c.message), std::string::npos) << capture.text();
        EXPECT_EQ(read(store.body.system.ECU_status), 0u);
        EXPECT_TRUE(poller->first_failure_pending());
    }
}

TEST_F(Poller, spray_boom_lists)
{
    parameters.app.booms.num_booms.set(4);
    const uint8_t types[] = {1, 2, 0, 1};
    for (int b = 0; b < 4; ++b)
        parameters.app.booms.booms[b]->type.set(types[b]);
    parameters.app.ecu_config.set(2);
    create();
    EXPECT_EQ(poller->spray_boom(0, 0), 0u);
    EXPECT_EQ(poller->spray_boom(1, 0), 3u);
    EXPECT_EQ(poller->spray_boom(0, 1), 1u);
    parameters.app.ecu_config.set(5);
    poller->check_ecu_config(parameters);
    EXPECT_EQ(poller->spray_boom(0, 0), 0u);
    EXPECT_EQ(poller->spray_boom(1, 0), 1u);
    EXPECT_EQ(poller->spray_boom(0, 1), 0u);
}

TEST_F(Poller, replies_decode_and_a_wrong_source_or_command_changes_nothing)
{
    create();
    send_slot(0);
    const data_store_body before = store.body;
    reply(frame(0x31, 51, 1, {0x10, 0, 0, 3, 0}));
    send_slot(0);
    reply(frame(0x31, 50, 7, {0x10, 0, 0, 3, 0}));
    EXPECT_EQ(memcmp(&before, &store.body, sizeof before), 0);
    send_slot(0);
    reply(frame(0x31, 50, 1, {0x10, 0, 0, 3, 0}));
    EXPECT_EQ(read(store.body.vehicle.ground_speed_sensor.period), 0x10u << 9);
    EXPECT_EQ(read(store.body.vehicle.ground_speed_sensor.pulse_count), 3u);
    send_slot(0);
    reply(frame(0x31, 50, 1, {0xFE, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(read(store.body.vehicle.ground_speed_sensor.period), 0xFFFFFFFFu) << "saturated, never wrapped";
}

TEST_F(Poller, slave_index_table)
{
    EXPECT_EQ(Ecu_poller::slave_index_of(51, false, 9), 0u);
    EXPECT_EQ(Ecu_poller::slave_index_of(52, true, 9), 4u);
    EXPECT_EQ(Ecu_poller::slave_index_of(53, false, 9), 1u);
    EXPECT_EQ(Ecu_poller::slave_index_of(55, false, 9), 13u);
    EXPECT_EQ(Ecu_poller::slave_index_of(58, false, 9), 6u);
    EXPECT_EQ(Ecu_poller::slave_index_of(61, false, 9), 3u);
    EXPECT_EQ(Ecu_poller::slave_index_of(71, false, 0), 12u);
    EXPECT_EQ(Ecu_poller::slave_index_of(59, false, 7), 7u);
}

}
