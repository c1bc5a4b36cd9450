#include "Fake_ecu.h"
#include "orrvan_comms/private/include/Ecu_slave_tables.h"
#include "orrvan_comms/private/include/Slave_message_decoder.h"
#include "orrvan_comms/private/include/Slave_requests.h"
#include "platform/rtos/Debug_filter.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace Next_gen;

namespace {

constexpr uint64_t slave_name = 0xa00082000a0005ULL;

using Bytes = std::vector<uint8_t>;
using Calls = std::vector<std::string>;

std::string hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

// An ECU object as the decoder sees it: what it is told, written down.
class Recording_ecu : public Slave_response_iface {
public:
    explicit Recording_ecu(Ecu_type type) : m_type(type) {}

    Calls calls;
    std::map<uint16_t, std::shared_ptr<Ecu_pin_iface>> input_pins;

    const Ecu_slave_iface& get_slave_table() override { return m_tables.get_table(m_type); }
    void device_info_received(uint32_t value) override { calls.push_back("device_info(" + hex(value) + ")"); }
    void discreet_inputs_received(uint32_t mask) override { calls.push_back("discreet_inputs(" + hex(mask) + ")"); }
    void relays_received(uint32_t output_word) override { calls.push_back("relays(" + hex(output_word) + ")"); }
    std::shared_ptr<Ecu_pin_iface> get_input_pin(uint16_t input_index) override
    {
        const auto found = input_pins.find(input_index);
        return found == input_pins.end() ? nullptr : found->second;
    }
    void version_received(const Ecu_version_info& v) override
    {
        calls.push_back("version(" + std::to_string(v.ecu_type) + "," + std::to_string(v.ecu_series) + "," +
                        std::to_string(v.ecu_firmware_type) + "," + std::to_string(v.major) + "," +
                        std::to_string(v.minor) + "," + std::to_string(v.patch) + ")");
    }

private:
    const Ecu_type m_type;
    Ecu_slave_tables m_tables;
};

// Decodes with the library's debug channel on, collecting what is printed.
struct Decoding {
    explicit Decoding(Ecu_type type) : ecu(type) { Debug_filter::add(DEBUG_MODULE); }
    ~Decoding() { Debug_filter::remove(DEBUG_MODULE); }

    std::string decode(uint32_t pgn, const Bytes& data)
    {
        capture.clear();
        decoder.decode(pgn, data);
        return capture.text();
    }

