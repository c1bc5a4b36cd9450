#pragma once

class Bugger {
public:
    // The one report of a broken internal invariant: prints "BUG: <text>" and
    // ends the process, in every build.
    [[noreturn]] static void report_bug(const char* text);
};
