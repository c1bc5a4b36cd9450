#include "platform/can/Socketcand_text.h"

#include <cstdio>

namespace {
void append_hex(std::string& out, const char* format, unsigned value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, format, value);
    out += buf;
}
}

std::string Socketcand_text::format_send(const Can_frame& frame)
{
    std::string out = "< send ";
    append_hex(out, frame.extended ? "%08X" : "%03X", frame.id);
    append_hex(out, " %u", frame.dlc);
    for (int i = 0; i < frame.dlc; ++i)
        append_hex(out, " %02X", frame.data[i]);
    return out + " >";
}

std::string Socketcand_text::format_frame(const Can_frame& frame, int64_t seconds, int micros)
{
    std::string out = "< frame ";
    append_hex(out, frame.extended ? "%08X" : "%03X", frame.id);
    char time[40];
    std::snprintf(time, sizeof time, " %lld.%06d ", static_cast<long long>(seconds), micros);
    out += time;
    for (int i = 0; i < frame.dlc; ++i)
        append_hex(out, "%02X", frame.data[i]);
    return out + " >";
}

std::vector<std::string> Socketcand_text::words(const std::string& message)
{
    std::vector<std::string> out;
    size_t begin = message.find('<');
    size_t end = message.rfind('>');
    if (begin == std::string::npos || end == std::string::npos || end < begin)
        return out;
    std::string word;
    for (size_t i = begin + 1; i < end; ++i) {
        char c = message[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!word.empty())
                out.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        out.push_back(std::move(word));
    return out;
}

bool Socketcand_text::parse_hex(const std::string& text, size_t max_digits, uint32_t& value)
{
    if (text.empty() || text.size() > max_digits)
        return false;
    value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        value = value * 16 + uint32_t(digit);
    }
    return true;
}

bool Socketcand_text::parse_id(const std::string& text, Can_frame& frame)
{
    uint32_t id;
    if (!parse_hex(text, 8, id))
        return false;
    frame.extended = text.size() > 3;
    frame.id = id;
    return id <= (frame.extended ? Can_frame::max_extended_id : Can_frame::max_standard_id);
}

bool Socketcand_text::parse_send(const std::vector<std::string>& words, Can_frame& frame, std::string& error)
{
    if (words.size() < 3 || words[0] != "send") {
        error = "send needs an identifier and a length";
        return false;
    }
    Can_frame f;
    if (!parse_id(words[1], f)) {
        error = "bad identifier " + words[1];
        return false;
    }
    uint32_t dlc;
    if (!parse_hex(words[2], 1, dlc) || dlc > 8) {
        error = "bad length " + words[2];
        return false;
    }
    if (words.size() - 3 != dlc) {
        error = "length " + words[2] + " does not match " + std::to_string(words.size() - 3) + " data bytes";
        return false;
    }
    f.dlc = uint8_t(dlc);
    for (uint32_t i = 0; i < dlc; ++i) {
        uint32_t byte;
        if (!parse_hex(words[3 + i], 2, byte)) {
            error = "bad data byte " + words[3 + i];
            return false;
        }
        f.data[i] = uint8_t(byte);
    }
    frame = f;
    return true;
}

bool Socketcand_text::parse_frame(const std::vector<std::string>& words, Can_frame& frame)
{
    if (words.size() < 3 || words.size() > 4 || words[0] != "frame")
        return false;
    Can_frame f;
    if (!parse_id(words[1], f))
        return false;
    const std::string hex = words.size() == 4 ? words[3] : std::string();
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
