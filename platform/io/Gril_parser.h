#pragma once
#include <cstddef>
#include <cstdint>

class PCFile_data_stream;

// Finds the gril records (Gril_message) in a file read from the start: a
// record is taken only when its header and checksum hold, so a torn or
// garbled record is passed over byte by byte until the next good one.
class Gril_parser {
public:
    static constexpr int max_packet = 300;

    explicit Gril_parser(PCFile_data_stream& stream) : stream_(stream) {}

    // The next record into buffer (max bytes at most, and at most
    // max_packet): its length; 0 at the end of the file; negative when bytes
    // were passed over that begin no record that fits.
    int get_packet(uint8_t* buffer, int max);

private:
    // True when n bytes are buffered, reading more of the file as needed.
    bool buffered(size_t n);

    PCFile_data_stream& stream_;
};
