#include "platform/can/Socketcand_text.h"

#include <array>
#include <cstring>

namespace {

constexpr char hex_digits[] = "0123456789ABCDEF";

// The value of each hex digit, either case; not_hex for any other character.
constexpr uint8_t not_hex = 0xFF;
constexpr std::array<uint8_t, 256> hex_values = [] {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[size_t(c)] = c >= '0' && c <= '9'   ? uint8_t(c - '0')
                           : c >= 'a' && c <= 'f' ? uint8_t(c - 'a' + 10)
                           : c >= 'A' && c <= 'F' ? uint8_t(c - 'A' + 10)
                                                  : not_hex;
    return table;
}();

char* put_text(char* p, const char* text)
{
    const size_t length = std::strlen(text);
    std::memcpy(p, text, length);
    return p + length;
}

// At least min_digits hex digits, more when the value needs them.
char* put_hex(char* p, uint32_t value, int min_digits)
{
    int digits = min_digits;
    while (digits < 8 && (value >> (4 * digits)) != 0)
        ++digits;
    for (int i = digits - 1; i >= 0; --i)
        *p++ = hex_digits[(value >> (4 * i)) & 0xF];
    return p;
}

char* put_byte(char* p, uint8_t byte)
{
    *p++ = hex_digits[byte >> 4];
    *p++ = hex_digits[byte & 0xF];
    return p;
}

// At least min_digits decimal digits.
char* put_decimal(char* p, uint64_t value, int min_digits)
{
    char reversed[20];
    int n = 0;
    do {
        reversed[n++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0 || n < min_digits);
    while (n > 0)
        *p++ = reversed[--n];
    return p;
}

char* put_id(char* p, const Can_frame& frame)
{
    return put_hex(p, frame.id, frame.extended ? 8 : 3);
}

// The data bytes there are: a length over 8 is a caller's bug, and must not
// write past the end of the text.
int data_length(const Can_frame& frame)
{
    return frame.dlc < 8 ? frame.dlc : 8;
}

constexpr std::array<bool, 256> spaces = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : {' ', '\t', '\r', '\n'})
        table[c] = true;
    return table;
}();

bool is_space(char c)
{
    return spaces[uint8_t(c)];
}

bool parse_hex(std::string_view text, size_t max_digits, uint32_t& value)
{
    if (text.empty() || text.size() > max_digits)
        return false;
    // Any character that is no digit leaves its mark in `bad`; one test at the end.
    uint32_t result = 0;
    uint8_t bad = 0;
    for (char c : text) {
        const uint8_t digit = hex_values[uint8_t(c)];
        bad |= digit;
        result = result * 16 + (digit & 0xF);
    }
    if (bad == not_hex)
        return false;
    value = result;
    return true;
}

bool parse_id(std::string_view text, Can_frame& frame)
{
    uint32_t id;
    if (!parse_hex(text, 8, id))
        return false;
    frame.extended = text.size() > 3;
    frame.id = id;
    return id <= (frame.extended ? Can_frame::max_extended_id : Can_frame::max_standard_id);
}

}

void Socketcand_text::put_end(char* end, Text& text)
{
    end = put_text(end, " >");
    text.size_ = size_t(end - text.chars_);
}

Socketcand_text::Text Socketcand_text::format_send(const Can_frame& frame)
{
    Text text;
    char* p = put_id(put_text(text.chars_, "< send "), frame);
    *p++ = ' ';
    p = put_decimal(p, frame.dlc, 1);
    for (int i = 0; i < data_length(frame); ++i) {
        *p++ = ' ';
        p = put_byte(p, frame.data[i]);
    }
    put_end(p, text);
    return text;
}

Socketcand_text::Stamp Socketcand_text::stamp(int64_t seconds, int micros)
{
    Stamp stamp;
    char* p = stamp.chars_;
    if (seconds < 0)
        *p++ = '-';
    p = put_decimal(p, seconds < 0 ? 0 - uint64_t(seconds) : uint64_t(seconds), 1);
    *p++ = '.';
    p = put_decimal(p, uint64_t(micros), 6);
    stamp.size_ = size_t(p - stamp.chars_);
    return stamp;
}

Socketcand_text::Text Socketcand_text::format_frame(const Can_frame& frame, const Stamp& stamp)
{
    Text text;
    char* p = put_id(put_text(text.chars_, "< frame "), frame);
    *p++ = ' ';
    std::memcpy(p, stamp.chars_, stamp.size_);
    p += stamp.size_;
    *p++ = ' ';
    for (int i = 0; i < data_length(frame); ++i)
        p = put_byte(p, frame.data[i]);
    put_end(p, text);
    return text;
}

Socketcand_text::Text Socketcand_text::format_frame(const Can_frame& frame, int64_t seconds, int micros)
{
    return format_frame(frame, stamp(seconds, micros));
}

Socketcand_text::Words Socketcand_text::words(std::string_view message)
{
    Words out;
    const size_t begin = message.find('<');
    const size_t end = message.rfind('>');
    if (begin == std::string_view::npos || end == std::string_view::npos || end < begin)
        return out;
    for (size_t i = begin + 1; i < end;) {
        if (is_space(message[i])) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < end && !is_space(message[i]))
            ++i;
        if (out.count_ < Words::kept) {
            out.begin_[out.count_] = message.data() + start;
            out.length_[out.count_] = i - start;
        }
        ++out.count_;
    }
    return out;
}

bool Socketcand_text::parse_send(const Words& words, Can_frame& frame, std::string& error)
{
    if (words.size() < 3 || words[0] != "send") {
        error = "send needs an identifier and a length";
        return false;
    }
    Can_frame f;
    if (!parse_id(words[1], f)) {
        error = "bad identifier " + std::string(words[1]);
        return false;
    }
    uint32_t dlc;
    if (!parse_hex(words[2], 1, dlc) || dlc > 8) {
        error = "bad length " + std::string(words[2]);
        return false;
    }
    if (words.size() - 3 != dlc) {
        error = "length " + std::string(words[2]) + " does not match " + std::to_string(words.size() - 3) + " data bytes";
        return false;
    }
    f.dlc = uint8_t(dlc);
    for (uint32_t i = 0; i < dlc; ++i) {
        uint32_t byte;
        if (!parse_hex(words[3 + i], 2, byte)) {
            error = "bad data byte " + std::string(words[3 + i]);
            return false;
        }
        f.data[i] = uint8_t(byte);
    }
    frame = f;
    return true;
}

bool Socketcand_text::parse_frame(const Words& words, Can_frame& frame)
{
    if (words.size() < 3 || words.size() > 4 || words[0] != "frame")
        return false;
    Can_frame f;
    if (!parse_id(words[1], f))
        return false;
    const std::string_view hex = words.size() == 4 ? words[3] : std::string_view();
    if (hex.size() % 2 != 0 || hex.size() > 16)
        return false;
    f.dlc = uint8_t(hex.size() / 2);
    for (size_t i = 0; i < f.dlc; ++i) {
        uint32_t byte;
        if (!parse_hex(hex.substr(2 * i, 2), 2, byte))
            return false;
        f.data[i] = uint8_t(byte);
    }
    frame = f;
    return true;
}
