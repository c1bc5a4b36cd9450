#include "control_logic/Ecu_poller.h"
#include "tests/control_logic/Slave_frames.h"
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
        return store.head.get(item);
    }
    template <class T>
    void write(T& item, const T& value)
    {
        store.head.set(item, value);
    }
    // Parameters, store and engine as a new start finds them.
    void reset()
    {
        poller.reset();
        parameters.app.set_default(true);
        store.head.lock();
        store.body = initial_data_store_body("0.1.0");
        store.head.unlock();
        stream.take_written();
        capture.clear();
    }
};

// "dest/command[data,...]" of a binary request, the text of an ASCII one.
std::string described(const Bytes& f)
{
    if (!f.empty() && f[0] == 'S')
        return std::string(f.begin(), f.begin() + std::min<size_t>(f.size(), 10));
    if (f.size() < 5)
        return "none";
    std::string s = std::to_string(f[0]) + "/" + std::to_string(f[3]) + "[";
    for (size_t i = 4; i + 1 < f.size(); ++i)
        s += (i > 4 ? "," : "") + std::to_string(f[i]);
    return s + "]";
}

std::string version(const ds_version& v)
{
    return std::to_string(v.v_major) + "." + std::to_string(v.v_minor) + "." + std::to_string(v.v_patch);
}

