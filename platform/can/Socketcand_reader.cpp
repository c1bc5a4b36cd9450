#include "platform/can/Socketcand_reader.h"

namespace {
bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool is_printable(char c)
{
    return c >= 0x20 && c < 0x7F;
}
}

void Socketcand_reader::feed(const char* data, size_t length)
{
    input_.erase(0, pos_);
    pos_ = 0;
    input_.append(data, length);
}

bool Socketcand_reader::next(Item& item)
{
    while (pos_ < input_.size()) {
        char c = input_[pos_++];
        if (c == '<') {
            bool cut_off = state_ == State::inside;
            state_ = State::inside;
            current_ = "<";
            if (cut_off) {
                item = Item{true, "message cut off by the start of another"};
                return true;
            }
            continue;
        }
        if (state_ != State::inside) {
            if (c == '>')
                state_ = State::outside;
            continue;
        }
        if (!is_printable(c) && !is_space(c)) {
            state_ = State::skipping;
            current_.clear();
            item = Item{true, "control character in a message"};
            return true;
        }
        current_ += c;
        if (c == '>') {
            state_ = State::outside;
            item = Item{false, std::move(current_)};
            current_.clear();
            return true;
        }
        if (current_.size() >= max_message) {
            state_ = State::skipping;
            current_.clear();
            item = Item{true, "message too long"};
            return true;
        }
    }
    return false;
}
