#include "orrvan_comms/private/include/Ecu_common.h"
#include "orrvan_comms/private/include/RQ71_slave.h"
#include "orrvan_comms/private/include/RQ73_slave.h"
#include "orrvan_comms/private/include/Slave_requests.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/identity_t.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/serial_id_t.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/temperature_t.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/version_t.h"
#include "platform/rtos/Debug_filter.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

using namespace Next_gen;
using Tessaryn::TTessarynMessage;

namespace {

constexpr uint64_t slave_name = 0xa00082000a0005ULL;
const RQ73_slave rq73;
const RQ71_slave rq71;

using Bytes = std::vector<uint8_t>;

struct Golden_frame {
    const char* request;
    std::function<TTessarynMessage()> make;
    Bytes frame;
};

class Request_frames : public ::testing::TestWithParam<Golden_frame> {
};

TEST_P(Request_frames, encode_as_their_golden_frame_addressed_to_the_slave)
{
    const TTessarynMessage message = GetParam().make();
    EXPECT_EQ(message.getData(), GetParam().frame);
    EXPECT_EQ(message.getDeviceName(), slave_name);
}

INSTANTIATE_TEST_SUITE_P(
    Message_set, Request_frames,
    ::testing::Values(
        Golden_frame{"heartbeat", [] { return Slave_requests::heartbeat(slave_name); },
                     {0x0E, 0xE0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        Golden_frame{"request_device_config", [] { return Slave_requests::request_device_config(slave_name); },
                     {0x0E, 0xF0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        Golden_frame{"setup_mode", [] { return Slave_requests::setup_mode(slave_name); },
                     {0x0E, 0xF0, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}},
        Golden_frame{"configured", [] { return Slave_requests::configured(slave_name); },
                     {0x0E, 0xF0, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00}},
        Golden_frame{"clear_config", [] { return Slave_requests::clear_config(slave_name); },
                     {0x0E, 0xF0, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00}},
        Golden_frame{"clear_error_comms_rq73", [] { return Slave_requests::clear_error_comms(slave_name, rq73); },
                     {0xD3, 0xFE, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        Golden_frame{"clear_error_comms_rq71", [] { return Slave_requests::clear_error_comms(slave_name, rq71); },
                     {0x33, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        Golden_frame{"block_probe_rq73",
                     [] { return Slave_requests::block_probe(slave_name, rq73, 12, 1, 3); },
                     {0x73, 0xFE, 0x43, 0x00, 0x01, 0x00, 0x0C, 0x00}},
        Golden_frame{"block_probe_rq71",
                     [] { return Slave_requests::block_probe(slave_name, rq71, 524, 0, 3); },
                     {0x73, 0x00, 0x43, 0x00, 0x00, 0x00, 0x0C, 0x02}},
        Golden_frame{"probe_time_interval",
                     [] { return Slave_requests::probe_time_interval(slave_name, rq73, 2, 250); },
                     {0x74, 0xFE, 0x02, 0x00, 0xFA, 0x00, 0x00, 0x00}},
        Golden_frame{"poll_digital_inputs_rq73", [] { return Slave_requests::poll_digital_inputs(slave_name, rq73); },
                     {0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        Golden_frame{"poll_digital_inputs_rq71", [] { return Slave_requests::poll_digital_inputs(slave_name, rq71); },
                     {0x52, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        Golden_frame{"set_digital_on_change_mask",
                     [] { return Slave_requests::set_digital_on_change_mask(slave_name, rq73); },
                     {0x03, 0x00, 0x02, 0x00, 0x10, 0x00, 0x00, 0x00}},
        Golden_frame{"set_digital_input_time_interval",
                     [] { return Slave_requests::set_digital_input_time_interval(slave_name, rq73, 200); },
                     {0x04, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00}},
        Golden_frame{"set_digital_on_change_threshold",
                     [] { return Slave_requests::set_digital_on_change_threshold(slave_name, rq73); },
                     {0x08, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00}},
        Golden_frame{"set_digital_output_rq73",
                     [] { return Slave_requests::set_digital_output(slave_name, rq73, 0x3FFF3); },
                     {0x33, 0x00, 0x00, 0x00, 0xF3, 0xFF, 0x03, 0x00}},
        Golden_frame{"set_digital_output_rq71",
                     [] { return Slave_requests::set_digital_output(slave_name, rq71, 1); },
                     {0x53, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}},
        Golden_frame{"set_digital_input_polarity",
                     [] { return Slave_requests::set_digital_input_polarity(slave_name, rq73, 0xFFCFFFFF); },
                     {0x03, 0x00, 0x03, 0x00, 0xFF, 0xFF, 0xCF, 0xFF}},
        Golden_frame{"set_digital_input_polarity_rq71",
                     [] { return Slave_requests::set_digital_input_polarity(slave_name, rq71, 0xFFFFFFFC); },
                     {0x53, 0x00, 0x03, 0x00, 0xFC, 0xFF, 0xFF, 0xFF}}),
    [](const auto& info) { return std::string(info.param.request); });

TEST(Slave_requests, the_version_request_is_fixed)
{
    EXPECT_EQ(Slave_requests::get_version(), (Bytes{0x0F, 0x00, 0xFE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(PGN_PROCESS_DATA, 0xCB00u);
    EXPECT_EQ(PGN_PROPRIETARY_A, 0xEF00u);
}

TEST(Slave_requests, a_block_probe_says_so_on_the_library_channel)
{
    Debug_filter::add(DEBUG_MODULE);
    Debug_capture capture;
    Slave_requests::block_probe(slave_name, rq73, 524, 1, 3);
    Debug_filter::remove(DEBUG_MODULE);
    EXPECT_EQ(capture.text(), "TEcu::SendMessageBlockProbe(524, 1, 3)\n");
}

TEST(TTessarynMessage, starts_with_every_byte_0xff_and_no_device_name)
{
    const TTessarynMessage message;
    EXPECT_EQ(message.getData(), Bytes(8, 0xFF));
    EXPECT_EQ(message.getDeviceName(), 0u);
    EXPECT_EQ(message.getCommand(), 0x0F);
}

TEST(TTessarynMessage, fields_keep_to_their_bits)
{
    TTessarynMessage message;
    message.setElementID(0xE00);
    message.setCommand(TTessarynMessage::SLAVE_CONTROL);
    EXPECT_EQ(message.getData()[0], 0x0E);
    EXPECT_EQ(message.getData()[1], 0xE0);
    EXPECT_EQ(message.getElementID(), 0xE00);
    EXPECT_TRUE(message.isCommand(TTessarynMessage::SLAVE_CONTROL));
    EXPECT_FALSE(message.isCommand(TTessarynMessage::VALUE));

    message.setCommand(TTessarynMessage::VALUE);
    EXPECT_EQ(message.getElementID(), 0xE00) << "the command leaves the element ID";
    message.setElementID(0xABCD);
    EXPECT_EQ(message.getElementID(), 0xBCD) << "bits 12 to 15 are lost";
    EXPECT_EQ(message.getCommand(), TTessarynMessage::VALUE) << "the element ID leaves the command";

    message.setDataID(0x1234);
    message.setValue(0x89ABCDEF);
    EXPECT_EQ(message.getDataID(), 0x1234);
    EXPECT_EQ(message.getValue(), 0x89ABCDEFu);
    EXPECT_EQ(message.getData(), (Bytes{0xD3, 0xBC, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89}));
    EXPECT_EQ(TTessarynMessage(message.getData()).getData(), message.getData());
}

TEST(TTessarynMessage, prints_its_bytes_on_standard_output)
{
    ::testing::internal::CaptureStdout();
    Slave_requests::heartbeat(slave_name).print();
    std::fflush(stdout);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "DATA: 0E E0 00 00 00 00 00 00 \n");
}

TEST(Slave_data_records, start_dirty_and_print_their_lines)
{
    Debug_capture capture;
    Tessaryn::version_t version;
    version.print();
    version.dirty = 0;
    version.ecu_type = 4;
    version.ecu_series = 1;
    version.major = 2;
    version.minor = 10;
    version.patch = 3;
    version.print();
    Tessaryn::identity_t identity;
    identity.print();
    identity.id = 0x31234;
    identity.print();
    Tessaryn::serial_id_t serial;
    serial.id[0] = 0xAB;
    serial.id[11] = 0x01;
    serial.print();
    Tessaryn::temperature_t temperature;
    temperature.value = 21.5f;
    temperature.print();
    EXPECT_EQ(capture.text(),
              "version:dirty=1,ecu_type=0,ecu_series=0,ecu_firmware_type=0,major=0,minor=0,patch=0\n"
              "version:dirty=0,ecu_type=4,ecu_series=1,ecu_firmware_type=0,major=2,minor=10,patch=3\n"
              "identity:dirty=1,id=ffffffff\n"
              "identity:dirty=1,id=31234\n"
              "identity:dirty=1,id(hex)=ab 00 00 00 00 00 00 00 00 00 00 01 \n"
              "temperature_t:dirty=1,value=21.500000\n");
}

}
