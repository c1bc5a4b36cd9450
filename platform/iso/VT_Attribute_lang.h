#pragma once

namespace VT {

// One language of a Working Set: its two-letter ISO 639 code.
class Attribute_lang {
public:
    Attribute_lang() = default;
    Attribute_lang(char first, char second) : code_{first, second} {}

    const char* get_code() const { return code_; } // two characters, no terminator

private:
    char code_[2] = {' ', ' '};
};

}
