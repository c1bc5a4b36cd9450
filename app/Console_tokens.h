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
    // The next word, or null when none is left. Leading delimiters are
    // skipped, and the one that ends the word is cut off (as strtok does).
    char* next(const char* delimiters)
    {
        char* word = next_ + std::strspn(next_, delimiters);
        if (*word == '\0') {
            next_ = word;
            return nullptr;
        }
        char* end = word + std::strcspn(word, delimiters);
        ended_by_ = *end;
        next_ = end;
        if (*end != '\0') {
            *end = '\0';
            ++next_;
        }
        return word;
    }
    // The rest of the line after the separator that follows the last word
    // (blanks around the separator skipped), or null when that separator is
    // not there: a value that may hold any character, even none.
    char* rest_after(char separator)
    {
        char* rest = next_;
        if (ended_by_ != separator) {
            if (ended_by_ != ' ')
                return nullptr;
            rest += std::strspn(rest, " ");
            if (*rest != separator)
                return nullptr;
            ++rest;
        }
        return rest + std::strspn(rest, " ");
    }

private:
    char* next_;
    char ended_by_ = '\0'; // the delimiter that ended the last word
};

// The answer to a line that does not parse; input is the whole line.
void report_parse_error(const char* input);
