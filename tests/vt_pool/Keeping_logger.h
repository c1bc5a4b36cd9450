#pragma once
#include "vt_pool/model/VtLogger.h"

#include <cstdarg>
#include <cstdio>
#include <string>

// A logger that keeps every line passing through print instead of writing it.
struct Keeping_logger : VtLogger {
    std::string lines;
    void print(const char* format, ...) override
    {
        char text[text_limit];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        lines += text;
    }
};