TEST_F(Poller, golden_request_frames)
{
    struct Case {
        const char* what;
        uint32_t slot;
        std::function<void(Poller&)> setup;
        Bytes expected;
        uint32_t expected_length;
        std::function<void(Poller&)> check = {}; // after the send
    };
    const std::vector<Case> cases = {
        {"status", 0, {}, slave_frame(50, 0x31, 1, {1}), 10},
        {"motor drive target, period halved", 1,
         [](Poller& t) {
             t.parameters.app.channels[0]->granular_controller_type.set(0);
             t.store.head.set(t.store.body.channels.channels[0].set_period, 2000u);
         },
         slave_frame(50, 0x31, 2, {1, 0xE8, 0x03, 0x00, 0}), 10},
        {"a period beyond the field is clamped", 2,
         [](Poller& t) {
             t.parameters.app.channels[1]->granular_controller_type.set(0);
             t.store.head.set(t.store.body.channels.channels[1].set_period, 0xFFFFFFFFu);
         },
         slave_frame(50, 0x31, 2, {2, 0xFE, 0xFF, 0xFF, 0}), 10},
        {"fan 1", 9, {}, slave_frame(50, 0x31, 1, {0}), 10},
        {"spray input read", 12, [](Poller& t) { t.parameters.app.ecu_config.set(5); },
         slave_frame(52, 0x31, 73, {0, 1}), 6},
        {"pressure", 14, {}, slave_frame(50, 0x31, 4, {1}), 7},
        {"temperature", 25, {}, slave_frame(50, 0x31, 72, {7}), 6},
        {"spray sections", 27, [](Poller& t) { t.parameters.app.ecu_config.set(2); },
         slave_frame(60, 0x31, 3, {2, 0, 0, 0, 0, 0, 0}), 12},
        {"frame switch box", 31, {}, slave_frame(54, 0x31, 73, {71, 0}), 9},
        {"spray version", 32, [](Poller& t) { t.parameters.app.ecu_config.set(2); }, slave_frame(60, 0x31, 255, {0}), 13},
        {"drill configuration", 33, {}, slave_frame(55, 0x31, 200, {1, 7, 32, 0, 0}), 11},
        {"drill set point", 34,
         [](Poller& t) {
             t.store.head.set(t.store.body.downforces.channels[0].rate_control_mode, int32_t(0));
             t.store.head.set(t.store.body.downforces.channels[0].set_period, 0x123456u);
         },
         slave_frame(55, 0x31, 2, {1, 0x56, 0x34, 0x12, 128}), 10},
        {"drill read", 35, {}, slave_frame(55, 0x31, 8, {1}), 7},
        {"scale", 37,
         [](Poller& t) {
             t.store.head.set(t.store.body.operation.calibration_scales_mode, int32_t(1));
             t.store.head.set(t.store.body.operation.calibration_scales[0].scale_enabled, true);
         },
         Bytes{'S', '2', '0', '1', '1', '0', '0', '2', '6', ':', '\r', '\n', 3}, 21},
        {"actuator configuration of channel 2", 38, {}, slave_frame(51, 0x31, 200, {1, 1, 128, 0, 0}), 11},
        {"power box", 39, {}, slave_frame(59, 0x31, 83, {80, 1}), 5},
        {"a running valve drive target has flags 5", 1,
         [](Poller& t) {
             t.parameters.app.channels[0]->granular_controller_type.set(2);
             t.parameters.app.channels[0]->enabled.set(true);
             t.write(t.store.body.system.vt_uploaded, true);
             t.write(t.store.body.operation.inhibit_master_switch, false);
             t.write(t.store.body.operation.master_switch_active, true);
             t.write(t.store.body.channels.channels[0].active, true);
             t.write(t.store.body.channels.channels[0].set_period, 1000u);
         },
         slave_frame(50, 0x31, 2, {1, 0xF4, 0x01, 0x00, 5}), 10},
        {"a spray drive target has no flags byte and a clamped period", 5,
         [](Poller& t) {
             t.parameters.app.ecu_config.set(2);
             t.write(t.store.body.channels.channels[4].set_period, 0x2000000u);
         },
         slave_frame(60, 0x31, 2, {1, 0xFE, 0xFF, 0xFF}), 10},
        {"a manual liquid pump: pump, manual and raise bits, then the raise is taken", 2,
         [](Poller& t) {
             t.parameters.app.channels[1]->mode.set(1);
             t.write(t.store.body.channels.channels[1].rate_control_mode, int32_t(2));
             t.write(t.store.body.channels.channels[1].rate_inc_manual, true);
             t.write(t.store.body.channels.channels[1].pump_output_active, true);
         },
         slave_frame(50, 0x31, 2, {2, 0, 0, 0, 128 | 64 | 16}), 10,
         [](Poller& t) { EXPECT_FALSE(t.read(t.store.body.channels.channels[1].rate_inc_manual)); }},
        {"pulses and pressure", 10, {}, slave_frame(50, 0x31, 7, {0}), 15},
        {"motor load", 15,
         [](Poller& t) {
             t.parameters.app.channels[0]->enabled.set(true);
             t.parameters.app.channels[0]->granular_controller_type.set(0);
         },
         slave_frame(50, 0x31, 72, {0}), 6},
        {"spray ECU load", 15,
         [](Poller& t) {
             t.parameters.app.ecu_config.set(2);
             t.parameters.app.channels[4]->enabled.set(true);
         },
         slave_frame(60, 0x31, 8, {1}), 7},
        {"inputs", 18, {}, slave_frame(50, 0x31, 73, {0, 1}), 6},
        {"switch box lamps", 16,
         [](Poller& t) {
             t.parameters.app.swbox_external_swbox_type.set(2);
             t.parameters.app.swbox_mapping[1]->channel.set(0);
             t.write(t.store.body.channels.channels[0].active, true);
         },
         slave_frame(58, 0x31, 73, {71, 2}), 9},
        {"regulating valve configuration", 38,
         [](Poller& t) {
             NV_quvel::channel_t& c = *t.parameters.app.channels[2];
             c.granular_controller_type.set(2);
             c.rvalve_granular_mode.set(3);
             c.rvalve_granular_controller_sensitivity.set(1);
             c.rvalve_granular_reverse_valve_direction.set(true);
             NV_quvel::rvalve_controller_t& r = *c.rvalve_granular_controller[3];
             r.speed.set(1);
             r.max_on_time.set(2);
             r.min_on_time.set(3);
             r.gain.set(1);
         },
         slave_frame(51, 0x31, 200, {1, 2, 3 | 8 | 64, 64 | 32 | 12 | 1, 0}), 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        if (c.setup)
            c.setup(*this);
        create();
        EXPECT_EQ(send_slot(c.slot), c.expected);
        EXPECT_EQ(poller->get_expected_length(), c.expected_length);
        if (c.check)
            c.check(*this);
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
    reply(slave_frame(0x31, 50, 1, {0, 0}));
    EXPECT_EQ(read(store.body.diagnostics.comms.valid_messages), 0u) << "a wrong length counts nothing";
    poller->record_result(false);
    EXPECT_EQ(poller->get_no_comms_mask(), bit);
    EXPECT_EQ(read(store.body.system.ECU_status), bit);
    EXPECT_EQ(read(store.body.diagnostics.comms.system_count), 5u);
    EXPECT_EQ(read(store.body.diagnostics.comms.ecu_count[0]), 5u);
    EXPECT_EQ(read(store.body.diagnostics.comms.poll_id_count_0), 5u);
    EXPECT_NE(capture.text().find("Check failed! idx = 0 Exp: 10 Act: 7"), std::string::npos) << capture.text();
    reply(slave_frame(0x31, 50, 1, {0, 0, 0, 0, 0}));
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
    reply(slave_frame(0x31, 51, 1, {0x10, 0, 0, 3, 0}));
    send_slot(0);
    reply(slave_frame(0x31, 50, 7, {0x10, 0, 0, 3, 0}));
    EXPECT_EQ(memcmp(&before, &store.body, sizeof before), 0);
    send_slot(0);
    reply(slave_frame(0x31, 50, 1, {0x10, 0, 0, 3, 0}));
    EXPECT_EQ(read(store.body.vehicle.ground_speed_sensor.period), 0x10u << 9);
    EXPECT_EQ(read(store.body.vehicle.ground_speed_sensor.pulse_count), 3u);
    send_slot(0);
    reply(slave_frame(0x31, 50, 1, {0xFE, 0xFF, 0xFF, 0, 0}));
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


Bytes words(std::initializer_list<uint16_t> values)
{
    Bytes b;
    for (uint16_t v : values) {
        b.push_back(uint8_t(v));
        b.push_back(uint8_t(v >> 8));
    }
    return b;
}

TEST_F(Poller, each_slot_decodes_its_reply_and_a_wrong_source_or_command_changes_nothing)
{
    struct Case {
        const char* what;
        uint32_t slot;
        std::function<void(Poller&)> setup;  // before the engine is made
        std::function<void(Poller&)> before; // before the slot is sent
        uint8_t source, command;
        Bytes data;
        uint8_t wrong_source;
        uint8_t wrong_command; // 0: the slot takes any command
        std::function<void(Poller&)> check;
    };
    auto& ch = store.body.channels.channels;
    auto& diag = store.body.diagnostics;
    auto& op = store.body.operation;
    const std::vector<Case> cases = {
        {"ground speed, period shifted by 9 bits", 0, {}, {}, 50, 1, {0x10, 0, 0, 3, 0}, 51, 2,
         [&](Poller& t) {
             EXPECT_EQ(t.read(t.store.body.vehicle.ground_speed_sensor.period), 0x2000u);
             EXPECT_EQ(t.read(t.store.body.vehicle.ground_speed_sensor.pulse_count), 3u);
             EXPECT_EQ(t.read(diag.ground_speed.period), 0x2000u);
         }},
        {"drive period doubled", 1, {}, {}, 50, 2, {0xE8, 0x03, 0, 10, 0}, 51, 3,
         [&](Poller& t) {
             EXPECT_EQ(t.read(ch[0].actual_period), 2000u);
             EXPECT_EQ(t.read(diag.shaft[0].period), 2000u);
             EXPECT_EQ(t.read(diag.shaft[0].pulse_count), 10u);
         }},
        {"fan 1", 9, {}, {}, 50, 1, {100, 0, 0, 5, 0}, 51, 2,
         [&](Poller& t) {
             EXPECT_EQ(t.read(t.store.body.fans[0].period), 200u);
             EXPECT_FLOAT_EQ(t.read(t.store.body.fans[0].raw_rpm), 300000.0f);
             EXPECT_EQ(t.read(diag.fans[0].shaft.pulse_count), 5u);
         }},
        {"fan 5's period, shifted by 8 and doubled, saturates", 9,
         [](Poller& t) { t.parameters.app.fans[4]->sense_rpm.set(true); },
         [](Poller& t) {
             t.send_slot(9);
             t.send_slot(9);
         },
         51, 1, {0xFE, 0xFF, 0xFF, 1, 0}, 50, 2,
         [&](Poller& t) { EXPECT_EQ(t.read(t.store.body.fans[4].period), 0xFFFFFFFFu); }},
        {"pulses and pressure of ECU 50", 10, [](Poller& t) { t.parameters.app.channels[0]->enabled.set(true); }, {},
         50, 7, words({0x123, 0x10, 0x20, 0x30, 0x40}), 55, 8,
         [&](Poller& t) {
             EXPECT_EQ(t.read(diag.fans[0].adc.adc_val), 0x123u);
             EXPECT_EQ(t.read(ch[0].pulse_ratio_calc), 0x10u);
             EXPECT_EQ(t.read(ch[1].pulse_ratio_calc), 0x20u);
             EXPECT_EQ(t.read(ch[0].motor_pulse_count), 0x30u);
             EXPECT_EQ(t.read(ch[1].motor_pulse_count), 0x40u);
         }},
        {"pulses of ECU 61, channels 8 and 9 get 0", 13, [](Poller& t) { t.parameters.app.ecu_config.set(3); },
         [&](Poller& t) { t.write(ch[8].pulse_ratio_calc, 9u); }, 61, 7, words({1, 2, 3, 4, 5}), 55, 8,
         [&](Poller& t) {
             EXPECT_EQ(t.read(diag.fans[3].adc.adc_val), 1u);
             EXPECT_EQ(t.read(ch[6].pulse_ratio_calc), 2u);
             EXPECT_EQ(t.read(ch[7].motor_pulse_count), 5u);
             EXPECT_EQ(t.read(ch[8].pulse_ratio_calc), 0u);
         }},
        {"fan pressure of channel 1", 14, [](Poller& t) { t.parameters.app.fans[0]->sense_pressure.set(true); }, {},
         50, 4, {0x34, 0x12}, 51, 5, [&](Poller& t) { EXPECT_EQ(t.read(diag.fans[0].adc.adc_val), 0x1234u); }},
        {"motor current", 15,
         [](Poller& t) {
             t.parameters.app.channels[0]->enabled.set(true);
             t.parameters.app.channels[0]->granular_controller_type.set(0);
         },
         {}, 50, 72, {100}, 51, 8,
         [&](Poller& t) {
             EXPECT_FLOAT_EQ(t.read(ch[0].motor_current), 65.4f);
             EXPECT_EQ(t.read(diag.motor_current[0].adc_val), 100u);
         }},
        {"actuator load", 15, [](Poller& t) { t.parameters.app.channels[0]->enabled.set(true); },
         [&](Poller& t) { t.write(ch[0].set_period, 1000u); }, 50, 73, {51}, 51, 8,
         [&](Poller& t) {
             EXPECT_FLOAT_EQ(t.read(ch[0].motor_load), 20.0f);
             EXPECT_EQ(t.read(diag.actuator[0].adc.adc_val), 51u);
         }},
        {"spray ECU load", 15,
         [](Poller& t) {
             t.parameters.app.ecu_config.set(2);
             t.parameters.app.channels[4]->enabled.set(true);
         },
         [&](Poller& t) { t.write(ch[4].set_period, 1000u); }, 60, 8, {128, 0}, 61, 9,
         [&](Poller& t) { EXPECT_FLOAT_EQ(t.read(ch[4].motor_load), 50.0f); }},
        {"switch box: tank switch and rate key", 16,
         [](Poller& t) {
             t.parameters.app.swbox_external_swbox_type.set(1);
             t.parameters.app.swbox_mapping[0]->channel.set(0);
             t.parameters.app.channels[0]->enabled.set(true);
             t.parameters.app.channels[0]->rate_increment.set(2.0f);
         },
         [&](Poller& t) { t.write(ch[0].requested_rate, 10.0); }, 58, 73, {0x01, 0x01, 0, 0}, 54, 72,
         [&](Poller& t) {
             EXPECT_TRUE(t.read(ch[0].active));
             EXPECT_DOUBLE_EQ(t.read(ch[0].requested_rate), 12.0);
         }},
        {"inputs of ECU 50", 18, {}, {}, 50, 73, {0x82}, 58, 72,
         [&](Poller& t) {
             EXPECT_FALSE(t.read(diag.level_sensor_on[0]));
             EXPECT_TRUE(t.read(diag.level_sensor_on[1]));
             EXPECT_TRUE(t.read(op.tillage_switch_active));
         }},
        {"buttons of spray ECU 60", 22, [](Poller& t) { t.parameters.app.ecu_config.set(2); }, {}, 60, 73, {0x03},
         58, 72, [&](Poller& t) { EXPECT_EQ(t.read(diag.spray_ecu[0].button_state), 3); }},
        {"temperature", 25, {}, {}, 50, 72, {10}, 52, 73,
         [&](Poller& t) { EXPECT_FLOAT_EQ(t.read(t.store.body.temperatures.value[0]), 209.0f); }},
        {"spray sections of both booms of ECU 60", 27,
         [](Poller& t) {
             t.parameters.app.ecu_config.set(2);
             t.parameters.app.booms.num_booms.set(2);
             t.parameters.app.booms.booms[0]->type.set(1);
             t.parameters.app.booms.booms[1]->type.set(2);
         },
         {}, 60, 3, {5, 1, 0x34, 0x12, 0x78, 0x56, 1}, 54, 4,
         [&](Poller& t) {
             EXPECT_EQ(t.read(diag.spray_ecu[0].state), 5);
             EXPECT_EQ(t.read(diag.spray_ecu[0].button_box_found), 1);
             EXPECT_EQ(t.read(t.store.body.booms.boom[0].section_sense_state), 0x1234u);
             EXPECT_EQ(t.read(t.store.body.booms.boom[1].section_sense_state), 0x5678u);
         }},
        {"frame switch box", 31,
         [](Poller& t) {
             t.parameters.app.swbox_mapping[0]->channel.set(0);
             t.parameters.app.channels[0]->enabled.set(true);
         },
         {}, 54, 73, {0x81, 0x80, 0, 0}, 55, 72,
         [&](Poller& t) {
             EXPECT_TRUE(t.read(ch[0].cal_tank_switch_active));
             EXPECT_TRUE(t.read(op.cal_swbox_run_stop_active));
             EXPECT_FALSE(t.read(op.cal_swbox_reset_active));
             EXPECT_TRUE(t.read(op.frame_swbox.found));
         }},
        {"spray ECU version, any command", 32,
         [](Poller& t) {
             t.parameters.app.ecu_config.set(2);
             t.parameters.app.booms.num_booms.set(1);
             t.parameters.app.booms.booms[0]->type.set(1);
         },
         {}, 60, 255, {0, 0, 0, 3, 7, 1, 0, 0}, 54, 0,
         [&](Poller& t) {
             EXPECT_EQ(version(t.read(ch[4].ecu_version)), "3.7.1");
             EXPECT_EQ(version(t.read(ch[5].ecu_version)), "3.7.1");
             EXPECT_EQ(version(t.read(t.store.body.booms.boom[0].ecu_version)), "3.7.1");
         }},
        {"drill control version", 33, {}, {}, 55, 200, {0, 0, 0, 0, 5, 1}, 54, 24,
         [&](Poller& t) {
             EXPECT_EQ(version(t.read(t.store.body.downforces.channels[0].ecu_version)), "5.1.0");
         }},
        {"drill control status", 33, {}, [](Poller& t) { t.send_slot(33); }, 55, 24, {77, 0}, 54, 200,
         [&](Poller& t) { EXPECT_EQ(t.read(diag.downforce[0].df_adc.adc_val), 77u); }},
        {"drill control load", 35, {}, {}, 55, 8, {128, 0}, 54, 9,
         [&](Poller& t) { EXPECT_FLOAT_EQ(t.read(t.store.body.downforces.channels[0].motor_load), 50.0f); }},
        {"drive configuration version", 38, {}, {}, 51, 200, {1, 1, 128, 0, 4, 2}, 50, 9,
         [&](Poller& t) { EXPECT_EQ(version(t.read(ch[2].ecu_version)), "4.2.0"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto prepare = [&] {
            reset();
            if (c.setup)
                c.setup(*this);
            create();
            if (c.before)
                c.before(*this);
            send_slot(c.slot);
        };
        const auto unchanged_by = [&](uint8_t source, uint8_t command) {
            prepare();
            const data_store_body before = store.body;
            reply(slave_frame(0x31, source, command, c.data));
            return memcmp(&before, &store.body, sizeof before) == 0;
        };
        EXPECT_TRUE(unchanged_by(c.wrong_source, c.command)) << "from " << int(c.wrong_source);
        if (c.wrong_command) {
            EXPECT_TRUE(unchanged_by(c.source, c.wrong_command)) << "command " << int(c.wrong_command);
        }
        prepare();
        reply(slave_frame(0x31, c.source, c.command, c.data));
        EXPECT_EQ(capture.text().find("Check failed"), std::string::npos) << capture.text();
        c.check(*this);
    }
}

TEST_F(Poller, skip_tests_follow_the_configuration)
{
    struct Case {
        const char* what;
        uint32_t slot;
        std::function<void(Poller&)> setup;
        bool skipped;
    };
    auto& app = parameters.app;
    const auto firmware = [this](uint8_t major, uint8_t minor) {
        write(store.body.channels.channels[0].ecu_version, ds_version{major, minor, 0});
    };
    const auto monitors = [&app](uint8_t personality, int enabled_monitor) {
        app.personality.set(personality);
        app.monitor_ecus.monitoring_config.set(1);
        app.monitor_ecus.monitor_ecus[enabled_monitor]->enabled.set(true);
    };
    const auto scales = [this](int32_t mode, int scale) {
        write(store.body.operation.calibration_scales_mode, mode);
        write(store.body.operation.calibration_scales[scale].scale_enabled, true);
    };
    const std::vector<Case> cases = {
        {"never skipped: status", 0, {}, false},
        {"never skipped: fans", 9, {}, false},
        {"never skipped: configuration", 38, {}, false},
        {"pulses of ECU 50 without channels or a sensing fan", 10, {}, true},
        {"pulses of ECU 50 for channel 1", 10, [&](Poller&) { app.channels[1]->enabled.set(true); }, false},
        {"pulses of ECU 51 for fan 2's speed", 11, [&](Poller&) { app.fans[1]->sense_rpm.set(true); }, false},
        {"pulses of ECU 52 for channel 5", 12, [&](Poller&) { app.channels[5]->enabled.set(true); }, false},
        {"external switch box absent", 16, {}, true},
        {"external switch box fitted", 30, [&](Poller&) { app.swbox_external_swbox_type.set(2); }, false},
        {"inputs of ECU 50, firmware 3.5", 18, [&](Poller&) { firmware(3, 5); }, true},
        {"inputs of ECU 51, firmware 3.6", 19, [&](Poller&) { firmware(3, 6); }, false},
        {"inputs of ECU 52 outside ecu_config 1", 20, [&](Poller&) { firmware(4, 0); }, true},
        {"inputs of ECU 53 with ecu_config 1", 21,
         [&](Poller&) {
             firmware(4, 0);
             app.ecu_config.set(1);
         },
         false},
        {"spray inputs without spray ECUs", 22, [&](Poller&) { app.ecu_config.set(1); }, true},
        {"spray inputs of ECU 60", 22, [&](Poller&) { app.ecu_config.set(4); }, false},
        {"second spray ECU inputs with ecu_config 4", 23, [&](Poller&) { app.ecu_config.set(4); }, true},
        {"second spray ECU inputs with ecu_config 3", 23, [&](Poller&) { app.ecu_config.set(3); }, false},
        {"monitor read without monitoring", 24, [&](Poller&) { app.monitor_ecus.monitor_ecus[0]->enabled.set(true); },
         true},
        {"monitor read, monitor ECU 1", 24, [&](Poller&) { monitors(0, 0); }, false},
        {"monitor setup, monitor ECU 5", 29, [&](Poller&) { monitors(0, 4); }, false},
        {"monitor setup, monitor ECU 5 under personality 2, which has four", 29, [&](Poller&) { monitors(2, 4); },
         true},
        {"monitor read, monitor ECU 5 under personality 2", 24, [&](Poller&) { monitors(2, 4); }, true},
        {"spray sections without spray ECUs", 27, {}, true},
        {"spray sections of ECU 60", 27, [&](Poller&) { app.ecu_config.set(2); }, false},
        {"second spray ECU sections with ecu_config 5", 28, [&](Poller&) { app.ecu_config.set(5); }, true},
        {"second spray ECU sections with ecu_config 6", 28, [&](Poller&) { app.ecu_config.set(6); }, false},
        {"frame switch box of type 1", 31, [&](Poller&) { app.swbox_cal_swbox_type.set(1); }, true},
        {"frame switch box of type 2", 31, [&](Poller&) { app.swbox_cal_swbox_type.set(2); }, false},
        {"spray versions with ecu_config 5", 32, [&](Poller&) { app.ecu_config.set(5); }, false},
        {"drill control off", 34, {}, true},
        {"drill control on", 35, [&](Poller&) { app.drill_control_enabled.set(true); }, false},
        {"section monitors of style 0", 36, [&](Poller&) { app.booms.section_monitoring.set(true); }, true},
        {"section monitors of style 1", 36,
         [&](Poller&) {
             app.booms.section_monitoring.set(true);
             app.booms.section_monitoring_style.set(1);
         },
         false},
        {"scales off", 37, [&](Poller&) { scales(0, 0); }, true},
        {"one scale, enabled", 37, [&](Poller&) { scales(1, 0); }, false},
        {"one scale, but only scale 3 enabled", 37, [&](Poller&) { scales(1, 3); }, true},
        {"several scales, scale 3 enabled", 37, [&](Poller&) { scales(2, 3); }, false},
        {"several scales, none enabled", 37, [&](Poller&) { write(store.body.operation.calibration_scales_mode, 2); },
         true},
        {"power box absent", 39, {}, true},
        {"power box fitted", 39, [&](Poller&) { app.power_sat_box_enabled.set(true); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        if (c.setup)
            c.setup(*this);
        create();
        Poll_engine_probe::place(*poller, c.slot);
        EXPECT_EQ(poller->skip_current(), c.skipped);
    }
}

TEST_F(Poller, rotations_walk_their_fans_channels_ecus_and_scales)
{
    struct Case {
        const char* what;
        uint32_t slot;
        std::function<void(Poller&)> setup;
        std::vector<std::string> sent;
        std::function<void(Poller&)> between = {}; // after each send
    };
    auto& app = parameters.app;
    auto& ch = store.body.channels.channels;
    const auto master_on = [this] {
        write(store.body.system.vt_uploaded, true);
        write(store.body.operation.inhibit_master_switch, false);
        write(store.body.operation.master_switch_active, true);
    };
    const auto blink = [](Poller& t) { t.poller->tick_1s(); };
    const std::vector<Case> cases = {
        {"fans 1 and 2 always, 3 to 5 when they sense speed", 9,
         [&](Poller&) {
             app.ecu_config.set(2);
             app.fans[3]->sense_rpm.set(true);
             app.fans[4]->sense_rpm.set(true);
         },
         {"50/1[0]", "51/1[0]", "60/1[34]", "51/1[1]", "50/1[0]"}},
        {"pressures of channels 1 and 2 always, others with liquid pressure sensing", 14,
         [&](Poller&) {
             app.ecu_config.set(2);
             for (int c : {3, 4}) {
                 app.channels[c]->enabled.set(true);
                 app.channels[c]->liquid_pressure_sense.set(true);
             }
         },
         {"50/4[1]", "50/4[2]", "51/4[2]", "60/4[1]", "50/4[1]"}},
        {"loads of the enabled channels, motor current on even steps, channel 10 never", 15,
         [&](Poller&) {
             app.channels[0]->enabled.set(true);
             app.channels[0]->granular_controller_type.set(0);
             app.channels[2]->enabled.set(true);
         },
         {"50/72[0]", "50/73[10,1]", "51/73[10,1]", "51/73[10,1]", "50/72[0]"}},
        {"tank lamps blink while the master is off", 16,
         [&](Poller&) {
             app.swbox_external_swbox_type.set(1);
             app.swbox_mapping[0]->channel.set(0);
             app.swbox_mapping[2]->channel.set(1);
             write(ch[0].active, true);
             write(ch[1].active, true);
         },
         {"58/73[71,5]", "58/73[71,0]", "58/73[71,0]", "58/73[71,5]"}, blink},
        {"tank lamps steady with the master on", 30,
         [&](Poller&) {
             app.swbox_external_swbox_type.set(1);
             app.swbox_mapping[0]->channel.set(0);
             write(ch[0].active, true);
             master_on();
         },
         {"58/73[71,1]", "58/73[71,1]"}, blink},
        {"frame lamps blink in a calibration run until run/stop", 31,
         [&](Poller&) {
             app.swbox_mapping[1]->channel.set(3);
             write(ch[3].active, true);
             write(store.body.operation.calibration_state, int32_t(1));
         },
         {"54/73[71,2]", "54/73[71,0]"}, blink},
        {"frame lamps with run/stop and reset in a calibration run", 31,
         [&](Poller&) {
             app.swbox_mapping[1]->channel.set(3);
             write(ch[3].active, true);
             write(store.body.operation.calibration_state, int32_t(1));
             write(store.body.operation.cal_swbox_run_stop_active, true);
             write(store.body.operation.cal_swbox_reset_active, true);
         },
         {"54/73[71,194]", "54/73[71,194]"}, blink},
        {"frame lamps show the calibration tank switches while reset is held", 31,
         [&](Poller&) {
             app.swbox_mapping[4]->channel.set(0);
             write(ch[0].cal_tank_switch_active, true);
             write(store.body.operation.cal_swbox_reset_active, true);
         },
         {"54/73[71,16]"}},
        {"temperatures of ECUs 50 and 51 in turn", 25, {}, {"50/72[7]", "51/72[7]", "50/72[7]"}},
        {"versions of the spray ECUs and of ECU 50", 32, [&](Poller&) { app.ecu_config.set(6); },
         {"52/255[0]", "53/255[0]", "50/255[0]", "50/255[0]", "50/255[0]", "50/255[0]", "50/255[0]", "50/255[0]",
          "50/255[0]", "50/255[0]", "50/255[0]", "52/255[0]"}},
        {"drill control: configuration, then two status requests", 33, {},
         {"55/200[1,7,32,0,0]", "55/24[1,2,0,0,0]", "55/24[2,2,0,0,0]", "55/200[1,7,32,0,0]"}},
        {"one scale", 37, [&](Poller&) { write(store.body.operation.calibration_scales_mode, int32_t(1)); },
         {"S20110026:", "S20110026:"}},
        {"the enabled scales in turn", 37,
         [&](Poller&) {
             write(store.body.operation.calibration_scales_mode, int32_t(2));
             write(store.body.operation.calibration_scales[1].scale_enabled, true);
             write(store.body.operation.calibration_scales[3].scale_enabled, true);
         },
         {"S22110026:", "S24110026:", "S22110026:"}},
        {"configuration: channel 3 stands in for 1 and 2 while the second drive ECU is new", 38, {},
         {"51/200[1,1,128,0,0]", "51/200[1,1,128,0,0]", "51/200[1,1,128,0,0]", "51/200[2,1,128,0,0]",
          "51/200[1,1,128,0,0]"}},
        {"configuration of every drive channel once channel 4 reports a version", 38,
         [&](Poller&) { write(ch[3].ecu_version, ds_version{4, 2, 0}); },
         {"50/200[1,1,128,0,0]", "50/200[2,1,128,0,0]", "51/200[1,1,128,0,0]", "51/200[2,1,128,0,0]",
          "50/200[1,1,128,0,0]"}},
        {"configuration of spray channels goes to the spray ECU", 38,
         [&](Poller&) {
             app.ecu_config.set(5);
             write(ch[3].ecu_version, ds_version{4, 2, 0});
         },
         {"50/200[1,1,128,0,0]", "50/200[2,1,128,0,0]", "51/200[1,1,128,0,0]", "51/200[2,1,128,0,0]",
          "52/9[1,0,0,0]", "52/9[2,0,0,0]", "50/200[1,1,128,0,0]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reset();
        if (c.setup)
            c.setup(*this);
        create();
        std::vector<std::string> sent;
        for (size_t i = 0; i < c.sent.size(); ++i) {
            sent.push_back(described(send_slot(c.slot)));
            if (c.between)
                c.between(*this);
        }
        EXPECT_EQ(sent, c.sent);
    }
}

TEST_F(Poller, slot_38_takes_a_spray_ecus_command_9_as_its_legacy_version_and_anything_else_as_drive_configuration)
{
    const auto spray_configuration_sent = [this] {
        reset();
        parameters.app.ecu_config.set(2);
        parameters.app.booms.num_booms.set(1);
        parameters.app.booms.booms[0]->type.set(1);
        create();
        write(store.body.channels.channels[3].ecu_version, ds_version{4, 2, 0});
        for (int c = 0; c < 4; ++c)
            send_slot(38);
        const Bytes request = send_slot(38);
        ASSERT_EQ(described(request), "60/9[1,0,0,0]");
        EXPECT_EQ(poller->get_expected_length(), 9u);
    };
    ds_version& channel_4 = store.body.channels.channels[4].ecu_version;

    spray_configuration_sent();
    reply(slave_frame(0x31, 60, 9, {1, 0, 7, 0}));
    EXPECT_EQ(version(read(channel_4)), "0.0.7");
    EXPECT_NE(capture.text().find("Setting legacy version for chan num 4\n"), std::string::npos) << capture.text();

    spray_configuration_sent();
    write(store.body.booms.boom[0].ecu_version, ds_version{3, 1, 0});
    reply(slave_frame(0x31, 60, 9, {1, 0, 7, 0}));
    EXPECT_EQ(version(read(channel_4)), "0.0.0") << "a known spray ECU version stays";

    spray_configuration_sent();
    reply(slave_frame(0x31, 60, 200, {1, 0, 7, 0}));
    EXPECT_EQ(version(read(channel_4)), "0.0.0")
        << "command 200 goes to the drive configuration handler, and a spray-length reply holds no version";

    spray_configuration_sent();
    reply(slave_frame(0x31, 61, 9, {1, 0, 7, 0}));
    EXPECT_EQ(version(read(channel_4)), "0.0.0") << "a spray ECU that does not serve the channel";
    EXPECT_EQ(capture.text().find("Setting legacy version"), std::string::npos);
}

TEST_F(Poller, the_power_box_is_asked_first_with_a_long_time_out_only_when_fitted)
{
    poller = std::make_unique<Ecu_poller>(link, store, parameters);
    EXPECT_TRUE(stream.take_written().empty());
    EXPECT_NE(capture.text().find("****InitComms****\n"), std::string::npos);

    parameters.app.power_sat_box_enabled.set(true);
    poller = std::make_unique<Ecu_poller>(link, store, parameters);
    EXPECT_EQ(stream.take_written(), slave_frame(59, 0x31, 83, {80, 1}));
    EXPECT_EQ(poller->get_outstanding_slot(), Ecu_poller::power_box_slot);
    EXPECT_EQ(poller->get_expected_length(), 5u);
    EXPECT_EQ(link.get_timeout(), Ecu_poller::power_box_timeout_ms);
    reply(slave_frame(0x31, 59, 83, {}));
    EXPECT_EQ(capture.text().find("Check failed"), std::string::npos) << capture.text();
    poller->poll_next();
    EXPECT_EQ(described(stream.take_written()), "50/1[1]") << "then the cycle from slot 0";
    EXPECT_EQ(link.get_timeout(), Ecu_poller::reply_timeout_ms);
}

TEST_F(Poller, the_inputs_of_drive_ecu_52_are_no_spray_buttons)
{
    parameters.app.ecu_config.set(1);
    create();
    EXPECT_EQ(described(send_slot(20)), "52/73[0,1]");
    reply(slave_frame(0x31, 52, 73, {0x03}));
    EXPECT_EQ(read(store.body.diagnostics.spray_ecu[0].button_state), 0);
}

}
