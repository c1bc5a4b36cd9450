#pragma once
#include "platform/can/Iso11783_Iso11783_message.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace Iso11783 {

// A message of text fields, each ended by '*', from byte OFFSET on (with
// OFFSET 1, byte 0 holds the number of fields, kept by the caller). The
// buffer is zero-filled while the message is built: the text ends at the
// first zero byte from OFFSET on, and finish() cuts the sent length there.
// No operation writes beyond the buffer; one that would not fit, or that
// would need more fields than the message's limit, changes nothing.
template <uint32_t PGN, int PRIORITY, int OFFSET>
class Msg_StarDelimited : public Iso11783_message<PGN, PRIORITY> {
public:
    static constexpr size_t capacity = 1024;
    static constexpr uint8_t delimiter = '*';

    Msg_StarDelimited() : Iso11783_message<PGN, PRIORITY>(capacity, 0) {}

    // Sets the text of field index (without '*'), adding empty fields up
    // to it when the message has fewer.
    bool set_delim_field(int index, const char* text)
    {
        if (!text || index < 0 || std::strchr(text, delimiter))
            return false;
        std::vector<uint8_t> work(this->data(), this->data() + this->size());
        if (!add_delimiters(work, index + 1))
            return false;
        const size_t end = text_end(work);
        const size_t start = field_start(work, end, index);
        size_t old_end = start;
        while (old_end < end && work[old_end] != delimiter)
            ++old_end;
        const size_t length = std::strlen(text);
        const size_t new_end = end - (old_end - start) + length;
        if (new_end > work.size())
            return false;
        std::vector<uint8_t> tail(work.begin() + std::ptrdiff_t(old_end), work.begin() + std::ptrdiff_t(end));
        std::copy(text, text + length, work.begin() + std::ptrdiff_t(start));
        std::copy(tail.begin(), tail.end(), work.begin() + std::ptrdiff_t(start + length));
        std::fill(work.begin() + std::ptrdiff_t(new_end), work.begin() + std::ptrdiff_t(std::max(end, new_end)),
                  uint8_t(0));
        std::copy(work.begin(), work.end(), this->data());
        return true;
    }

    // Where field index starts, or -1: when the message is shorter than 2
    // bytes, its byte 1 is zero, or it has fewer than index delimiters.
    int get_delim_field_start_offset(int index) const
    {
        if (index < 0 || this->size() < 2 || this->data()[1] == 0)
            return -1;
        const std::vector<uint8_t> bytes(this->data(), this->data() + this->size());
        const size_t end = text_end(bytes);
        if (count_delimiters(bytes, end) < index)
            return -1;
        return int(field_start(bytes, end, index));
    }

    // The length of field index up to its '*', the text's end or the
    // message's end; -1 as for get_delim_field_start_offset.
    int get_delim_field_len(int index) const
    {
        const int start = get_delim_field_start_offset(index);
        if (start < 0)
            return -1;
        int length = 0;
        for (size_t at = size_t(start); at < this->size() && this->data()[at] && this->data()[at] != delimiter; ++at)
            ++length;
        return length;
    }

    // Gives the message at least fields delimiters, as far as its limit and
    // buffer allow (false, and no change, when they do not).
    bool pad_delimiters(int fields)
    {
        std::vector<uint8_t> work(this->data(), this->data() + this->size());
        if (!add_delimiters(work, fields))
            return false;
        std::copy(work.begin(), work.end(), this->data());
        return true;
    }

    int get_delimiter_count() const
    {
        const std::vector<uint8_t> bytes(this->data(), this->data() + this->size());
        return count_delimiters(bytes, text_end(bytes));
    }

    // Cuts the sent length at the end of the text.
    void finish()
    {
        const std::vector<uint8_t> bytes(this->data(), this->data() + this->size());
        this->resize(text_end(bytes));
    }

    int get_field_limit() const { return field_limit_; }

protected:
    // The star-delimited setup: a zeroed buffer and the most fields it may hold.
    void setup_fields(int field_limit)
    {
        this->clear();
        field_limit_ = field_limit;
    }

private:
    static size_t text_end(const std::vector<uint8_t>& bytes)
    {
        size_t end = std::min(size_t(OFFSET), bytes.size());
        while (end < bytes.size() && bytes[end])
            ++end;
        return end;
    }

    static int count_delimiters(const std::vector<uint8_t>& bytes, size_t end)
    {
        const size_t from = std::min(size_t(OFFSET), end);
        return int(std::count(bytes.begin() + std::ptrdiff_t(from), bytes.begin() + std::ptrdiff_t(end), delimiter));
    }

    // The message must have at least index delimiters.
    static size_t field_start(const std::vector<uint8_t>& bytes, size_t end, int index)
    {
        size_t at = OFFSET;
        for (int seen = 0; seen < index && at < end; ++at)
            if (at < end && bytes[at] == delimiter)
                ++seen;
        return at;
    }

    bool add_delimiters(std::vector<uint8_t>& bytes, int wanted) const
    {
        size_t end = text_end(bytes);
        int count = count_delimiters(bytes, end);
        if (count >= wanted)
            return true;
        if (wanted > field_limit_ || end + size_t(wanted - count) > bytes.size())
            return false;
        for (; count < wanted; ++count)
            bytes[end++] = delimiter;
        return true;
    }

    int field_limit_ = 0;
};

}
