// The poll engine against the fake slave processors on a pseudo-terminal:
// every slot of the table gets a reply of the length it expects, whatever
// the slave network, and the replies land in the store.
#include "control_logic/Ecu_poller.h"
#include "control_logic/Packet_interface.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/io/Posix_threaded_serial_data_stream.h"
#include "tests/control_logic/Temp_folder.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Fake_slave.h"
#include "tests/support/Fake_slave_replies.h"
#include "tests/support/Wait_until.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>

namespace {

// "HH:MM:SS.mmm request to ..."
bool timed(const std::string& line)
{
    const std::string form = "00:00:00.000 request to ";
    if (line.size() < form.size())
        return false;
    for (size_t i = 0; i < form.size(); ++i) {
        const bool digit = line[i] >= '0' && line[i] <= '9';
        if (form[i] == '0' ? !digit : line[i] != form[i])
            return false;
    }
    return true;
}

struct Poll_engine_with_fake_slave : ::testing::Test {
    Temp_folder folder;
    Debug_capture capture;
    Data_store store{nullptr, "0.1.0"};
    NV_quvel::parameters_t parameters;
    NV_quvel::application_t& app = parameters.app;
    std::mutex lines_mutex;
    std::vector<std::string> lines;
    std::unique_ptr<Fake_slave> fake;
    waiter_descriptor waiter; // outlives the stream that posts to it
    Posix_threaded_serial_data_stream stream;
    Packet_interface link{stream};
    std::unique_ptr<Ecu_poller> poller;

    void start(bool echo)
    {
        Fake_slave::Settings settings;
        settings.link = folder.path() + "/slaves";
        settings.echo = echo;
        fake = std::make_unique<Fake_slave>(settings, [this](const std::string& line) {
            std::lock_guard<std::mutex> lock(lines_mutex);
            lines.push_back(line);
        });
        std::string error;
        ASSERT_TRUE(fake->start(error)) << error;
        ASSERT_TRUE(stream.open(settings.link.c_str())) << capture.text();
        ASSERT_TRUE(stream.init(nullptr));
        stream.register_waiter(&waiter);
    }

    // Takes the reply to the request that is out, as the control task does:
    // as text while the scale is asked; false when none comes.
    bool answer()
    {
        const bool ascii = poller->get_outstanding_slot() == Ecu_poller::scale_slot;
        Packet reply;
        if (ascii)
            reply.init_ascii();
        const Atime deadline = Atime::now() + Rtime(10000);
        waiter_event event;
        while (!link.receive(reply, ascii)) {
            if (!waiter.wait(event, deadline))
                return false;
        }
        poller->on_reply(reply);
        return true;
    }

    // One whole cycle of the table, each request answered; the slots sent.
    std::vector<uint32_t> cycle()
    {
        std::vector<uint32_t> sent;
        do {
            poller->poll_next();
            sent.push_back(poller->get_outstanding_slot());
            if (!answer()) {
                ADD_FAILURE() << "no reply in slot " << sent.back() << "\n" << log_text();
                break;
            }
        } while (poller->get_poll_index() != 0);
        return sent;
    }

