// The merge of a certificate file into the identification replies.
#include "diagnostics/Isobus_diag_msg_parser.h"
#include "diagnostics/Isobus_diagnostics.h"
#include "platform/io/File_checksummed_data_stream.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Platform.h"

#include <cctype>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace {

constexpr int channel = Diagnostics::debug_channel;

// The fields of a star-delimited payload from offset on: its text (up to the
// first zero byte) split at each '*'; a last piece without '*' counts when
// it is not empty.
std::vector<std::string> fields_of(const uint8_t* payload, int length, int offset)
{
    std::vector<std::string> fields;
    std::string field;
    for (int at = offset; at < length && payload[at]; ++at) {
        if (payload[at] == '*') {
            fields.push_back(field);
            field.clear();
        } else {
            field += char(payload[at]);
        }
    }
    if (!field.empty())
        fields.push_back(field);
    return fields;
}

// The text of a field of a stored reply; false when it cannot be read.
template <class M>
bool field_of(const M& message, int index, std::string& text)
{
    const int start = message.get_delim_field_start_offset(index);
    const int length = message.get_delim_field_len(index);
    if (start < 0 || length < 0)
        return false;
    text.assign(reinterpret_cast<const char*>(message.data()) + start, size_t(length));
    return true;
}

template <class M>
M message_of(const uint8_t* payload, int length)
{
    M message;
    message.resize(size_t(length));
    std::copy(payload, payload + length, message.data());
    return message;
}

bool begins_with(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A hardware id split at its first '#' into the id and its version.
std::pair<std::string, std::string> split_hardware_id(const std::string& id)
{
    const size_t hash = id.find('#');
    if (hash == std::string::npos)
        return {id, ""};
    return {id.substr(0, hash), id.substr(hash + 1)};
}

// One merge operation of a software identification record on the work copy.
void apply_software_operation(Iso11783::Msg_SoftwareIdentification& work, const std::string& operation)
{
    static const std::string append = "append", replace = "replace";
    if (begins_with(operation, append)) {
        if (operation.size() == append.size() || operation[append.size()] != '#') {
            Debug_print::dprint("SID append missing argument!\n");
            return;
        }
        const std::string text = operation.substr(append.size() + 1);
        const int count = work.data()[0];
        if (count == 255 || !work.set_delim_field(work.get_delimiter_count(), text.c_str()))
            Debug_print::dprint("Failed to append new field '%s'\n", text.c_str());
        else
            work.data()[0] = uint8_t(count + 1);
    } else if (begins_with(operation, replace)) {
        const size_t first = replace.size();
        const size_t second = operation.size() > first && operation[first] == '#' ? operation.find('#', first + 1)
                                                                                  : std::string::npos;
        if (second == std::string::npos) {
            Debug_print::dprint("SID replace missing arguments!\n");
            return;
        }
        const std::string prefix = operation.substr(first + 1, second - first - 1);
        if (prefix.empty()) {
            Debug_print::dprint("SID replace prefix truncated!\n");
            return;
        }
        // The first field that begins with the prefix.
        const int fields = work.get_delimiter_count();
        std::string old;
        int index = 0;
        while (index < fields && !(field_of(work, index, old) && begins_with(old, prefix)))
            ++index;
        if (index == fields) {
            Debug_print::dprint("SID replace missing arguments!\n");
            return;
        }
        work.set_delim_field(index, operation.substr(second + 1).c_str());
    } else {
        Debug_print::dprint("SID unrecognized merge operation!\n");
    }
}

}

