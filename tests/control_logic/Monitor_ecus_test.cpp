#include "control_logic/Ecu_poller.h"
#include "tests/control_logic/Slave_frames.h"
#include "control_logic/Packet_interface.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/io/Memory_data_stream.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Monitors : ::testing::Test {
    Debug_capture capture;
    Data_store store{nullptr, "0.1.0"};
    NV_quvel::parameters_t parameters;
    NV_quvel::application_t& app = parameters.app;
    Memory_data_stream stream;
    Packet_interface link{stream};
    std::unique_ptr<Ecu_poller> poller;

    void create()
    {
        poller = std::make_unique<Ecu_poller>(link, store, parameters);
        stream.take_written();
    }
    void reply(const Bytes& bytes)
    {
        stream.feed(bytes);
        Packet p;
        ASSERT_TRUE(link.receive(p, false));
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
    // "dest/command" of the request written last.
    std::string sent()
    {
        const Bytes b = stream.take_written();
        return b.size() < 4 ? "none" : std::to_string(b[0]) + "/" + std::to_string(b[3]);
    }
    // The auto-detect walk for steps requests, the ECUs at answering replying
    // to each request and the others silent.
    std::vector<std::string> detect(int steps, std::vector<uint8_t> answering)
    {
        write(store.body.monitor_ecus.activate_auto_detect, true);
        poller->enter_auto_detect();
        std::vector<std::string> requests;
        for (int i = 0; i < steps; ++i) {
            poller->auto_detect_step();
            const Bytes b = stream.take_written();
            if (b.size() < 4) {
                requests.push_back("none");
                continue;
            }
            requests.push_back(std::to_string(b[0]) + "/" + std::to_string(b[3]));
            bool answers = false;
            for (uint8_t a : answering)
                answers = answers || a == b[0];
            if (answers && b[3] == 9)
                reply(reply_from(b[0], 9, {0, 3, 7, 255, 4, 2}));
            else if (answers)
                reply(reply_from(b[0], 2, {0, 0, 0, 0, 0}));
            else if (poller->auto_detect_counts_misses())
                poller->record_result(false);
        }
        return requests;
    }
};

TEST_F(Monitors, numbering_and_the_index_of_a_source)
{
    EXPECT_EQ(Ecu_poller::monitor_address(1), 57);
    EXPECT_EQ(Ecu_poller::monitor_address(5), 71);
    EXPECT_EQ(Ecu_poller::monitor_index(57), 0u);
    EXPECT_EQ(Ecu_poller::monitor_index(68), 1u);
    EXPECT_EQ(Ecu_poller::monitor_index(75), 8u);
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(Ecu_poller::monitor_index(56), 0u);
    EXPECT_NE(capture.text().find("MonitorECUIndexFromProc: ProcNum=38 out of range"), std::string::npos);
}

TEST_F(Monitors, auto_detect_tries_each_silent_ecu_three_times_then_walks_the_found_ones)
{
    create();
    const std::vector<std::string> expected = {
        "57/9", "68/9", "69/9", "70/9", "71/9", // first tries; 57 and 68 answer
        "69/9", "70/9", "71/9", "69/9", "70/9", "71/9",
        "57/9", "57/3", "68/9", "68/3", "57/9", // setup and read alternate over the found ones
    };
    EXPECT_EQ(detect(int(expected.size()), {57, 68}), expected);
    for (int m = 0; m < 5; ++m)
        EXPECT_EQ(app.monitor_ecus.monitor_ecus[m]->enabled.get(), m < 2) << "monitor ECU " << m + 1;
    const ds_version v = read(store.body.monitor_ecus.monitor_ecu[1].version);
    EXPECT_EQ(v.v_major, 4);
    EXPECT_EQ(v.v_minor, 2);
}

TEST_F(Monitors, personality_2_has_four_monitor_ecus)
{
    app.personality.set(2);
    create();
    const std::vector<std::string> expected = {
        "57/9", "68/9", "69/9", "70/9", "57/9", "68/9", "69/9", "70/9", "57/9", "68/9", "69/9", "70/9",
    };
    EXPECT_EQ(detect(int(expected.size()), {}), expected);
}

TEST_F(Monitors, a_found_ecu_is_enabled_only_while_detection_is_asked)
{
    create();
    poller->enter_auto_detect();
    poller->auto_detect_step();
    stream.take_written();
    reply(reply_from(57, 9, {0, 3, 7, 255, 4, 2}));
    EXPECT_FALSE(app.monitor_ecus.monitor_ecus[0]->enabled.get());
    EXPECT_EQ(read(store.body.monitor_ecus.monitor_ecu[0].version).v_major, 4) << "the version is kept anyway";
}

