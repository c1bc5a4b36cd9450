#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What the slave processors answer to the controller's requests, written
// from the slave protocol: each reply comes from the addressed slave with
// the request's command and the data length that request expects. Periods on
// the wire are 24-bit little-endian counts of 2 microseconds, pulse counts
// 16-bit little-endian.
namespace Fake_slave_replies {

constexpr uint8_t controller_address = 0x31;

// The ground-wheel sensor of drive ECU 50 (command 1, data [1]): a fixed
// period and the pulses counted since the last reply.
constexpr uint32_t wheel_period = 1000;
constexpr uint16_t wheel_pulses = 2;
// Every fan turns with this period (command 1 to any other ECU).
constexpr uint32_t fan_period = 1500;
constexpr uint16_t fan_pulses = 40;
// A drive reports the period it was asked for (command 2) and this many
// pulses while it turns.
constexpr uint16_t drive_pulses = 10;
// The input byte of an ECU's inputs (command 73, [0, 1]): bit 7, the
// tillage switch, on; the other inputs off.
constexpr uint8_t input_bits = 0x80;
// Firmware of every ECU: 4.2.0, new enough for the input slots.
constexpr uint8_t version_major = 4;
constexpr uint8_t version_minor = 2;
constexpr uint8_t version_patch = 0;
// The weigh scales' count (scale character '0'..'8'): this plus 100 per
// character step, so that each scale reads its own weight.
constexpr int32_t scale_count = 1234;

// The reply to a binary request (a whole frame, sum included) from one of
// the slaves 50..71; an unknown command gets a reply without data, a
// request shorter than a frame's head none, and data the length byte names
// beyond the request's end is not read.
std::vector<uint8_t> reply_to(const std::vector<uint8_t>& request);
// A drive target request (command 2), and the reply of a drive that does
// not turn: no period, no pulses.
bool is_drive_target(const std::vector<uint8_t>& request);
std::vector<uint8_t> stalled_drive_reply(const std::vector<uint8_t>& request);

// The weigh-scale request "S2x110026:" CR LF ETX, x the scale character.
constexpr size_t scale_request_length = 13;
bool is_scale_request(const std::vector<uint8_t>& text);
// Its reply: "S", the address byte (0x80 | scale number) in hexadecimal,
// "110026:" (the colon at offset 9), the count in eight hexadecimal digits,
// CR, LF, ETX: 21 characters.
std::vector<uint8_t> scale_reply_to(const std::vector<uint8_t>& request);

// A frame as hexadecimal bytes, text with its control characters escaped.
std::string hex(const std::vector<uint8_t>& bytes);
std::string printable(const std::vector<uint8_t>& text);
// The request in words where that helps a reader of the log: a drive
// target's channel, period field and flags; empty for other requests.
std::string describe(const std::vector<uint8_t>& request);

}
