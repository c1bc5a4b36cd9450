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

// What a character is to the walk over words: a hex digit's value, a space,
// or any other character.
constexpr uint8_t space_class = 0x40;
constexpr uint8_t other_class = 0x20;
constexpr std::array<uint8_t, 256> classes = [] {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[size_t(c)] = spaces[size_t(c)] ? space_class : hex_values[size_t(c)] == not_hex ? other_class
                                                                                               : hex_values[size_t(c)];
    return table;
}();

// A word of a message and its value as hex digits, read on the same walk.
struct Word {
    std::string_view text;
    uint32_t hex = 0;     // the value of its last 8 digits
    bool all_hex = false; // every character a hex digit
};

// The words between the first '<' and the last '>' of a message, one at a time.
class Word_walk {
public:
    explicit Word_walk(std::string_view message)
    {
        const size_t begin = message.find('<');
        const size_t end = message.rfind('>');
        if (begin != std::string_view::npos && end != std::string_view::npos && end > begin) {
            at_ = message.data() + begin + 1;
            end_ = message.data() + end;
        }
    }
    bool next(Word& word)
    {
        while (at_ < end_ && classes[uint8_t(*at_)] == space_class)
            ++at_;
        if (at_ == end_)
            return false;
        const char* start = at_;
        uint32_t value = 0;
        uint8_t seen = 0; // an other_class character leaves its bit
        for (uint8_t c; at_ < end_ && (c = classes[uint8_t(*at_)]) != space_class; ++at_) {
            seen |= c;
            value = value << 4 | (c & 0xF);
        }
        word.text = std::string_view(start, size_t(at_ - start));
        word.hex = value;
        word.all_hex = (seen & other_class) == 0;
        return true;
    }
    // The next word at once when it is a data byte as the formatters write
    // it: one space, two hex digits, then a space or the end; false, with
    // nothing taken, for anything else.
    bool next_byte(uint8_t& byte)
    {
        if (end_ - at_ < 3 || at_[0] != ' ')
            return false;
        const uint8_t high = classes[uint8_t(at_[1])], low = classes[uint8_t(at_[2])];
        if ((high | low) > 0xF || (end_ - at_ > 3 && classes[uint8_t(at_[3])] != space_class))
            return false;
        byte = uint8_t(high << 4 | low);
        at_ += 3;
        return true;
    }

private:
    const char* at_ = nullptr;
    const char* end_ = nullptr;
};

// An identifier of `digits` hex digits: more than 3 make it a 29-bit one.
bool take_id(size_t digits, uint32_t id, Can_frame& frame)
{
    frame.extended = digits > 3;
    frame.id = id;
    return id <= (frame.extended ? Can_frame::max_extended_id : Can_frame::max_standard_id);
}

bool parse_id(std::string_view text, Can_frame& frame)
{
    uint32_t id;
    return parse_hex(text, 8, id) && take_id(text.size(), id, frame);
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
    Word_walk walk(message);
    for (Word word; walk.next(word); ++out.count_) {
        if (out.count_ < Words::kept) {
            out.begin_[out.count_] = word.text.data();
            out.length_[out.count_] = word.text.size();
        }
    }
    return out;
}

std::string_view Socketcand_text::command(std::string_view message)
{
    Word_walk walk(message);
    Word word;
    return walk.next(word) ? word.text : std::string_view();
}

bool Socketcand_text::parse_send(std::string_view message, Can_frame& frame, std::string& error)
{
    // One walk over the words, each read as hex on the way; what is wrong is
    // said in the order of the checks: the words' number and command, the
    // identifier, the length, the number of data bytes, then the first bad byte.
    Word_walk walk(message);
    std::string_view command, id, length, bad_byte;
    uint32_t id_value = 0, dlc = 0;
    bool id_hex = false, length_hex = false;
    size_t count = 0;
    Can_frame f;
    for (Word word;; ++count) {
        if (count >= 3 && count - 3 < sizeof f.data && walk.next_byte(f.data[count - 3]))
            continue;
        if (!walk.next(word))
            break;
        if (count >= 3) {
            if (count - 3 < sizeof f.data && word.all_hex && word.text.size() <= 2)
                f.data[count - 3] = uint8_t(word.hex);
            else if (bad_byte.empty())
                bad_byte = word.text;
        } else if (count == 0) {
            command = word.text;
        } else if (count == 1) {
            id = word.text;
            id_value = word.hex;
            id_hex = word.all_hex && id.size() <= 8;
        } else {
            length = word.text;
            dlc = word.hex;
            length_hex = word.all_hex && length.size() == 1;
        }
    }
    if (count < 3 || command != "send") {
        error = "send needs an identifier and a length";
        return false;
    }
    if (!id_hex || !take_id(id.size(), id_value, f)) {
        error = "bad identifier " + std::string(id);
        return false;
    }
    if (!length_hex || dlc > 8) {
        error = "bad length " + std::string(length);
        return false;
    }
    if (count - 3 != dlc) {
        error = "length " + std::string(length) + " does not match " + std::to_string(count - 3) + " data bytes";
        return false;
    }
    if (!bad_byte.empty()) {
        error = "bad data byte " + std::string(bad_byte);
        return false;
    }
    f.dlc = uint8_t(dlc);
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
