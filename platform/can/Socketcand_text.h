#pragma once
#include "platform/can/Can_frame.h"

#include <cstdint>
#include <string>
#include <vector>

// The messages of socketcand's raw mode that carry frames:
//   "< send ID DLC B0 B1 ... >"         client to server, bytes in hex one by one
//   "< frame ID SECONDS.MICROS HEX >"   server to client, bytes written together
// We write a 29-bit identifier with 8 hex digits and an 11-bit one with 3, and
// read any identifier of more than 3 digits as 29-bit, since some clients do
// not pad.
class Socketcand_text {
public:
    static std::string format_send(const Can_frame& frame);
    static std::string format_frame(const Can_frame& frame, int64_t seconds, int micros);

    // The words between "<" and ">": "< send 1 0 >" gives send, 1, 0.
    static std::vector<std::string> words(const std::string& message);

    // From the words of a send message; false with the reason when malformed.
    static bool parse_send(const std::vector<std::string>& words, Can_frame& frame, std::string& error);
    // From the words of a frame message.
    static bool parse_frame(const std::vector<std::string>& words, Can_frame& frame);

private:
    static bool parse_id(const std::string& text, Can_frame& frame);
    static bool parse_hex(const std::string& text, size_t max_digits, uint32_t& value);
};
