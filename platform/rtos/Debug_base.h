#pragma once
#include <cstdarg>
#include <functional>

// Debug text of the whole process goes through one printer. By default it
// goes to standard output; a test installs a sink to capture it.
class Debug_print {
public:
    using Sink = std::function<void(const char* text)>;

    static int dprint(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static int vdprint(const char* format, va_list args);
    // level -1 prints always; a level of 0 or more is a debug channel and
    // prints only when the channel is enabled. Returns the characters printed.
    static int printd(int level, const char* text);
    // Installs a sink (an empty one restores standard output); returns the old one.
    static Sink set_sink(Sink sink);
};

// Numbered debug channels (1 to 255), enabled by the debug filter text.
class Debug_base {
public:
    // Enables the channels named by the text: pairs of hexadecimal digits, "0a2e" -> 10 and 46.
    static void set_filters(const char* text);
    static bool enabled(int channel);
    // Prints only when the channel is enabled.
    static int print(int channel, const char* format, ...) __attribute__((format(printf, 2, 3)));
};
