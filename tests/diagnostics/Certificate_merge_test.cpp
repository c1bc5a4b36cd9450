// Certificate files merged into the identification replies.
#include "platform/rtos/Debug_base.h"
#include "tests/diagnostics/Isobus_bench.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Records = std::vector<Isobus_bench::Record>;

constexpr uint32_t compliance = Isobus_diagnostics::pgn_compliance_certs;
constexpr uint32_t protocol = Isobus_diagnostics::pgn_diagnostic_protocol;
constexpr uint32_t functionalities = Isobus_diagnostics::pgn_functionalities;
constexpr uint32_t product = Isobus_diagnostics::pgn_product_identification;
constexpr uint32_t ecu_id = Isobus_diagnostics::pgn_ecu_identification;
constexpr uint32_t software = Isobus_diagnostics::pgn_software_identification;

const std::string certified("\x01\x02\x03\x04\x05\x06\x07\x08", 8);

class Certificate_merge : public Isobus_bench {
protected:
    std::string path() const { return root.path() + "/cert.bin"; }

    // Writes the file and merges it; out holds what was printed.
    bool merge(const Records& records, const std::string& stray = "")
    {
        EXPECT_TRUE(write_certificate(path(), records, stray));
        return merge_file(path().c_str());
    }
    bool merge_file(const char* file)
    {
        Debug_capture capture;
        const bool ok = isobus->merge_messages_from_file(file);
        out = capture.text();
        return ok;
    }

    std::string reply(uint32_t pgn) const { return text_of(isobus->get_response(pgn)); }

    template <class M>
    void set_text(const std::string& text)
    {
        M message;
        std::copy(text.begin(), text.end(), message.data());
        message.finish();
        if constexpr (M::pgn == ecu_id)
            isobus->set_ecu_id_response(message);
        else
            isobus->set_software_id_response(message);
    }

    std::string out;
};

struct Parse_case {
    const char* what;
    Records records;
    std::string stray;
    bool ok;
    std::string line; // the first line printed ("": none)
    bool compliance_merged;
};

TEST_F(Certificate_merge, a_file_merges_to_its_end_or_stops_at_its_first_bad_record_keeping_what_came_before)
{
    const std::string error = "Error while parsing '" + path() + "' for merging\n";
    const Parse_case cases[] = {
        {"an empty file", {}, "", true, "", false},
        {"one record", {{compliance, certified}}, "", true, "", true},
        {"length 0", {{compliance, ""}}, "", false, "IDMP payload length invalid\n" + error, false},
        {"length 4097", {{compliance, std::string(4097, 'x')}}, "", false, "IDMP payload length invalid\n" + error,
         false},
        {"a negative length", {{compliance, certified, -8}}, "", false, "IDMP payload length invalid\n" + error, false},
        {"five stray bytes after a record", {{compliance, certified}}, "abcde", false,
         "IDMP header incomplete!\n" + error, true},
        {"a payload cut short", {{compliance, certified}, {protocol, "abc", 20}}, "", false,
         "IDMP payload incomplete!\n" + error, true},
        {"an unknown record is passed over", {{12345, "x"}, {compliance, certified}}, "", true,
         "Unrecognized Isobus diag file message\n", true},
    };
    for (const Parse_case& c : cases) {
        SCOPED_TRACE(c.what);
        isobus->set_isobus_compliance_response(Iso11783::Msg_IsobusComplianceCerts());
        const std::string before = reply(compliance);
        EXPECT_EQ(merge(c.records, c.stray), c.ok);
        EXPECT_EQ(out, c.line);
        EXPECT_EQ(reply(compliance), c.compliance_merged ? certified : before);
    }
}

TEST_F(Certificate_merge, whole_replies_are_replaced_and_cut_to_their_buffer)
{
    ASSERT_TRUE(merge({{compliance, certified},
                       {protocol, "\x03" + std::string(11, '\xEE')},
                       {functionalities, "\xFF\x01\x09\x02\x01\x05"}}));
    EXPECT_EQ(reply(compliance), certified);
    EXPECT_EQ(reply(protocol), "\x03" + std::string(7, '\xEE'));
    EXPECT_EQ(reply(functionalities), "\xFF\x01\x09\x02\x01\x05");
}