bool Isobus_diagnostics::merge_messages_from_file(const char* path)
{
    std::string file;
    if (path) {
        file = path;
    } else {
        std::string name = get_object_name();
        for (char& c : name)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        char base[32];
        std::snprintf(base, sizeof base, "%s-cert.bin", name.c_str());
        std::string folder = Platform::instance().get_certificate_dir();
        while (!folder.empty() && folder.back() == '/')
            folder.pop_back();
        char full[255];
        std::snprintf(full, sizeof full, "%s/%s", folder.c_str(), base);
        file = full;
    }
    struct stat st;
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        Debug_print::dprint("WARNING: ISOBUS certificate file '%s' not found\n", file.c_str());
        return true;
    }
    Debug_base::print(channel, "Will load ISOBUS certificate data from '%s'\n", file.c_str());
    File_checksummed_data_stream stream;
    if (!stream.open_read(file.c_str())) {
        Debug_print::dprint("Failed to open message file '%s' for merging\n", file.c_str());
        return false;
    }
    auto parser = std::make_unique<Isobus_diag_msg_parser>(&stream);
    uint8_t* payload = nullptr;
    int length = 0;
    uint32_t type = 0;
    bool failed = false;
    while (parser->get_next_message(&payload, length, type, failed))
        merge_record(type, payload, length);
    stream.close();
    if (failed) {
        Debug_print::dprint("Error while parsing '%s' for merging\n", file.c_str());
        return false;
    }
    return true;
}

// Each record's change is made under the task's lock, as the task may be
// sending the reply at the same time.
void Isobus_diagnostics::merge_record(uint32_t type, const uint8_t* payload, int length)
{
    switch (type) {
    case pgn_compliance_certs:
        set_isobus_compliance_response(message_of<Iso11783::Msg_IsobusComplianceCerts>(payload, length));
        break;
    case pgn_diagnostic_protocol:
        set_supported_diag_protocols_response(message_of<Iso11783::Msg_DiagnosticProtocol>(payload, length));
        break;
    case pgn_functionalities:
        set_functionalities_response(message_of<Iso11783::Msg_Functionalities>(payload, length));
        break;
    case pgn_product_identification:
        locked([&] { merge_product_id(payload, length); });
        break;
    case pgn_ecu_identification:
        locked([&] { merge_ecu_id(payload, length); });
        break;
    case pgn_software_identification:
        locked([&] { merge_software_id(payload, length); });
        break;
    default:
        Debug_print::dprint("Unrecognized Isobus diag file message\n");
        break;
    }
}

void Isobus_diagnostics::merge_product_id(const uint8_t* payload, int length)
{
    const std::vector<std::string> fields = fields_of(payload, length, 0);
    product_id_.restore();
    for (int i = 0; i < Iso11783::Msg_ProductIdentification::fields && i < int(fields.size()); ++i)
        if (!fields[size_t(i)].empty() && fields[size_t(i)].size() <= max_merge_field)
            product_id_.set_delim_field(i, fields[size_t(i)].c_str());
    product_id_.finish();
}

void Isobus_diagnostics::merge_ecu_id(const uint8_t* payload, int length)
{
    constexpr int hardware_id = 5;
    const std::vector<std::string> fields = fields_of(payload, length, 0);
    ecu_id_.restore();
    for (int i = 0; i < Iso11783::Msg_ECUIdentification::fields && i < int(fields.size()); ++i) {
        std::string text = fields[size_t(i)];
        // An empty field keeps the stored one, as for product identification.
        if (text.empty() || text.size() > max_merge_field)
            continue;
        if (i == hardware_id) {
            // The id and its version: each new part, or the stored one where the new is empty.
            std::string stored;
            if (ecu_id_.size() == 0 || ecu_id_.data()[0] == 0 || !field_of(ecu_id_, hardware_id, stored))
                Debug_print::dprint("WARN old ECU HW VER missing!\n");
            const auto old_parts = split_hardware_id(stored);
            const auto new_parts = split_hardware_id(text);
            text = (new_parts.first.empty() ? old_parts.first : new_parts.first) + '#' +
                   (new_parts.second.empty() ? old_parts.second : new_parts.second);
        }
        ecu_id_.set_delim_field(i, text.c_str());
    }
    ecu_id_.finish();
}

void Isobus_diagnostics::merge_software_id(const uint8_t* payload, int length)
{
    Iso11783::Msg_SoftwareIdentification work;
    std::copy(software_id_.data(), software_id_.data() + std::min(software_id_.size(), work.size()), work.data());
    for (const std::string& operation : fields_of(payload, length, 1))
        if (operation.size() <= max_merge_field)
            apply_software_operation(work, operation);
    work.finish();
    _set_software_id_response(work);
}
