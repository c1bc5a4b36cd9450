#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Cuts the byte stream of a socketcand connection into its messages
// "< ... >". Messages follow one another with no separator, several may come
// in one read and one may be split across reads. Bytes between messages are
// skipped; a message that is too long, holds a control character or is cut
// off by a new '<' is reported as bad and skipped.
class Socketcand_reader {
public:
    // Longer than any valid message ("< send 1FFFFFFF 8 FF ... FF >" is 42).
    static constexpr size_t max_message = 128;

    struct Item {
        bool bad = false;
        // The message with its brackets, or what is wrong; valid until the next feed.
        std::string_view text;
    };

    void feed(const char* data, size_t length);
    // Takes the next message or complaint; false when the input so far holds none.
    bool next(Item& item);

private:
    // What came since the last feed, and of the input before it the message
    // not yet ended.
    std::string input_;
    size_t pos_ = 0;   // the next byte to look at
    size_t start_ = 0; // the '<' of the message being read, when inside_
    bool inside_ = false;
};
