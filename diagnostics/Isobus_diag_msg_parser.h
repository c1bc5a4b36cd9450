#pragma once
#include <cstdint>

class Data_stream;

// The records of a certificate file: each the PGN of the message it carries
// (32 bits), the payload's length (signed 32 bits, 1 to max_payload) and the
// payload, all little-endian.
class Isobus_diag_msg_parser {
public:
    static constexpr int header_size = 8;
    static constexpr int max_payload = 4096;

    explicit Isobus_diag_msg_parser(Data_stream* stream) : stream_(stream) {}

    // The next record: true with its payload (valid until the next call),
    // length and type. False at the end of the data (failed false) or on a
    // record that is cut short or malformed (failed true).
    bool get_next_message(uint8_t** payload, int& length, uint32_t& type, bool& failed);

private:
    Data_stream* stream_;
    uint8_t payload_[max_payload];
};