TEST_F(Monitors, replies_from_72_to_75_and_beyond_the_ecus_are_ignored)
{
    struct Case {
        uint8_t personality, source;
    };
    for (const Case& c : {Case{0, 72}, Case{0, 75}, Case{2, 71}}) {
        SCOPED_TRACE(int(c.source));
        app.personality.set(c.personality);
        create();
        write(store.body.monitor_ecus.activate_auto_detect, true);
        poller->enter_auto_detect();
        poller->auto_detect_step();
        stream.take_written();
        const ds_monitor_ecus before = read(store.body.monitor_ecus);
        reply(reply_from(c.source, 9, {0, 3, 7, 255, 4, 2}));
        const ds_monitor_ecus after = read(store.body.monitor_ecus);
        EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
        for (int m = 0; m < 5; ++m)
            EXPECT_FALSE(app.monitor_ecus.monitor_ecus[m]->enabled.get());
    }
}

TEST_F(Monitors, read_requests_by_sensor_type_and_timers)
{
    struct Case {
        const char* name;
        uint8_t blockage_type;
        bool identification;
        int32_t power_cycle;
        Bytes request; // command, data
    };
    const Case cases[] = {
        {"blockage sensors", 1, true, 10, {2, 4, 0, 0, 0, 0, 0}},
        {"faulty sensor identification sends the masks", 0, true, 10, {3, 1, 0, 0xFF, 0xF0, 0xFF, 0xFF}},
        {"power cycle under way", 0, false, 6, {3, 1, 1, 0, 0, 0, 0}},
        {"power cycle over", 0, false, 0, {2, 1, 0, 0, 0, 0, 0}},
        {"power cycle settling", 0, false, 5, {3, 1, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app.monitor_ecus.blockage_sensor_type.set(c.blockage_type);
        app.monitor_ecus.monitor_ecus[0]->enabled.set(true);
        create();
        write(store.body.monitor_ecus.activate_faulty_sensor_identification, c.identification);
        write(store.body.monitor_ecus.monitor_power_cycle_timer, c.power_cycle);
        write(store.body.monitor_ecus.monitor_inputs_inhibited[1], uint8_t(0x0F));
        poller->enter_auto_detect();
        detect(5, {57}); // setup 57, then the silent ones' tries until read
        Bytes b;
        for (int i = 0; i < 20 && (b.size() < 4 || b[3] == 9); ++i) {
            poller->auto_detect_step();
            b = stream.take_written();
        }
        ASSERT_GE(b.size(), 11u);
        EXPECT_EQ(b[0], 57);
        EXPECT_EQ(Bytes(b.begin() + 3, b.begin() + 10), c.request);
    }
}

// Input byte 4 is the first of monitor ECU 68; its eight sensors name
// these boom sections and tanks.
TEST_F(Monitors, the_effective_mask_drops_idle_sections_and_inactive_head_systems)
{
    app.booms.section_monitoring.set(true);
    app.monitor_ecus.double_shooting.set(true);
    app.monitor_ecus.monitor_inputs[5]->mask.set(0x0F);
    app.channels[2]->head_system.set(1);
    app.channels[3]->head_system.set(5);
    const uint16_t words[8] = {
        0x1020, // boom 1 section 2: working
        0x1030, // boom 1 section 3: idle, dropped
        0x6000, // boom 6: beyond the booms, unassigned
        0x00A0, // section 10: beyond the sections, unassigned
        0x0002, // tank 2 on head system 1, inactive: dropped
        0x000C, // tank 12: beyond the tanks, unassigned
        0x0003, // tank 3 on head system 5: beyond the head systems, unassigned
        0xFFFF, // everything out of range
    };
    for (int k = 0; k < 8; ++k)
        app.monitor_ecus.monitor_inputs_sections[32 + k]->boom_section.set(words[k]);
    app.monitor_ecus.monitoring_config.set(1);
    app.monitor_ecus.monitor_ecus[1]->enabled.set(true);
    create();
    write(store.body.booms.boom[1].sections[2].delayed_work_state, uint8_t(1));
    write(store.body.booms.boom[0].sections[0].delayed_work_state, uint8_t(1));
    write(store.body.monitor_ecus.head_system_active[0], true);

    for (uint32_t slot = 0; poller->get_poll_index() != 24 && slot < 40; ++slot)
        poller->advance();
    ASSERT_EQ(poller->get_poll_index(), 24u);
    poller->poll_next();
    EXPECT_EQ(sent(), "68/3");
    reply(reply_from(68, 2, {0x42, 0xFF, 0x81, 0, 0}));

    ds_monitor_ecus& m = store.body.monitor_ecus;
    EXPECT_EQ(read(m.monitor_ecu[1].setup_mode), 0x42);
    EXPECT_EQ(read(m.monitor_ecu[1].monitor_state[1]), 0x81);
    EXPECT_EQ(read(m.monitor_inputs_active[4]), 0xFF);
    EXPECT_EQ(read(m.monitor_inputs_active[5]), 0x81);
    EXPECT_EQ(read(m.monitor_inputs_inhibited[4]), 0x12);
    EXPECT_EQ(read(m.monitor_inputs_inhibited[5]), 0xF0);
}

struct Section_monitors : Monitors {
    ds_section_monitoring& sm = store.body.section_monitors;

    void tank(int c, int32_t boom) { write(sm.tanks[c].boom_assignment, boom); }
    // Slot 36's request: command and data.
    Bytes poll_36()
    {
        for (uint32_t slot = 0; poller->get_poll_index() != 36 && slot < 40; ++slot)
            poller->advance();
        poller->poll_next();
        const Bytes b = stream.take_written();
        return Bytes(b.begin() + 3, b.end() - 1);
    }
    // Tank 0 running on boom 0, whose sections are on as given.
    void running(std::initializer_list<int> sections_on, int32_t sections)
    {
        app.booms.section_monitoring.set(true);
        app.booms.section_monitoring_style.set(1);
        app.channels[0]->enabled.set(true);
        create();
        write(store.body.system.vt_uploaded, true);
        write(store.body.operation.inhibit_master_switch, false);
        write(store.body.operation.master_switch_active, true);
        write(store.body.channels.channels[0].active, true);
        for (int s : sections_on)
            write(store.body.booms.boom[0].sections[s].setpoint_work_state, 1u);
        write(sm.num_tanks, int32_t(1));
        tank(0, 0);
        boom(0, sections);
        poller->rebuild_section_monitors();
        write(sm.threshold_percent, 10.0f);
        write(sm.tanks[0].section_encoder_ratio, int32_t(100));
    }
    void boom(int b, int32_t sections) { write(sm.booms[b].num_sections, sections); }
    std::string inputs()
    {
        std::string s;
        for (int32_t i = 0; i < read(sm.num_inputs); ++i) {
            const ds_section_monitoring_inputs e = read(sm.inputs[i]);
            s += std::to_string(e.tank) + std::to_string(e.boom) + std::to_string(e.section) + " ";
        }
        return s;
    }
};

TEST_F(Section_monitors, the_list_has_a_sensor_per_section_of_each_granular_tank_at_most_32)
{
    struct Case {
        const char* name;
        int32_t tanks;
        std::vector<std::pair<int, int32_t>> assignments; // tank, boom
        int32_t count;
        std::string first;
    };
    for (int b = 0; b < 10; ++b)
        boom(b, 3);
    boom(4, 1);
    boom(5, 10);
    boom(1, 12);
    app.channels[1]->mode.set(1);
    const Case cases[] = {
        {"granular tanks only, booms of more than one section", 4, {{0, 2}, {1, 3}, {2, 4}, {3, 0}}, 6,
         "020 021 022 300 301 302 "},
        {"booms out of range are passed over", 2, {{0, -1}, {1, 3}}, 0, ""},
        {"booms beyond the machine's six are passed over", 1, {{0, 7}}, 0, ""},
        {"a boom counts ten sections at most", 1, {{0, 1}}, 10, "010 011 012 013 014 015 016 017 018 019 "},
        {"capped at 32", 10, {{0, 5}, {2, 5}, {3, 5}, {4, 5}}, 32, "050 051 052 "},
        {"tanks beyond ten are not read", 11, {{9, 0}}, 3, "900 901 902 "},
    };
    create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int t = 0; t < 10; ++t)
            tank(t, 99);
        for (auto [t, b] : c.assignments)
            tank(t, b);
        write(sm.num_tanks, c.tanks);
        poller->rebuild_section_monitors();
        EXPECT_EQ(read(sm.num_inputs), c.count);
        EXPECT_EQ(inputs().substr(0, c.first.size()), c.first);
    }
}