    std::string log_text()
    {
        std::lock_guard<std::mutex> lock(lines_mutex);
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        return text;
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

    // Every slave and option there is, so that every slot is sent.
    void everything_fitted(uint8_t ecu_config)
    {
        app.ecu_config.set(ecu_config);
        for (int c = 0; c < 10; ++c) {
            app.channels[c]->enabled.set(true);
            app.channels[c]->liquid_pressure_sense.set(true);
        }
        for (int f = 0; f < 5; ++f)
            app.fans[f]->sense_rpm.set(true);
        app.booms.num_booms.set(2);
        app.booms.booms[0]->type.set(1);
        app.booms.booms[1]->type.set(2);
        app.booms.section_monitoring.set(true);
        app.booms.section_monitoring_style.set(1);
        app.swbox_external_swbox_type.set(2);
        app.swbox_cal_swbox_type.set(2);
        app.drill_control_enabled.set(true);
        app.monitor_ecus.monitoring_config.set(1);
        app.monitor_ecus.monitor_ecus[0]->enabled.set(true);
        app.power_sat_box_enabled.set(true);
        write(store.body.operation.calibration_scales_mode, int32_t(2));
        write(store.body.operation.calibration_scales[0].scale_enabled, true);
        write(store.body.operation.calibration_scale_dec_places, int32_t(1));
        write(store.body.channels.channels[0].set_period, 4000u);
    }
};

TEST_F(Poll_engine_with_fake_slave, every_slot_of_every_slave_network_is_answered_at_its_length)
{
    start(false);
    for (uint8_t ecu_config = 0; ecu_config <= 6; ++ecu_config) {
        SCOPED_TRACE(testing::Message() << "ecu_config " << int(ecu_config));
        parameters.app.set_default(true);
        everything_fitted(ecu_config);
        poller = std::make_unique<Ecu_poller>(link, store, parameters);
        ASSERT_TRUE(answer()) << "the power box\n" << log_text();
        // Two cycles: the first teaches the engine the drive ECUs' versions,
        // which open the input slots of the second.
        cycle();
        const std::vector<uint32_t> sent = cycle();
        EXPECT_EQ(capture.text().find("Check failed"), std::string::npos) << capture.text();
        EXPECT_EQ(capture.text().find("Pkt fail"), std::string::npos) << capture.text();
        EXPECT_EQ(capture.text().find("incorrect"), std::string::npos) << capture.text();
        for (uint32_t slot : {0u, 9u, 14u, 15u, 17u, 18u, 19u, 24u, 25u, 26u, 29u, 33u, 34u, 35u, 36u, 37u, 38u, 39u})
            EXPECT_NE(std::find(sent.begin(), sent.end(), slot), sent.end()) << "slot " << slot;
        EXPECT_EQ(read(store.body.system.ECU_status), 0u);
        capture.clear();
    }
}

TEST_F(Poll_engine_with_fake_slave, the_replies_reach_the_store_through_echo_and_the_log_has_a_timed_line_per_request)
{
    start(true);
    everything_fitted(0);
    poller = std::make_unique<Ecu_poller>(link, store, parameters);
    ASSERT_TRUE(answer()) << log_text();
    size_t requests = 1;
    requests += cycle().size();
    requests += cycle().size();
    EXPECT_EQ(capture.text().find("Check failed"), std::string::npos) << capture.text();

    using namespace Fake_slave_replies;
    EXPECT_EQ(read(store.body.vehicle.ground_speed_sensor.period), wheel_period << 9);
    EXPECT_GT(read(store.body.vehicle.ground_speed_sensor.pulse_count), 0u);
    EXPECT_EQ(read(store.body.channels.channels[0].actual_period), 4000u) << "the drive reports the period asked";
    EXPECT_EQ(read(store.body.fans[0].period), 2 * fan_period);
    EXPECT_EQ(read(store.body.channels.channels[0].ecu_version.v_major), version_major);
    EXPECT_EQ(read(store.body.channels.channels[0].ecu_version.v_minor), version_minor);
    EXPECT_FLOAT_EQ(read(store.body.operation.calibration_scales[0].gross_weight), (scale_count + 100) / 10.0f);
    EXPECT_TRUE(read(store.body.operation.tillage_switch_active));

    // One line per frame, each starting with its time of day, each request
    // echoed before its reply.
    EXPECT_TRUE(wait_until([&] {
        std::lock_guard<std::mutex> lock(lines_mutex);
        return lines.size() == requests;
    })) << log_text();
    std::lock_guard<std::mutex> lock(lines_mutex);
    for (const std::string& line : lines) {
        EXPECT_TRUE(timed(line)) << line;
        EXPECT_NE(line.find(" -> echo -> reply "), std::string::npos) << line;
    }
}

}
