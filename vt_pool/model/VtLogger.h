#pragma once

// The text log of the VT object model and its codec, on standard output.
// Every text is formatted printf-style and limited to 2000 bytes with its
// terminating NUL; longer text is cut. A subclass redirects everything but
// printIndented by overriding print.
class VtLogger {
public:
    static constexpr unsigned text_limit = 2000;
    static constexpr unsigned max_indentation = 63;

    VtLogger() = default;
    virtual ~VtLogger() = default;

    // One line: the indentation in spaces (at most 63), then the text.
    virtual void printIndented(unsigned indentation, const char* format, ...)
        __attribute__((format(printf, 3, 4)));
    // One line with the text.
    virtual void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // The text and an empty line, through print.
    virtual void message(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // "Warning: " and the text, then an empty line, through print.
    virtual void warning(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // "Error: " and the text, then an empty line, through print.
    virtual void error(const char* format, ...) __attribute__((format(printf, 2, 3)));
};