    Recording_ecu ecu;
    Slave_message_decoder decoder{slave_name, ecu};
    Debug_capture capture;
};

struct Received_case {
    const char* what;
    Ecu_type type;
    uint32_t pgn;
    Bytes data;
    Calls calls;
    std::string printed;
};

class Received : public ::testing::TestWithParam<Received_case> {
};

TEST_P(Received, goes_to_the_handler_of_its_element_or_is_reported)
{
    Decoding decoding(GetParam().type);
    EXPECT_EQ(decoding.decode(GetParam().pgn, GetParam().data), GetParam().printed);
    EXPECT_EQ(decoding.ecu.calls, GetParam().calls);
}

constexpr Ecu_type rq71 = 1;
constexpr Ecu_type rq73 = 4;
constexpr Ecu_type unknown_model = 9;
constexpr uint32_t pd = PGN_PROCESS_DATA;
constexpr uint32_t pa = PGN_PROPRIETARY_A;

INSTANTIATE_TEST_SUITE_P(
    Message_set, Received,
    ::testing::Values(
        Received_case{"device_info", rq73, pd, {0x03, 0xFF, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00},
                      {"device_info(0x2)"}, ""},
        Received_case{"device_info_did_6_is_quiet", rq73, pd, {0x03, 0xFF, 0x06, 0x00, 0x02, 0x00, 0x00, 0x00},
                      {}, ""},
        Received_case{"device_info_did_7", rq73, pd, {0x03, 0xFF, 0x07, 0x00, 0x05, 0x00, 0x00, 0x00}, {},
                      "Unhandled Device Info Response(DID:0x0007 Value:0x00000005)\n"},
        Received_case{"discreet_inputs", rq73, pd, {0x03, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00},
                      {"discreet_inputs(0x400)"}, ""},
        Received_case{"discreet_inputs_did_3", rq73, pd, {0x03, 0x00, 0x03, 0x00, 0x00, 0x04, 0x00, 0x00}, {},
                      "Unhandled Discreet Input Response(DID:0x0003 Value:0x00000400)\n"},
        Received_case{"relays", rq73, pd, {0x33, 0x00, 0x00, 0x00, 0xF3, 0xFF, 0x03, 0x00},
                      {"relays(0x3fff3)"}, ""},
        Received_case{"relays_did_1", rq73, pd, {0x33, 0x00, 0x01, 0x00, 0xF3, 0xFF, 0x03, 0x00}, {},
                      "Unhandled Relay Response(DID:0x0001 Value:0x0003fff3)\n"},
        Received_case{"diagnostics", rq73, pd, {0xF3, 0xFE, 0x02, 0x00, 0x01, 0x00, 0x00, 0x00}, {},
                      "Unhandled Diagnostics Response(DID:0x0002 Value:0x00000001)\n"},
        Received_case{"comms", rq73, pd, {0xD3, 0xFE, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}, {},
                      "Unhandled Comms Response(DID:0x0000 Value:0x00000001)\n"},
        Received_case{"led_error", rq73, pd, {0xC3, 0xFE, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}, {},
                      "Unhandled Led Error Response(DID:0x0000 Value:0x00000001)\n"},
        Received_case{"unknown_element", rq73, pd, {0x33, 0x12, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00}, {},
                      "Unhandled Msg Response(EID:0x0123 DID:0x0001 Value:0x00000002)\n"},
        Received_case{"command_14_is_ignored", rq73, pd, {0x0E, 0xFF, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00}, {}, ""},
        Received_case{"element_0_is_the_led_error_on_rq71", rq71, pd,
                      {0x03, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00}, {},
                      "Unhandled Led Error Response(DID:0x0000 Value:0x00000400)\n"},
        Received_case{"discreet_inputs_rq71", rq71, pd, {0x53, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00},
                      {"discreet_inputs(0x1)"}, ""},
        Received_case{"device_info_rq71", rq71, pd, {0x43, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00},
                      {"device_info(0x1)"}, ""},
        Received_case{"unknown_model_uses_the_newest_table", unknown_model, pd,
                      {0x03, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00}, {"discreet_inputs(0x400)"}, ""},
        Received_case{"short_process_data", rq73, pd, {0x03, 0xFF, 0x00}, {},
                      "TEcu::a00082000a0005 Unhandled CanMsg(PGN: 0xcb00)\n"},
        Received_case{"empty_process_data", rq73, pd, {}, {},
                      "TEcu::a00082000a0005 Unhandled CanMsg(PGN: 0xcb00)\n"},
        Received_case{"another_pgn", rq73, 0xEA00, {0x00, 0xEE, 0x00}, {},
                      "TEcu::a00082000a0005 Unhandled CanMsg(PGN: 0xea00)\n"},
        Received_case{"version", rq73, pa, {0xFE, 0x00, 0x04, 0x01, 0x00, 0x02, 0x0A, 0x03},
                      {"version(4,1,0,2,10,3)"}, ""},
        Received_case{"other_proprietary_a", rq73, pa, {0x12, 0x34, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, {},
                      "TEcu::a00082000a0005 Unhandled PGN-A Msg(ResponseId: 0x1234)\n"},
        Received_case{"short_other_proprietary_a", rq73, pa, {0x0F, 0x00}, {},
                      "TEcu::a00082000a0005 Unhandled PGN-A Msg(ResponseId: 0x0f00)\n"},
        Received_case{"short_version", rq73, pa, {0xFE, 0x00, 0x04}, {},
                      "TEcu::a00082000a0005 Unhandled CanMsg(PGN: 0xef00)\n"},
        Received_case{"one_byte_proprietary_a", rq73, pa, {0xFE}, {},
                      "TEcu::a00082000a0005 Unhandled CanMsg(PGN: 0xef00)\n"}),
    [](const auto& info) { return std::string(info.param.what); });

uint32_t float_bits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

Bytes probe_response(uint16_t input_index, uint32_t value)
{
    Tessaryn::TTessarynMessage message;
    message.setElementID(4071);
    message.setDataID(input_index);
    message.setCommand(Tessaryn::TTessarynMessage::VALUE);
    message.setValue(value);
    return message.getData();
}

// Probed values of an RQ-73 go to the pins mapped to their input index:
// here the analogue input under 0, the encoder under 1 (period) and 2
// (pulse count), as a connector would map them.
struct Probe_fixture : ::testing::Test {
    Probe_fixture()
    {
        for (uint16_t index = 0; index < 3; ++index)
            decoding.ecu.input_pins[index] = ecu.pin_at_input(index);
    }

    Fake_ecu ecu{4};
    Ecu_connector& connector = ecu.add_connector();
    Ecu_pin_analogue_iface& analogue = connector.get_pin_analogue_input(7, "a");
    Ecu_pin_encoder_input_iface& encoder = connector.get_pin_encoder_input(3, "e");
    Decoding decoding{4};
};

TEST_F(Probe_fixture, an_analogue_value_arrives_as_float_bits)
{
    EXPECT_EQ(decoding.decode(PGN_PROCESS_DATA, probe_response(0, float_bits(-3.25f))), "");
    EXPECT_EQ(analogue.get_value(), -3.25f);
}

TEST_F(Probe_fixture, an_encoder_period_arrives_as_float_bits)
{
    EXPECT_EQ(decoding.decode(PGN_PROCESS_DATA, probe_response(1, float_bits(12.5f))), "");
    EXPECT_EQ(encoder.get_period(), 12.5f);
    EXPECT_EQ(encoder.get_pulse_count(), 0u);
}

TEST_F(Probe_fixture, a_pulse_count_arrives_as_float_bits_truncated_within_the_count_range)
{
    const std::pair<float, unsigned> counts[] = {
        {12.9f, 12u},
        {-5.0f, 0u},
        {1e12f, 4294967295u},
        {std::numeric_limits<float>::infinity(), 4294967295u},
        {4294967040.0f, 4294967040u},
        {std::nanf(""), 0u},
        {0.99f, 0u},
    };
    for (const auto& [received, count] : counts) {
        decoding.decode(PGN_PROCESS_DATA, probe_response(2, float_bits(received)));
        EXPECT_EQ(encoder.get_pulse_count(), count) << received;
    }
    EXPECT_EQ(encoder.get_period(), 0.0f);
}

TEST_F(Probe_fixture, a_value_for_an_input_no_pin_uses_is_dropped_quietly)
{
    EXPECT_EQ(decoding.decode(PGN_PROCESS_DATA, probe_response(3, 1)), "");
    EXPECT_EQ(analogue.get_value(), 0.0f);
}

TEST_F(Probe_fixture, a_value_for_a_pin_that_reports_nothing_under_that_index_is_reported)
{
    decoding.ecu.input_pins[7] = decoding.ecu.input_pins[1];
    EXPECT_EQ(decoding.decode(PGN_PROCESS_DATA, probe_response(7, 5)),
              "Unhandled encoder did:0x0007 Value:0x00000005\n");
    Ecu_pin_digital_input_iface& input = connector.get_pin_digital_input(4, "i");
    decoding.ecu.input_pins[8] = std::shared_ptr<Ecu_pin_iface>(std::shared_ptr<void>(), &input);
    EXPECT_EQ(decoding.decode(PGN_PROCESS_DATA, probe_response(8, 1)),
              "Unhandled Block probe response did:0x0008 Value:0x00000001\n");
    EXPECT_FALSE(input.get_value());
}

}
