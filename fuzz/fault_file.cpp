// The gril records of a fault file, found in a file of any bytes.
//
// Input: byte 0 sets the largest record asked for (45 to 300 bytes); the
// rest is the file.
//
// Holds: the parser goes through the file front to back: each call takes one
// byte that begins no record, or one whole record, which is a copy of the
// file's bytes at that place with a good header and checksum and no longer
// than asked for; at the end every byte of the file has been taken.
#include "fuzz/Fuzz_check.h"
#include "fuzz/Fuzz_input.h"
#include "fuzz/Scratch_folder.h"
#include "platform/io/Gril_message.h"
#include "platform/io/Gril_parser.h"
#include "platform/io/PCFile_data_stream.h"
#include "platform/io/pcf_files.h"
#include "platform/rtos/Debug_base.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string folder;

bool set_up()
{
    Debug_print::set_sink([](const char*) {});
    folder = scratch_folder();
    if (folder.empty())
        return false;
    return setenv("KX4_ROOT", folder.c_str(), 1) == 0 && pcfIsMounted(nullptr);
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = set_up();
    fuzz_check(ready, "no folder for the file space");
    Fuzz_input input(data, size);
    const int max = 45 + input.u8();
    const std::string bytes = input.rest();
    {
        std::ofstream out(pcf_path("fuzz.dat"), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
    }
    PCFile_data_stream file;
    fuzz_check(file.open_read("fuzz.dat", PCFile_data_stream::append_create), "file not readable");
    Gril_parser parser(file);
    uint8_t packet[Gril_parser::max_packet];
    size_t at = 0;
    for (int n; (n = parser.get_packet(packet, max)) != 0;) {
        if (n < 0) {
            fuzz_check(n == -1, "more than one byte passed over at once");
            ++at;
            continue;
        }
        fuzz_check(n <= max && size_t(n) >= Gril_message::min_length, "record of a length not asked for");
        fuzz_check(at + size_t(n) <= bytes.size(), "record past the end of the file");
        fuzz_check(std::memcmp(packet, bytes.data() + at, size_t(n)) == 0, "record not the file's bytes");
        fuzz_check(packet[0] == Gril_message::sync && size_t(packet[3] | packet[4] << 8) == size_t(n),
                   "record without its header");
        fuzz_check(packet[n - 1] == Gril_message::checksum_of(packet, size_t(n) - 1), "record with a bad checksum");
        at += size_t(n);
    }
    fuzz_check(at == bytes.size(), "bytes left in the file");
    return 0;
}
