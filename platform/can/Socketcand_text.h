#pragma once
#include "platform/can/Can_frame.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The messages of socketcand's raw mode that carry frames:
//   "< send ID DLC B0 B1 ... >"         client to server, bytes in hex one by one
//   "< frame ID SECONDS.MICROS HEX >"   server to client, bytes written together
// We write a 29-bit identifier with 8 hex digits and an 11-bit one with 3, and
// read any identifier of more than 3 digits as 29-bit, since some clients do
// not pad.
class Socketcand_text {
public:
    // The words between "<" and ">" of one message, as views into its text,
    // which must outlive them: "< send 1 0 >" gives send, 1, 0. size() counts
    // every word; the first `kept` can be read, more than any frame message has.
    class Words {
    public:
        static constexpr size_t kept = 16;
        size_t size() const { return count_; }
        bool empty() const { return count_ == 0; }
        // i < size() and i < kept.
        std::string_view operator[](size_t i) const { return std::string_view(begin_[i], length_[i]); }

    private:
        friend class Socketcand_text;
        // Only the first count_ (at most kept) are set: a split writes no more.
        const char* begin_[kept];
        size_t length_[kept];
        size_t count_ = 0;
    };

    // One message as the formatters write it, held without the heap.
    class Text {
    public:
        std::string_view view() const { return std::string_view(chars_, size_); }

    private:
        friend class Socketcand_text;
        // The longest, also for times out of range: "< frame 1FFFFFFF ", a
        // sign and 20 digits, a point, 20 digits, " ", 16 digits and " >".
        char chars_[80];
        size_t size_ = 0;
    };

    // The time of a frame message, "SECONDS.MICROS", written once for all
    // the frames that came at that time.
    class Stamp {
    private:
        friend class Socketcand_text;
        char chars_[44]; // a sign, 20 digits, a point and 6 digits, with room
        size_t size_ = 0;
    };

    // frame.dlc at most 8 (no more than 8 bytes are written); micros from 0 to 999999.
    static Text format_send(const Can_frame& frame);
    static Stamp stamp(int64_t seconds, int micros);
    static Text format_frame(const Can_frame& frame, const Stamp& stamp);
    static Text format_frame(const Can_frame& frame, int64_t seconds, int micros);

    static Words words(std::string_view message);
    // The first word: "send" of "< send 1 0 >"; empty when there is none.
    static std::string_view command(std::string_view message);

    // A send message read in one walk over its words; false with the reason
    // when malformed.
    static bool parse_send(std::string_view message, Can_frame& frame, std::string& error);
    // From the words of a frame message.
    static bool parse_frame(const Words& words, Can_frame& frame);

private:
    static void put_end(char* end, Text& text);
};
