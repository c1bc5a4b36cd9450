#include "vt_pool/model/VtLogger.h"

#include <cstdarg>
#include <cstdio>

namespace {

// The prefix and the formatted text (the text alone up to the limit) as one
// line, handed to print with an empty line after it.
void print_prefixed(VtLogger& logger, const char* prefix, const char* format, va_list args)
{
    char text[VtLogger::text_limit];
    std::vsnprintf(text, sizeof text, format, args);
    char line[16 + VtLogger::text_limit];
    std::snprintf(line, sizeof line, "%s%s", prefix, text);
    logger.print("%s\n", line);
}

}

void VtLogger::printIndented(unsigned indentation, const char* format, ...)
{
    const int spaces = int(indentation < max_indentation ? indentation : max_indentation);
    char text[text_limit];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    char line[max_indentation + text_limit];
    std::snprintf(line, sizeof line, "%*s%s", spaces, "", text);
    std::puts(line);
}

void VtLogger::print(const char* format, ...)
{
    char text[text_limit];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::puts(text);
}

void VtLogger::message(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    print_prefixed(*this, "", format, args);
    va_end(args);
}

void VtLogger::warning(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    print_prefixed(*this, "Warning: ", format, args);
    va_end(args);
}

void VtLogger::error(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    print_prefixed(*this, "Error: ", format, args);
    va_end(args);
}