TEST_F(Certificate_merge, product_fields_replace_where_the_file_has_text_of_at_most_511_characters)
{
    const std::string longest(511, 'm'), too_long(512, 'm');
    ASSERT_TRUE(merge({{product, "*New Brand*" + too_long + "*"}}));
    EXPECT_EQ(reply(product), "KX4*New Brand*Air Seeder*");
    ASSERT_TRUE(merge({{product, "**" + longest}}));
    EXPECT_EQ(reply(product), "KX4*New Brand*" + longest + "*");
}

struct Ecu_case {
    const char* what;
    std::string stored;
    std::string record;
    std::string after;
    const char* line;
};

TEST_F(Certificate_merge, an_ecu_record_sets_its_fields_and_combines_the_hardware_id_with_its_version)
{
    const std::string stored = "P*S*L*T*M*000#Rev 1*";
    const Ecu_case cases[] = {
        {"a new version keeps the stored id", stored, "*****#Rev 2*", "P*S*L*T*M*000#Rev 2*", ""},
        {"a new id keeps the stored version", stored, "*****NEW#*", "P*S*L*T*M*NEW#Rev 1*", ""},
        {"both new", stored, "*****NEW#Rev 3*", "P*S*L*T*M*NEW#Rev 3*", ""},
        {"other fields, the hardware id untouched", stored, "Part 9**Cab*", "Part 9*S*Cab*T*M*000#Rev 1*", ""},
        {"no stored identification", "", "*****#Rev 2*", "*****#Rev 2*", "WARN old ECU HW VER missing!\n"},
    };
    for (const Ecu_case& c : cases) {
        SCOPED_TRACE(c.what);
        set_text<Iso11783::Msg_ECUIdentification>(c.stored);
        EXPECT_TRUE(merge({{ecu_id, c.record}}));
        EXPECT_EQ(reply(ecu_id), c.after);
        EXPECT_EQ(out, c.line);
    }
}

struct Software_case {
    const char* what;
    std::string operation;
    std::string after;
    const char* line;
};

TEST_F(Certificate_merge, software_records_append_and_replace_fields_and_name_each_malformed_operation)
{
    const std::string stored = "\x02" "APP 1.0*BOOT 2.0*";
    const Software_case cases[] = {
        {"append", "append#IO 3.0", "\x03" "APP 1.0*BOOT 2.0*IO 3.0*", ""},
        {"replace", "replace#BOOT#BOOT 3.0", "\x02" "APP 1.0*BOOT 3.0*", ""},
        {"append without '#'", "append", stored, "SID append missing argument!\n"},
        {"replace without its second '#'", "replace#BOOT", stored, "SID replace missing arguments!\n"},
        {"replace of no field", "replace#IO#IO 4", stored, "SID replace missing arguments!\n"},
        {"replace with an empty prefix", "replace##x", stored, "SID replace prefix truncated!\n"},
        {"another word", "upgrade#x", stored, "SID unrecognized merge operation!\n"},
    };
    for (const Software_case& c : cases) {
        SCOPED_TRACE(c.what);
        set_text<Iso11783::Msg_SoftwareIdentification>(stored);
        EXPECT_TRUE(merge({{software, "\x01" + c.operation + "*"}}));
        EXPECT_EQ(reply(software), c.after);
        EXPECT_EQ(out, c.line);
    }
}

TEST_F(Certificate_merge, the_default_file_is_j1939diag_cert_bin_in_the_certificate_folder)
{
    EXPECT_TRUE(merge_file(nullptr));
    EXPECT_EQ(out, "WARNING: ISOBUS certificate file '" + default_certificate() + "' not found\n");

    ASSERT_TRUE(write_certificate(default_certificate(), {{compliance, certified}}));
    Debug_base::set_filters("2e");
    EXPECT_TRUE(merge_file(nullptr));
    Debug_base::set_filters("00");
    EXPECT_EQ(out, "Will load ISOBUS certificate data from '" + default_certificate() + "'\n");
    EXPECT_EQ(reply(compliance), certified);
}

TEST_F(Certificate_merge, a_file_that_fails_its_checksum_does_not_open_and_changes_nothing)
{
    ASSERT_TRUE(write_certificate(path(), {{compliance, certified}}));
    Bytes file;
    {
        std::ifstream in(path(), std::ios::binary);
        file.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_GT(file.size(), 12u);
    file[10] ^= 0x01;
    {
        std::ofstream bad(path(), std::ios::binary | std::ios::trunc);
        bad.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    }
    const std::string before = reply(compliance);
    EXPECT_FALSE(merge_file(path().c_str()));
    EXPECT_EQ(out, "Failed to open message file '" + path() + "' for merging\n");
    EXPECT_EQ(reply(compliance), before);
}

}
