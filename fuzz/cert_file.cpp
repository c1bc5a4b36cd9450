// Certificate files merged into the identification replies.
//
// Input: byte 0 even: the rest is the file's payload, framed and
// checksummed as a sound file is; odd: the rest is the whole file as it lies
// on disk.
//
// Holds: the merge succeeds exactly when the file is sound and its records
// follow one another to its end, each stating a length of 1 to 4096 bytes
// that it holds; afterwards every reply fits its buffer and the text
// replies end their text where their length ends.
#include "diagnostics/Isobus_diagnostics.h"
#include "fuzz/Fuzz_check.h"
#include "fuzz/Fuzz_input.h"
#include "fuzz/Scratch_folder.h"
#include "platform/io/Binary_message.h"
#include "platform/io/File_checksummed_data_stream.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string folder;

bool set_up()
{
    Debug_print::set_sink([](const char*) {});
    folder = scratch_folder();
    if (folder.empty())
        return false;
    return true;
}

class Fuzz_diag : public Isobus_diagnostics {
public:
    Fuzz_diag() : Isobus_diagnostics("j1939Diag") {}

protected:
    void define_items() override {}
};

// Whether the payload is a run of whole records.
bool records_whole(const std::vector<uint8_t>& payload)
{
    size_t at = 0;
    while (at < payload.size()) {
        if (payload.size() - at < 8)
            return false;
        const int32_t length = int32_t(Binary_message::get_uint32_le(&payload[at + 4]));
        if (length < 1 || length > 4096 || payload.size() - at - 8 < size_t(length))
            return false;
        at += 8 + size_t(length);
    }
    return true;
}

void check_text(const std::vector<uint8_t>& reply, size_t from, const char* what)
{
    fuzz_check(reply.size() <= 1024, what);
    fuzz_check(std::find(reply.begin() + std::ptrdiff_t(std::min(from, reply.size())), reply.end(), 0) == reply.end(),
               what);
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = set_up();
    fuzz_check(ready, "no folder for the file");
    Fuzz_input input(data, size);
    const bool raw = input.u8() & 1;
    const std::string rest = input.rest();
    const std::vector<uint8_t> bytes(rest.begin(), rest.end());
    const std::vector<uint8_t> file = raw ? bytes : File_checksummed_data_stream::frame(bytes.data(), bytes.size());
    const std::string path = folder + "/cert.bin";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    }
    std::vector<uint8_t> payload;
    const bool sound = File_checksummed_data_stream::unframe(file, payload);
    fuzz_check(raw || sound, "a framed payload does not read back");

    Fuzz_diag diag;
    fuzz_check(diag.merge_messages_from_file(path.c_str()) == (sound && records_whole(payload)),
               "merge result unlike the file");
    fuzz_check(diag.get_response(Isobus_diagnostics::pgn_compliance_certs).size() <= 8, "compliance too long");
    fuzz_check(diag.get_response(Isobus_diagnostics::pgn_diagnostic_protocol).size() <= 8, "protocol too long");
    fuzz_check(diag.get_response(Isobus_diagnostics::pgn_functionalities).size() <= 1024, "functionalities too long");
    check_text(diag.get_response(Isobus_diagnostics::pgn_ecu_identification), 0, "ECU identification");
    check_text(diag.get_response(Isobus_diagnostics::pgn_product_identification), 0, "product identification");
    check_text(diag.get_response(Isobus_diagnostics::pgn_software_identification), 1, "software identification");
    return 0;
}