TEST_F(Section_monitors, slot_36_walks_the_running_sections_then_sets_up_and_decodes_the_rates)
{
    running({0, 2}, 3);
    write(sm.raw_pulsed_section_monitors_status, 0xFFu);
    write(sm.pulsed_section_monitors_diagnostics_input, int32_t(2));
    write(store.body.channels.channels[0].shaft_rpm, 300.0);

    EXPECT_EQ(poll_36(), (Bytes{9, 0, 3, 0, 255, 255})) << "set up before the first walk";
    reply(reply_from(71, 9, {0, 3, 0, 255, 5, 1}));
    EXPECT_EQ(poll_36(), (Bytes{1, 0}));
    // 1000 x 2 ms per turn over 100 pulses per turn: 300 rpm, as the tank's shaft.
    reply(reply_from(71, 1, {0xE8, 0x03, 0x00, 0, 0}));
    EXPECT_EQ(read(sm.raw_pulsed_section_monitors_status), 0xFEu);

    EXPECT_EQ(poll_36(), (Bytes{1, 2})) << "section 1 is off: passed over";
    EXPECT_EQ(read(sm.raw_pulsed_section_monitors_status), 0xFCu);
    EXPECT_EQ(read(sm.pulsed_section_monitors_diagnostics_section), 3);
    reply(reply_from(71, 1, {0xFF, 0xFF, 0xFF, 0, 0})); // no pulse: a stopped section
    EXPECT_EQ(read(sm.raw_pulsed_section_monitors_status), 0xFCu | 4u);
    EXPECT_EQ(read(sm.pulsed_section_monitors_diagnostics_section_rpm), 0.0f);

    EXPECT_EQ(poll_36(), (Bytes{9, 0, 3, 0, 255, 255})) << "past the last entry";
    EXPECT_EQ(poller->get_expected_length(), 11u);
    EXPECT_EQ(poll_36(), (Bytes{9, 0, 3, 0, 255, 255})) << "until a set-up reply";
    reply(reply_from(71, 9, {0, 3, 0, 255, 5, 1}));
    EXPECT_EQ(poll_36(), (Bytes{1, 0})) << "the walk starts again";
}

