// The identification replies: this ECU's contents, the software fields
// appended later, and the answers a service tool on the bus gets.
#include "data_store/Data_store.h"
#include "diagnostics/Implement_diag.h"
#include "platform/rtos/Debug_base.h"
#include "tests/diagnostics/Isobus_bench.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint32_t pgn_tp_cm = 0xEC00;
constexpr uint8_t global = 0xFF;
constexpr uint8_t tp_rts = 0x10, tp_bam = 0x20;

class Isobus_diagnostics_test : public Isobus_bench {
protected:
    // The control bytes of the transport's connection frames from the ECU, and their destinations.
    std::vector<std::pair<uint8_t, uint8_t>> connections() const
    {
        std::vector<std::pair<uint8_t, uint8_t>> out;
        for (const Can_frame& f : frames(pgn_tp_cm))
            out.emplace_back(f.data[0], uint8_t(f.id >> 8));
        return out;
    }
};

TEST_F(Isobus_diagnostics_test, this_ecu_installs_its_six_replies)
{
    Data_store store(nullptr, "1.4.2");
    Implement_diag diag(store);
    ASSERT_TRUE(diag.init(*Diner_info_list::get(), nullptr, Known_names::get_seeder(1)));

    EXPECT_EQ(text_of(diag.get_response(Isobus_diagnostics::pgn_ecu_identification)),
              "PXT8812*00:00:00:00:00:00*On Cart*RQ-71*Vemtra Precision Agriculture*" + std::string(36, '0') +
                  "#RQ-71 Board Rev 1.0*");
    EXPECT_EQ(diag.get_response(Isobus_diagnostics::pgn_functionalities),
              (Bytes{0xFF, 0x03, 0x00, 0x01, 0x00, 0x02, 0x01, 0x00, 0x0C, 0x01, 0x00}));
    EXPECT_EQ(text_of(diag.get_response(Isobus_diagnostics::pgn_product_identification)),
              "Orrvan RQ-71*Vemtra Precision Agriculture*RQ-71*");
    EXPECT_EQ(text_of(diag.get_response(Isobus_diagnostics::pgn_software_identification)), "\x01" "1.4.2*");
    EXPECT_EQ(diag.get_response(Isobus_diagnostics::pgn_diagnostic_protocol),
              (Bytes{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(diag.get_response(Isobus_diagnostics::pgn_compliance_certs),
              (Bytes{0x00, 0x06, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00}));
    diag.cleanup();
    EXPECT_FALSE(diag.is_running());
}

TEST_F(Isobus_diagnostics_test, the_defaults_come_from_the_platform_texts_leaving_unknown_ones_empty)
{
    EXPECT_EQ(text_of(isobus->get_response(Isobus_diagnostics::pgn_ecu_identification)),
              "KX4-ECU**Implement*Seeder ECU**KX4-HW1*");
    EXPECT_EQ(text_of(isobus->get_response(Isobus_diagnostics::pgn_product_identification)), "KX4**Air Seeder*");
    EXPECT_EQ(isobus->get_response(Isobus_diagnostics::pgn_functionalities),
              (Bytes{0xFF, 0x01, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(isobus->get_response(Isobus_diagnostics::pgn_software_identification), Bytes{0x00});
}

struct Append_case {
    const char* what;
    std::vector<const char*> texts; // null-terminated by the test
    std::string after;
    const char* line;
};

TEST_F(Isobus_diagnostics_test, appended_software_fields_raise_the_count_and_a_bad_list_changes_nothing)
{
    const std::string too_long(1100, 'x');
    const std::string start = "\x01" "1.4.2*";
    const Append_case cases[] = {
        {"two texts", {"boot 2", "io 3"}, "\x03" "1.4.2*boot 2*io 3*", ""},
        {"a text holding '*'", {"ok", "bad*"}, start, "Failed to append new field 'bad*'\n"},
        {"a text that does not fit", {too_long.c_str()}, start, "Failed to append new field 'xxx"},
        {"an empty list", {}, start, ""},
    };
    for (const Append_case& c : cases) {
        SCOPED_TRACE(c.what);
        Iso11783::Msg_SoftwareIdentification software;
        software.data()[0] = 1;
        software.set_delim_field(0, "1.4.2");
        software.finish();
        isobus->set_software_id_response(software);
        std::vector<const char*> list = c.texts;
        list.push_back(nullptr);
        Debug_capture out;
        isobus->append_software_fields(list.data());
        EXPECT_EQ(text_of(isobus->get_response(Isobus_diagnostics::pgn_software_identification)), c.after);
        if (*c.line)
            EXPECT_EQ(out.text().rfind(c.line, 0), 0u) << out.text();
        else
            EXPECT_EQ(out.text(), "");
    }
    isobus->append_software_fields(nullptr);
    EXPECT_EQ(text_of(isobus->get_response(Isobus_diagnostics::pgn_software_identification)), start);
}

struct Request_case {
    uint32_t pgn;
    const char* line;
};

TEST_F(Isobus_diagnostics_test, each_identification_request_is_answered_to_the_requester_long_ones_by_tp)
{
    const Request_case cases[] = {
        {Isobus_diagnostics::pgn_diagnostic_protocol, "PGN_ISOBUS_DIAGNOSTIC_PROTOCOL\n"},
        {Isobus_diagnostics::pgn_product_identification, "PGN_ISOBUS_PRODUCT_IDENTIFICATION\n"},
        {Isobus_diagnostics::pgn_functionalities, "PGN_ISOBUS_FUNCTIONALITIES\n"},
        {Isobus_diagnostics::pgn_ecu_identification, "PGN_J1939_ECU_IDENTIFICATION\n"},
        {Isobus_diagnostics::pgn_software_identification, "PGN_J1939_SOFTWARE_IDENTIFICATION\n"},
        {Isobus_diagnostics::pgn_compliance_certs, "PGN_ISOBUS_COMPLIANCE_CERTS\n"},
    };
    const char* const boot[] = {"Boot loader 2.0", nullptr};
    isobus->append_software_fields(boot); // long enough for the transport
    Debug_base::set_filters("2e");
    for (const Request_case& c : cases) {
        SCOPED_TRACE(c.line);
        wire.heard.clear();
        Debug_capture out;
        request(c.pgn, ecu_address);
        run_isobus(500);
        const Bytes stored = isobus->get_response(c.pgn);
        EXPECT_EQ(messages(c.pgn), std::vector<Bytes>{stored});
        EXPECT_EQ(out.text().rfind(c.line, 0), 0u) << "first: " << out.text();
        using Connections = std::vector<std::pair<uint8_t, uint8_t>>;
        if (stored.size() > 8) {
            ASSERT_FALSE(connections().empty());
            EXPECT_EQ(connections().front(), std::make_pair(tp_rts, tool_address)) << "by RTS/CTS to the tool";
        } else {
            EXPECT_EQ(connections(), Connections{}) << "one frame";
            EXPECT_EQ(frames(c.pgn).size(), 1u);
        }
    }
    Debug_base::set_filters("00");
}

TEST_F(Isobus_diagnostics_test, a_request_to_all_is_answered_to_all_by_bam)
{
    request(Isobus_diagnostics::pgn_ecu_identification, global);
    run_isobus(1000);
    EXPECT_EQ(messages(Isobus_diagnostics::pgn_ecu_identification),
              std::vector<Bytes>{isobus->get_response(Isobus_diagnostics::pgn_ecu_identification)});
    ASSERT_FALSE(connections().empty());
    EXPECT_EQ(connections().front(), std::make_pair(tp_bam, global));
}

TEST_F(Isobus_diagnostics_test, another_pgn_goes_on_to_the_j1939_service_after_its_line)
{
    Debug_base::set_filters("2e");
    Debug_capture out;
    request(Diagnostics::pgn_dm1, ecu_address);
    run_isobus(100);
    Debug_base::set_filters("00");
    EXPECT_EQ(out.text().rfind("Not an ISOBUS diag pgn. Checking J1939\n", 0), 0u) << out.text();
    EXPECT_EQ(messages(Diagnostics::pgn_dm1), (std::vector<Bytes>{{0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF}}));
}

TEST_F(Isobus_diagnostics_test, once_the_diagnostics_are_gone_a_request_reaches_no_one)
{
    isobus.reset();
    request(Isobus_diagnostics::pgn_ecu_identification, ecu_address);
    bench.run_for(500);
    EXPECT_TRUE(messages(Isobus_diagnostics::pgn_ecu_identification).empty());
}

}
