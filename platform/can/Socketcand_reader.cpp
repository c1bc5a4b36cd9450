#include "platform/can/Socketcand_reader.h"

#include <array>
#include <cstring>

namespace {

// What ends the plain run of a message: its end, the start of another, or a
// control character (anything but printable ASCII and the four spaces).
constexpr std::array<bool, 256> ends_run = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[size_t(c)] = c == '<' || c == '>' || c >= 0x7F || (c < 0x20 && c != '\t' && c != '\r' && c != '\n');
    return table;
}();

}

void Socketcand_reader::feed(const char* data, size_t length)
{
    const size_t done = inside_ ? start_ : pos_;
    input_.erase(0, done);
    pos_ -= done;
    start_ = 0;
    input_.append(data, length);
}

bool Socketcand_reader::next(Item& item)
{
    if (!inside_) {
        const void* open = std::memchr(input_.data() + pos_, '<', input_.size() - pos_);
        if (!open) {
            pos_ = input_.size();
            return false;
        }
        start_ = size_t(static_cast<const char*>(open) - input_.data());
        pos_ = start_ + 1;
        inside_ = true;
    }
    // The message's plain characters at once, up to what ends them or the
    // longest message there may be.
    const size_t end = start_ + max_message;
    const size_t limit = input_.size() < end ? input_.size() : end;
    const unsigned char* text = reinterpret_cast<const unsigned char*>(input_.data());
    size_t i = pos_;
    while (i < limit && !ends_run[text[i]])
        ++i;
    pos_ = i;
    if (i == input_.size() && i < end)
        return false; // the rest comes with the next feed
    inside_ = false;
    if (i == end) {
        item = Item{true, "message too long"};
        return true;
    }
    const char c = input_[i];
    if (c == '<') {
        item = Item{true, "message cut off by the start of another"};
        return true; // the next call starts the message at pos_
    }
    ++pos_;
    if (c == '>')
        item = Item{false, std::string_view(input_.data() + start_, i + 1 - start_)};
    else
        item = Item{true, "control character in a message"};
    return true;
}
