#pragma once
#include <cstring>

// The words of one console line, taken one at a time with the delimiters
// each needs. The words are cut out of the line's own buffer.
class Console_tokens {
public:
    // Between the words of a command and the names of a path.
    static constexpr const char* words = " =.:[]";
    // Around a value or a data-store path, which may hold full stops.
    static constexpr const char* values = " =";

    explicit Console_tokens(char* buffer) : next_(buffer) {}
    // The next word, or null when none is left.
    char* next(const char* delimiters)
    {
        char* word = strtok_r(next_, delimiters, &rest_);
        next_ = nullptr;
        return word;
    }

private:
    char* next_;
    char* rest_ = nullptr;
};

// The answer to a line that does not parse; input is the whole line.
void report_parse_error(const char* input);
