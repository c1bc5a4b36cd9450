#pragma once

namespace TC_client {

// A text of the device description (element and value names), in UTF-8.
class Designator {
public:
    virtual ~Designator() = default;
    // Copies at most max bytes of the text for the locale into out, without
    // a terminator; returns how many it copied.
    virtual int get_utf8(const char* locale, char* out, int max) const = 0;
};

}
