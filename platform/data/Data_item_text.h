#pragma once
#include <type_traits>

namespace Debug {
class Dumper;
}

// Number <-> text conversions of item values, shared by both item trees
// and the console.
//
// Text forms: integers in decimal (unsigned ones also as 0x hex), bool as
// 0/1 or true/false, float and double in the C "%g" form. Parsing skips
// leading blanks, reads one value and returns the position after it, so a
// caller can go on (array lists) or check that nothing else follows; it
// refuses values out of the type's range and returns null on failure.
template <class T>
struct Data_item_stringify {
    // Returns the characters written (not counting the terminator), or 0
    // when the text does not fit in length bytes.
    static int to_string(T value, char* buffer, int length);
};

template <class T>
struct Data_item_destringify {
    static const char* from_string(const char* text, T& value);
};

// Character arrays (fixed-size text fields).
template <class T>
struct Data_item_array_stringify;
template <class T>
struct Data_item_array_destringify;

template <>
struct Data_item_array_stringify<char> {
    // Hands the field's text (up to its first zero, at most count characters) to the dumper.
    static void print(const char* name, const char* chars, int count, Debug::Dumper& dumper);
};

template <>
struct Data_item_array_destringify<char> {
    // Copies the whole text into count bytes, zero-filled. A text of count
    // characters or more is refused (the field must keep its terminator).
    // Returns the end of the text, or null with chars untouched.
    static const char* from_string(const char* text, char* chars, int count);
};
