#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Debug_filter.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace {
std::mutex& sink_mutex()
{
    static std::mutex m;
    return m;
}
Debug_print::Sink& sink()
{
    static Debug_print::Sink s;
    return s;
}

std::string format_text(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0)
        return std::string();
    std::string text(size_t(n) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), format, args);
    text.resize(size_t(n));
    return text;
}

int emit(const char* text)
{
    std::lock_guard<std::mutex> lock(sink_mutex());
    if (sink()) {
        sink()(text);
    } else {
        std::fputs(text, stdout);
        std::fflush(stdout);
    }
    return int(std::char_traits<char>::length(text));
}
}

int Debug_print::vdprint(const char* format, va_list args)
{
    return emit(format_text(format, args).c_str());
}

int Debug_print::dprint(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = vdprint(format, args);
    va_end(args);
    return n;
}

int Debug_print::printd(int level, const char* text)
{
    if (level >= 0 && !Debug_base::enabled(level))
        return 0;
    return emit(text ? text : "");
}

Debug_print::Sink Debug_print::set_sink(Sink new_sink)
{
    std::lock_guard<std::mutex> lock(sink_mutex());
    Sink old = std::move(sink());
    sink() = std::move(new_sink);
    return old;
}

void Debug_base::set_filters(const char* text)
{
    Debug_filter::parse(text);
}

bool Debug_base::enabled(int channel)
{
    return channel > 0 && channel <= 255 && Debug_filter::is_enabled(uint8_t(channel));
}

int Debug_base::print(int channel, const char* format, ...)
{
    if (!enabled(channel))
        return 0;
    va_list args;
    va_start(args, format);
    int n = Debug_print::vdprint(format, args);
    va_end(args);
    return n;
}