TEST_F(Section_monitors, rate_and_ratio_decoding)
{
    struct Case {
        const char* name;
        Bytes period;
        double shaft_rpm;
        bool settled;
        float rate, ratio;
        bool flagged;
    };
    const Case cases[] = {
        {"matching", {0xE8, 0x03, 0x00}, 300.0, true, 300.0f, 1.0f, false},
        {"slow and settled", {0xD0, 0x07, 0x00}, 300.0, true, 150.0f, 0.5f, true},
        {"slow, not settled", {0xD0, 0x07, 0x00}, 300.0, false, 150.0f, 0.5f, false},
        {"just below the band", {0xB0, 0x04, 0x00}, 300.0, true, 250.0f, 250.0f / 300.0f, true},
        {"stopped, not settled", {0, 0, 0}, 300.0, false, 0.0f, 0.0f, true},
        {"tank shaft still", {0xE8, 0x03, 0x00}, 0.0, true, 300.0f, 0.0f, false},
        {"high byte of the period", {0x00, 0x00, 0x01}, 300.0, true, 60000.0f / (65536 * 0.002f) / 100.0f,
         60000.0f / (65536 * 0.002f) / 100.0f / 300.0f, true},
    };
    running({0}, 2);
    write(sm.pulsed_section_monitors_diagnostics_input, int32_t(0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write(store.body.channels.channels[0].shaft_rpm, c.shaft_rpm);
        write(sm.sections_settled, c.settled);
        write(sm.raw_pulsed_section_monitors_status, 0u);
        // Between rounds of the walk comes a set-up.
        Bytes request = poll_36();
        for (int i = 0; i < 3 && request[0] == 9; ++i) {
            reply(reply_from(71, 9, {0, 3, 0, 255, 5, 1}));
            request = poll_36();
        }
        ASSERT_EQ(request, (Bytes{1, 0}));
        Bytes data = c.period;
        data.insert(data.end(), {0, 0});
        reply(reply_from(71, 1, data));
        EXPECT_FLOAT_EQ(read(sm.pulsed_section_monitors_diagnostics_section_rpm), c.rate);
        EXPECT_FLOAT_EQ(read(sm.pulsed_section_monitors_diagnostics_section_ratio), c.ratio);
        EXPECT_EQ(read(sm.raw_pulsed_section_monitors_status) & 1u, c.flagged ? 1u : 0u);
    }
}

}
