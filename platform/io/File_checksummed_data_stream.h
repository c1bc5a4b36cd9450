#pragma once
#include "platform/io/Data_stream.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A file whose contents carry a frame and a checksum, so that a torn or
// corrupt file is never read as data: the magic "KXCS", the payload's
// length (32 bits, little-endian), the payload, and the CRC-32 (Util::crc32,
// little-endian) of everything before it.
//
// open_read checks the whole file and, when it is sound, makes its payload
// the stream's bytes. Writing collects the payload, and close puts the
// framed file in place of the old one in one step (File_util::replace).
class File_checksummed_data_stream : public Data_stream {
public:
    static constexpr size_t max_payload = 1 << 20;
    static constexpr size_t frame_size = 12;

    File_checksummed_data_stream() : Data_stream(max_payload) {}
    ~File_checksummed_data_stream() override; // closes

    // False, with nothing to read, when the file cannot be read, is not
    // framed as above, its payload is over max_payload or the checksum fails.
    bool open_read(const char* path);
    bool open_write(const char* path);
    // Writes the framed file when writing; false when that failed. True when
    // nothing was open.
    bool close();

    // Writing: adds to the payload (false when it would pass max_payload).
    bool __write(const uint8_t* bytes, size_t n) override;

    // The framed form of a payload.
    static std::vector<uint8_t> frame(const uint8_t* payload, size_t n);
    // The payload of a framed file's bytes; false when they are not one.
    static bool unframe(const std::vector<uint8_t>& file, std::vector<uint8_t>& payload);

private:
    std::string path_;
    bool writing_ = false;
    std::vector<uint8_t> pending_;
};
